#include "TempFolder.h"
#include "model/ProfileFile.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <csignal>
#include <gtest/gtest.h>
#include <jack/jack.h>
#include <memory>
#include <sys/stat.h>

// hbx740ctl as a script runs it, against hbx740-sim on the private JACK
// server: exit statuses, standard output and the files it writes.
namespace {

struct CtlRun {
    int Status = -1;
    QString Out;
    QString Err;
};

class Ctl : public testing::Test {
protected:
    TempFolder Home;
    TempFolder UsbTree;
    // Declared before the process, whose destructor may still deliver output.
    QString SimulatorOutput;
    QProcess Simulator;

    void SetUp() override {
        QDir(BackupFolder()).removeRecursively();
        // The keyboard on a synthetic USB bus, as the window's tests have it.
        ASSERT_TRUE(QDir(UsbTree.Path()).mkpath("1-4"));
        UsbTree.Write("1-4/idVendor", "5d2e\n");
        UsbTree.Write("1-4/idProduct", "9a47\n");
        QObject::connect(&Simulator, &QProcess::readyReadStandardOutput,
                         [this] { SimulatorOutput += QString::fromUtf8(Simulator.readAll()); });
    }
    void TearDown() override { StopSimulator(); }

    void StartSimulator(const QStringList& options = {}) {
        QProcessEnvironment env = Environment();
        Simulator.setProcessEnvironment(env);
        Simulator.start(HBX_SIMULATOR, QStringList{"--backend", "jack"} + options);
        ASSERT_TRUE(Simulator.waitForStarted(5000));
        ASSERT_TRUE(QTest::qWaitFor([&] { return SimulatorOutput.contains("ready"); }, 10000));
    }
    void StopSimulator() {
        if (Simulator.state() == QProcess::NotRunning)
            return;
        Simulator.terminate();
        Simulator.waitForFinished(3000);
    }

    QProcessEnvironment Environment(const QString& usb = {}) const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("JACK_DEFAULT_SERVER", HBX_JACK_SERVER);
        env.insert("JACK_NO_START_SERVER", "1");
        env.insert("XDG_DATA_HOME", Home.FilePath("data"));
        env.insert("HBX740_USB_DEVICES", usb.isNull() ? UsbTree.Path() : usb);
        return env;
    }

    CtlRun CallWith(const QStringList& arguments, const QProcessEnvironment& env) {
        QProcess ctl;
        ctl.setProcessEnvironment(env);
        ctl.start(HBX_CTL, arguments);
        EXPECT_TRUE(ctl.waitForFinished(20000)) << arguments.join(' ').toStdString();
        return {ctl.exitCode(), QString::fromUtf8(ctl.readAllStandardOutput()),
                QString::fromUtf8(ctl.readAllStandardError())};
    }
    CtlRun Call(const QStringList& arguments) { return CallWith(arguments, Environment()); }

    // The factory defaults as a profile file.
    QString FactoryProfile() const {
        const QString path = Home.FilePath("factory.cus");
        SaveParaToFile(FactoryModel(), path);
        return path;
    }

    // What the simulator holds, read as a profile.
    ParameterModel Held() {
        const QString path = Home.FilePath("held.cus");
        EXPECT_EQ(Call({"read", "-o", path}).Status, 0);
        ParameterModel model;
        LoadParaFromFile(model, path, false);
        return model;
    }

    // A copy run from its build folder keeps its backups beside itself.
    static QString BackupFolder() { return QFileInfo(HBX_CTL).dir().filePath("backups"); }
    QStringList Backups() const { return QDir(BackupFolder()).entryList({"*.cus"}, QDir::Files); }

    // What the simulator received besides identity requests, once the
    // identity request of a last run has arrived: everything sent before it
    // has then been printed too.
    QStringList ReceivedBesidesIdentityRequests() {
        EXPECT_EQ(Call({"identity"}).Status, 0);
        const QString identity = QStringLiteral("recv F0 7E 00 06 01 F7");
        EXPECT_TRUE(QTest::qWaitFor([&] { return SimulatorOutput.contains(identity); }, 5000));
        return SimulatorOutput.split(u'\n').filter(QRegularExpression("^recv (?!F0 7E 00 06)"));
    }
};

// A JACK client whose ports are listed but which never joins the server's
// cycles, so the server refuses to connect to them.
class InactiveJackClient {
public:
    explicit InactiveJackClient(const char* name) {
        jack_status_t status{};
        Client.reset(jack_client_open(
            name,
            static_cast<jack_options_t>(JackNoStartServer | JackUseExactName | JackServerName),
            &status, HBX_JACK_SERVER));
        if (Client) {
            jack_port_register(Client.get(), "out", JACK_DEFAULT_MIDI_TYPE, JackPortIsOutput, 0);
            jack_port_register(Client.get(), "in", JACK_DEFAULT_MIDI_TYPE, JackPortIsInput, 0);
        }
    }
    bool Opened() const { return Client != nullptr; }

private:
    struct Closer {
        void operator()(jack_client_t* client) const { jack_client_close(client); }
    };
    std::unique_ptr<jack_client_t, Closer> Client;
};

TEST_F(Ctl, EachCommandAgainstTheKeyboard) {
    StartSimulator({"--firmware", "1.07"});
    CtlRun run = Call({"ports"});
    EXPECT_EQ(run.Status, 0);
    EXPECT_TRUE(run.Out.contains(QRegularExpression("input +\\d+ HBX740 +HBX740:out")))
        << run.Out.toStdString();

    run = Call({"detect"});
    EXPECT_EQ(run.Status, 0) << run.Err.toStdString();
    EXPECT_TRUE(run.Out.contains("USB: HBX740 found")) << run.Out.toStdString();
    EXPECT_TRUE(run.Out.contains("Identity: firmware 1.07"));

    run = Call({"identity", "--json"});
    EXPECT_EQ(QJsonDocument::fromJson(run.Out.toUtf8()).object()["firmware"].toString(), "1.07");

    // A profile over the keyboard's defaults goes in, and comes back out.
    ParameterModel profile = FactoryModel();
    profile.Record(2).Value = 99;
    profile.GlobalSettings()[Transpose] = 20;
    profile.Record(3).ParaName.Assign("Filter");
    const QString file = Home.FilePath("live.cus");
    SaveParaToFile(profile, file);
    const ParameterModel before = Held();
    run = Call({"write", file});
    EXPECT_EQ(run.Status, 0) << run.Err.toStdString();
    ASSERT_EQ(Backups().size(), 1);
    ParameterModel kept;
    LoadParaFromFile(kept, QDir(BackupFolder()).filePath(Backups().front()), false);
    EXPECT_EQ(kept.Record(2).Value, before.Record(2).Value);
    EXPECT_EQ(kept.GlobalSettings(), before.GlobalSettings());
    EXPECT_TRUE(run.Err.contains("backup: " + BackupFolder())) << run.Err.toStdString();
    EXPECT_EQ(Held().Record(2).Value, 99);
    EXPECT_EQ(Call({"diff", file, "keyboard"}).Status, 0);

    const QString readBack = Home.FilePath("back.cus");
    run = Call({"read", "-o", readBack, "--base", file});
    EXPECT_EQ(Call({"read", "-o", Home.FilePath("no/such/folder.cus")}).Status, 6);
    ParameterModel back;
    LoadParaFromFile(back, readBack, false);
    EXPECT_EQ(back.Record(3).ParaName.Text(), "Filter");
    EXPECT_EQ(back.GlobalSettings()[Transpose], 20);
    run = Call({"show", readBack});
    EXPECT_TRUE(run.Out.contains(QRegularExpression("Knob 1 +Knob 1 +CC +0 +99 +yes")))
        << run.Out.toStdString();

    run = Call({"diff", file, FactoryProfile()});
    EXPECT_EQ(run.Status, 1);
    EXPECT_TRUE(run.Out.contains("Knob 1 value: 99 -> 21")) << run.Out.toStdString();
    EXPECT_TRUE(run.Out.contains("Knob 2 name: Filter -> Knob 2"));

    run = Call({"reset", "--yes"});
    EXPECT_EQ(run.Status, 0) << run.Err.toStdString();
    EXPECT_EQ(Backups().size(), 2);
    EXPECT_EQ(Held().Record(2).Value, 21);
}

TEST_F(Ctl, NamedPortsNeedNoUsbAndEveryFailureHasItsStatus) {
    const QString noUsb = Home.FilePath("no-usb");
    QDir().mkpath(noUsb);
    QProcessEnvironment noService = Environment();
    noService.insert("JACK_DEFAULT_SERVER", "hbx740-no-such-server");
    EXPECT_EQ(CallWith({"identity"}, noService).Status, 3);

    // Not on USB; then on USB, but no port.
    CtlRun run = CallWith({"identity"}, Environment(noUsb));
    EXPECT_EQ(run.Status, 4);
    EXPECT_TRUE(run.Err.contains("is not on USB")) << run.Err.toStdString();
    run = Call({"detect"});
    EXPECT_EQ(run.Status, 4);
    EXPECT_TRUE(run.Out.contains("no MIDI port is named \"HBX740\"")) << run.Out.toStdString();

    StartSimulator({"--silent"});
    EXPECT_EQ(CallWith({"--port", "HBX740", "identity"}, Environment(noUsb)).Status, 5);
    EXPECT_EQ(CallWith({"--port", "Nothing", "identity"}, Environment(noUsb)).Status, 4);
    run = CallWith({"--port", "HBX740:in", "identity"}, Environment(noUsb));
    EXPECT_EQ(run.Status, 4);
    EXPECT_TRUE(run.Err.contains("no MIDI input port")) << run.Err.toStdString();
    // Without the backup's answer nothing is sent.
    const QString file = FactoryProfile();
    EXPECT_EQ(Call({"--timeout", "300", "write", file}).Status, 5);
    EXPECT_FALSE(SimulatorOutput.contains("recv F0 33 00 2B"));
    EXPECT_TRUE(Backups().isEmpty());

    EXPECT_EQ(Call({"show", Home.FilePath("missing.cus")}).Status, 6);
    EXPECT_EQ(Call({"write", Home.FilePath("missing.cus")}).Status, 6);
    EXPECT_EQ(Call({"reset"}).Status, 2);
    EXPECT_EQ(Call({"frobnicate"}).Status, 2);
    run = Call({"read", "--help"});
    EXPECT_EQ(run.Status, 0);
    EXPECT_TRUE(run.Out.contains("--base")) << run.Out.toStdString();
    EXPECT_TRUE(Call({"--version"}).Out.startsWith("hbx740ctl "));
}

TEST_F(Ctl, CheckedWriteCatchesAKeyboardThatStoresSomethingElse) {
    StartSimulator({"--store-wrong"});
    const CtlRun run = Call({"--port", "HBX740", "write", "--no-backup", FactoryProfile()});
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Out, "Encoder value: 10 -> 11\n");
    EXPECT_TRUE(Backups().isEmpty());
}

TEST_F(Ctl, MonitorPrintsEachMessageUntilInterrupted) {
    StartSimulator({"--send-note"});
    QProcess monitor;
    monitor.setProcessEnvironment(Environment());
    monitor.start(HBX_CTL, {"monitor", "--hex"});
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            monitor.waitForReadyRead(50);
            return monitor.peek(4096).contains("90 3C 64");
        },
        5000));
    ::kill(static_cast<pid_t>(monitor.processId()), SIGINT);
    ASSERT_TRUE(monitor.waitForFinished(3000));
    EXPECT_EQ(monitor.exitCode(), 0);
}

TEST_F(Ctl, WhatIsNoWholeProfileIsRefusedBeforeAnythingIsSent) {
    StartSimulator();
    Home.Write("empty.cus", {});
    Home.Write("text.cus", QByteArray("A text, not a profile.\n").repeated(100));
    Home.Write("long.cus", QByteArray(ProfileSize + 2, '\0'));
    Home.Write("two.syx", QByteArray::fromHex("F07E000601F7").repeated(2));
    const QString fifo = Home.FilePath("fifo.cus");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    ASSERT_TRUE(QDir(Home.Path()).mkdir("folder.cus"));
    const struct {
        QString Path;
        QString Words;
    } files[] = {
        {Home.FilePath("empty.cus"), "Not a profile: 0 bytes, where a profile has 1728."},
        {Home.FilePath("text.cus"), "Not a profile: 2300 bytes, where a profile has 1728."},
        {Home.FilePath("long.cus"), "Not a profile: 1730 bytes, where a profile has 1728."},
        {fifo, "Not a regular file."},
        {"/dev/null", "Not a regular file."},
        {Home.FilePath("folder.cus"), "File access denied."},
        {Home.FilePath("two.syx"),
         "Not a parameter set: 12 bytes starting F0 7E 00 06 …, which are 2 SysEx messages."},
    };
    for (const auto& file : files) {
        for (const QStringList& command :
             {QStringList{"show", file.Path}, QStringList{"write", file.Path},
              QStringList{"diff", file.Path, "keyboard"},
              QStringList{"read", "--base", file.Path}}) {
            const CtlRun run = Call(command);
            EXPECT_EQ(run.Status, 6) << command.join(' ').toStdString();
            EXPECT_EQ(run.Err.toStdString(),
                      ("hbx740ctl: " + file.Path + ": " + file.Words + "\n").toStdString());
            EXPECT_TRUE(run.Out.isEmpty()) << run.Out.toStdString();
        }
    }
    EXPECT_EQ(ReceivedBesidesIdentityRequests().join(u'\n').toStdString(), "");
}

TEST_F(Ctl, SysExFilesGoToTheKeyboardAsTheyStandAndAreShownAndCompared) {
    StartSimulator();
    ParameterModel profile = FactoryModel();
    profile.Record(2).Value = 99;
    profile.GlobalSettings()[Reverb] = 1;
    const QString cus = Home.FilePath("live.cus");
    SaveParaToFile(profile, cus);
    ASSERT_EQ(Call({"write", "--no-backup", "--no-verify", cus}).Status, 0);
    const QString syx = Home.FilePath("live.syx");
    CtlRun run = Call({"read", "-o", syx});
    ASSERT_EQ(run.Status, 0) << run.Err.toStdString();
    ASSERT_EQ(Call({"reset", "--yes", "--no-backup"}).Status, 0);
    run = Call({"write", "--no-backup", syx});
    EXPECT_EQ(run.Status, 0) << run.Err.toStdString();
    // The keyboard receives the file's bytes, as the profile's parameter set
    // sent them before.
    const QString file = QString::fromLatin1(Home.Read("live.syx").toHex(' ').toUpper());
    const QStringList sets = ReceivedBesidesIdentityRequests().filter("recv F0 33 00 2B");
    ASSERT_EQ(sets.size(), 3) << sets.join(u'\n').toStdString();
    EXPECT_EQ(sets[0].toStdString(), ("recv " + file).toStdString());
    EXPECT_EQ(sets[2].toStdString(), sets[0].toStdString());

    run = Call({"show", syx});
    EXPECT_TRUE(run.Out.contains(QRegularExpression("Knob 1 +Knob 1 +CC +0 +99 +yes")))
        << run.Out.toStdString();
    EXPECT_EQ(Call({"diff", syx, "keyboard"}).Status, 0);
    // A SysEx file has no names, so only the transferred fields count.
    profile.Record(3).ParaName.Assign("Filter");
    SaveParaToFile(profile, cus);
    EXPECT_EQ(Call({"diff", cus, syx}).Status, 0);
    run = Call({"diff", syx, FactoryProfile()});
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Out, "Knob 1 value: 99 -> 21\nREVERB: ON -> OFF\n");
}

TEST_F(Ctl, APortTheServiceCannotOpenIsAServiceFailure) {
    const InactiveJackClient unopenable("Unopenable");
    ASSERT_TRUE(unopenable.Opened());
    const CtlRun run = Call({"--port", "Unopenable", "identity"});
    EXPECT_EQ(run.Status, 3);
    EXPECT_TRUE(run.Err.startsWith("hbx740ctl: Cannot connect to \"Unopenable:"))
        << run.Err.toStdString();
}

TEST_F(Ctl, MonitorPrintsEachMessageWithItsOwnLength) {
    StartSimulator({"--commands"});
    const QStringList messages = {"C0 05", "D0 40", "F1 23",    "F6",
                                  "F8",    "FF",    "E0 01 40", "90 3C 64"};
    QProcess monitor;
    monitor.setProcessEnvironment(Environment());
    monitor.start(HBX_CTL, {"monitor", "--hex"});
    ASSERT_TRUE(monitor.waitForStarted(5000));
    QString err;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            monitor.waitForReadyRead(50);
            err += QString::fromUtf8(monitor.readAllStandardError());
            return err.contains("monitoring");
        },
        5000));
    for (const QString& message : messages)
        Simulator.write(("send " + message + "\n").toUtf8());
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            monitor.waitForReadyRead(50);
            return monitor.peek(4096).contains(messages.last().toUtf8());
        },
        5000));
    ::kill(static_cast<pid_t>(monitor.processId()), SIGINT);
    ASSERT_TRUE(monitor.waitForFinished(3000));
    // The identity reply, a SysEx, may come before them.
    const QStringList lines = QString::fromUtf8(monitor.readAllStandardOutput())
                                  .split(u'\n', Qt::SkipEmptyParts)
                                  .filter(QRegularExpression("^(?!F0 )"));
    EXPECT_EQ(lines.join(u',').toStdString(), messages.join(u',').toStdString());
}

TEST_F(Ctl, NamesHoldingPlaceholdersArePrintedAsTheyStand) {
    const auto multiline = QRegularExpression::MultilineOption;
    StartSimulator({"--name", "Pad %1"});
    CtlRun run = Call({"ports"});
    EXPECT_EQ(run.Status, 0);
    EXPECT_TRUE(run.Out.contains(QRegularExpression("^input +\\d+ Pad %1 +Pad %1:out$", multiline)))
        << run.Out.toStdString();

    ParameterModel profile = FactoryModel();
    profile.Record(2).ParaName.Assign("%1 lead %2");
    const QString file = Home.FilePath("placeholders.cus");
    SaveParaToFile(profile, file);
    run = Call({"show", file});
    EXPECT_EQ(run.Status, 0);
    EXPECT_TRUE(
        run.Out.contains(QRegularExpression("^Knob 1 +%1 lead %2 +CC +0 +21 +yes +-$", multiline)))
        << run.Out.toStdString();
}

} // namespace
