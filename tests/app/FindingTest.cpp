#include "EditorWithSimulator.h"
#include "model/SettingsFile.h"

#include <QListWidget>
#include <QProgressBar>
#include <QTest>

// Finding the keyboard where the editor does not expect it, on the real MIDI
// service: ports the user chose, a keyboard plugged in late, one that does
// not answer, and what the connection label says about each.
namespace {

const QString Renamed = QStringLiteral("Keys 49");

QString LastLine(const QString& text) {
    return text.section(u'\n', -1);
}

class FindingTest : public EditorWithSimulator {
protected:
    QString Why() const { return LastLine(Get<QLabel>("LbConnect")->toolTip()); }
    bool WaitForWhy(const QString& line, int timeoutMs = 4000) {
        return QTest::qWaitFor([&] { return Why() == line; }, timeoutMs);
    }
    // Ctrl+P, answered with `choice`.
    void ChoosePorts(const DeviceChoice& choice) {
        Prompts.PortAnswers.push_back(choice);
        QTest::keyClick(Window.get(), Qt::Key_P, Qt::ControlModifier);
    }
    QString SettingsFile() const { return Folder.FilePath("System.ini"); }
};

// Behind a MIDI interface, or renamed by the system, and not on USB: found
// only through the ports the user chose, which were remembered.
class RenamedKeyboard : public FindingTest {
protected:
    QStringList SimulatorOptions() const override { return {"--name", Renamed}; }
    void BeforeSimulator() override {
        QDir(UsbTree.FilePath("1-4")).removeRecursively();
        WriteDeviceChoice(SettingsFile(), {Renamed, Renamed});
    }
};

class KeyboardPluggedInLater : public FindingTest {
protected:
    QStringList SimulatorOptions() const override { return {"--name", "Another device"}; }
};

class SilentKeyboard : public FindingTest {
protected:
    QStringList SimulatorOptions() const override { return {"--silent"}; }
};

} // namespace

TEST_F(RenamedKeyboard, RememberedPortsConnectWithoutUsbAndAutomaticSearchesAsBefore) {
    ASSERT_TRUE(WaitForConnection("Connect", 5000));
    EXPECT_TRUE(
        Get<QLabel>("LbConnect")->toolTip().contains("USB: not looked at (the ports were named)"));
    EXPECT_EQ(Why(), "Identity: firmware 1.05");
    EXPECT_FALSE(ReadProfileSetting(SettingsFile()).isEmpty());

    ChoosePorts(DeviceChoice{});
    ASSERT_EQ(Prompts.PortRequests.size(), 1u);
    const PortsRequest& asked = Prompts.PortRequests.front();
    EXPECT_TRUE(asked.Inputs.contains(Renamed) && asked.Outputs.contains(Renamed));
    EXPECT_EQ(asked.Current, (DeviceChoice{Renamed, Renamed}));
    EXPECT_EQ(asked.Why, "Identity: firmware 1.05");

    // Automatic: the search by USB, which does not see it.
    EXPECT_TRUE(ReadDeviceChoice(SettingsFile()).Automatic());
    EXPECT_TRUE(WaitForConnection("Disconnect", 1000));
    EXPECT_EQ(Why(), "USB: the HBX740 (5d2e:9a47) is not on USB");
    const auto* inputs = Get<QListWidget>("lbxInputDevices");
    ASSERT_EQ(inputs->findItems(Renamed, Qt::MatchExactly).size(), 1);
    EXPECT_EQ(inputs->findItems(Renamed, Qt::MatchExactly).front()->checkState(), Qt::Unchecked);

    // Chosen again, it is taken at once.
    ChoosePorts(DeviceChoice{Renamed, Renamed});
    EXPECT_TRUE(WaitForConnection("Connect", 3000));
    EXPECT_EQ(ReadDeviceChoice(SettingsFile()), (DeviceChoice{Renamed, Renamed}));
}

TEST_F(KeyboardPluggedInLater, ItIsFoundWithoutARestart) {
    ASSERT_TRUE(
        WaitForWhy("Ports: on USB, but no MIDI port is named \"HBX740\" or begins with \"USB\""));
    EXPECT_EQ(LabelText("LbConnect"), "Disconnect");

    Simulator.terminate();
    Simulator.waitForFinished(3000);
    StartSimulator({});
    ASSERT_FALSE(HasFatalFailure());
    ASSERT_TRUE(WaitForConnection("Connect", 5000));
    EXPECT_EQ(LabelText("LbVersions"), "FW: V1.05");
    const auto found = Get<QListWidget>("lbxOutputDevices")->findItems("HBX740", Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    EXPECT_EQ(found.front()->checkState(), Qt::Checked);
    EXPECT_TRUE(Prompts.Errors().isEmpty()) << Prompts.Errors().join('\n').toStdString();
}

TEST_F(SilentKeyboard, SaysItDoesNotAnswerAndShowsTheRunOutWaitWithoutABox) {
    ASSERT_TRUE(WaitForWhy("Identity: the ports are there, but the keyboard does not answer"));

    auto* bar = Get<QProgressBar>("ProBarToPC");
    Prompts.ConfirmAnswers = {true};
    Click("BtnSyncPc");
    ASSERT_TRUE(QTest::qWaitFor([&] { return bar->isTextVisible(); }, 3000));
    EXPECT_EQ(bar->text(), "The keyboard did not answer.");
    EXPECT_FALSE(Get<QProgressBar>("ProBarToFW")->isTextVisible());
    EXPECT_TRUE(Prompts.Notices().isEmpty());
    EXPECT_TRUE(Prompts.Errors().isEmpty());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !bar->isTextVisible(); }, 6000));
}
