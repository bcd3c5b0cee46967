#include "EditorWithSimulator.h"
#include "device/DeviceMessages.h"

#include <QLineEdit>
#include <QProcess>
#include <QTest>

// The editor and hbx740ctl on one keyboard and one JACK server, as a user
// scripts hbx740ctl while the editor is open, re-plugs the keyboard or
// restarts the audio system.
namespace {

class SharedKeyboard : public EditorWithSimulator {
protected:
    TempFolder CtlHome;

    void SetUp() override {
        EditorWithSimulator::SetUp();
        if (HasFatalFailure())
            return;
        ASSERT_TRUE(WaitForConnection("Connect", 10000));
    }

    QProcessEnvironment CtlEnvironment() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("JACK_DEFAULT_SERVER", HBX_JACK_SERVER);
        env.insert("JACK_NO_START_SERVER", "1");
        env.insert("XDG_DATA_HOME", CtlHome.FilePath("data"));
        env.insert("HBX740_USB_DEVICES", UsbTree.Path());
        return env;
    }

    // Runs hbx740ctl to its end while the window's event loop goes on.
    std::pair<int, QString> Ctl(const QStringList& arguments) {
        QProcess ctl;
        ctl.setProcessEnvironment(CtlEnvironment());
        ctl.start(HBX_CTL, arguments);
        EXPECT_TRUE(QTest::qWaitFor([&] { return ctl.state() == QProcess::NotRunning; }, 20000))
            << arguments.join(' ').toStdString();
        return {ctl.exitCode(), QString::fromUtf8(ctl.readAll())};
    }

    void RestartJackServer() {
        const QString script = QStringLiteral(HBX_JACK_SCRIPT);
        ASSERT_EQ(QProcess::execute("bash", {script, "stop", HBX_JACK_STATE}), 0);
        ASSERT_EQ(QProcess::execute("bash", {script, "start", HBX_JACK_STATE, HBX_JACK_SERVER}), 0);
    }
};

TEST_F(SharedKeyboard, HbxctlBesideTheEditorTakesNeitherItsPortsNorItsEdits) {
    // An edit the user has not saved or sent.
    Get<QLineEdit>("EdtValue")->setText("99");
    Click("mCode3");
    const std::string edited = BuildParameterSet(Window->Model());
    ASSERT_NE(edited.find(" 63 "), std::string::npos);

    // Listed after the simulator's ports, the editor's could be taken first.
    KillSimulator();
    StartSimulator({});
    ASSERT_FALSE(HasFatalFailure());
    const auto [portsStatus, ports] = Ctl({"ports"});
    EXPECT_EQ(portsStatus, 0);
    EXPECT_FALSE(ports.contains("HBX740 MIDI Editor")) << ports.toStdString();
    EXPECT_EQ(Ctl({"--port", "HBX740", "identity"}), std::make_pair(0, QStringLiteral("1.05\n")));

    // The dump replies hbx740ctl asks for reach the editor too, which keeps
    // what the user made.
    EXPECT_EQ(Ctl({"read"}).first, 0);
    EXPECT_EQ(Ctl({"diff", "keyboard", "keyboard"}).first, 0);
    QTest::qWait(300);
    EXPECT_EQ(BuildParameterSet(Window->Model()), edited);
    EXPECT_TRUE(Prompts.Notices().isEmpty()) << Prompts.Notices().join('\n').toStdString();
}

TEST_F(SharedKeyboard, BothFollowTheKeyboardThroughAReplugAndAServerRestart) {
    QProcess monitor;
    monitor.setProcessEnvironment(CtlEnvironment());
    QString monitored;
    QObject::connect(&monitor, &QProcess::readyReadStandardOutput,
                     [&] { monitored += QString::fromUtf8(monitor.readAllStandardOutput()); });
    monitor.start(HBX_CTL, {"--port", "HBX740", "monitor"});
    ASSERT_TRUE(monitor.waitForStarted(5000));
    const auto bothHear = [&](const char* when) {
        Get<QLabel>("LbStatus")->clear();
        monitored.clear();
        EXPECT_TRUE(Hears([&] { return LabelText("LbStatus") == "144"; })) << when;
        EXPECT_TRUE(Hears([&] { return monitored.contains("144 60 100"); }))
            << when << ": " << monitored.toStdString();
        EXPECT_TRUE(WaitForConnection("Connect", 3000)) << when;
    };
    QTest::qWait(500);
    bothHear("at first");

    // Gone and back within a moment: its ports have the old names, but the
    // programs' connections to them went with the old ones.
    KillSimulator();
    StartSimulator({});
    ASSERT_FALSE(HasFatalFailure());
    bothHear("after a quick re-plug");

    KillSimulator();
    RestartJackServer();
    ASSERT_FALSE(HasFatalFailure());
    StartSimulator({});
    ASSERT_FALSE(HasFatalFailure());
    bothHear("after the server restarted");
    EXPECT_TRUE(Prompts.Errors().isEmpty()) << Prompts.Errors().join('\n').toStdString();

    monitor.terminate();
    EXPECT_TRUE(monitor.waitForFinished(5000));
    EXPECT_EQ(monitor.exitCode(), 0);
}

} // namespace
