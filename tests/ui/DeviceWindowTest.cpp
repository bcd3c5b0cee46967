#include "DeviceWindowFixture.h"
#include "SimulatedKeyboard.h"
#include "model/ProfileFile.h"
#include "model/SettingsFile.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QTimer>
#include <atomic>
#include <functional>
#include <thread>

TEST_F(DeviceWindowTest, NoInputPortMeansDisconnectedWithoutAskingUsb) {
    AddPorts({}, {"HBX740"});
    Usb.Ids = {KeyboardUsb};
    Start();
    EXPECT_EQ(Usb.Queries, 0);
    EXPECT_EQ(Text("LbConnect"), "Disconnect");
    EXPECT_EQ(Window->Link().DeviceDisconnected(), 1);
    EXPECT_EQ(Get<QListWidget>("lbxOutputDevices")->count(), 1);

    Click("BtnSyncPc");
    Click("BtnSyncFw");
    Click("BtnReset");
    EXPECT_EQ(Prompts.Notices(),
              QStringList(3, "       The Device is disconnected, please check!     "));
    EXPECT_TRUE(Prompts.Texts(FakeUserPrompts::Kind::Confirm).isEmpty());
    EXPECT_TRUE(Midi->Sent().empty());
}

TEST_F(DeviceWindowTest, KeyboardMustBeOnUsbByItsExactIdentifierPrefix) {
    Usb.Ids = {QStringLiteral("USB\\VID_5D2E&PID_9A4"),
               QStringLiteral("usb\\vid_5d2e&pid_9a47\\1")};
    AddPorts({"HBX740"}, {"HBX740"});
    Start();
    EXPECT_EQ(Usb.Queries, 1);
    EXPECT_EQ(Window->Link().KeyboardOnUsb(), 0);
    EXPECT_EQ(Window->Link().DeviceDisconnected(), 1);
    EXPECT_TRUE(Midi->Calls().empty());
    EXPECT_EQ(Get<QListWidget>("lbxInputDevices")->item(0)->text(), "HBX740");
    EXPECT_FALSE(Ticked("lbxInputDevices", 0));
}

TEST_F(DeviceWindowTest, NameMatchBindsTheFirstPortAndShowsTheFirmware) {
    Usb.Ids = {KeyboardUsb};
    AddPorts({"HBX740", "Synth", "HBX740"}, {"Synth", "HBX740", "HBX740"});
    Start();
    const DeviceLink& link = Window->Link();
    EXPECT_EQ(link.DevicePort(), 1);
    EXPECT_EQ(link.PortMatchKind(), NamePortMatch);
    EXPECT_EQ(Midi->Calls(),
              (std::vector<std::string>{"OpenOutput HBX740:out1", "OpenInput HBX740:in0",
                                        "OpenInput HBX740:in2", "SendLong HBX740:out1"}));
    EXPECT_TRUE(Ticked("lbxOutputDevices", 1));
    EXPECT_FALSE(Ticked("lbxOutputDevices", 2));
    EXPECT_TRUE(Ticked("lbxInputDevices", 2));
    EXPECT_EQ(Text("LbUSBNum"), "1");
    EXPECT_TRUE(TimerRuns("Timer3"));

    Reply(IdentityReply105, 2);
    ASSERT_TRUE(WaitFor([&] { return Text("LbConnect") == "Connect"; }));
    EXPECT_EQ(Text("LbVersions"), "FW: V" + QLocale().toString(1.05, 'f', 2));
    EXPECT_FALSE(TimerRuns("Timer3"));
    EXPECT_EQ(Get("LbConnect")->palette().color(QPalette::WindowText), QColor(0x00, 0xFF, 0x00));
}

TEST_F(DeviceWindowTest, ChosenPortsShowConnectOnlyOnceTheyAnswer) {
    StartWithKeyboard();
    Reply(IdentityReply105);
    ASSERT_TRUE(WaitFor([&] { return Text("LbConnect") == "Connect"; }));
    AddPorts({"Synth"}, {"Synth"});
    Prompts.PortAnswers.push_back(DeviceChoice{"Synth", "Synth"});
    QTest::keyClick(Window.get(), Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(Text("LbConnect"), "Disconnect");
    EXPECT_EQ(Midi->Sent().back().Port, Outputs.back());
}

TEST_F(DeviceWindowTest, RememberedPortsThatAreGoneLeaveTheUsualSearch) {
    WriteDeviceChoice(Folder.FilePath("System.ini"), {"Keys 49", "Keys 49"});
    StartWithKeyboard();
    EXPECT_EQ(Usb.Queries, 1);
    EXPECT_EQ(Window->Link().PortMatchKind(), NamePortMatch);
    EXPECT_TRUE(Get("LbConnect")
                    ->toolTip()
                    .contains("Chosen ports: not listed, so the keyboard is searched for"));
}

TEST_F(DeviceWindowTest, PrefixMatchAsksEveryUsbPortThenTakesTurnsOverThem) {
    Usb.Ids = {KeyboardUsb};
    AddPorts({"USB MIDI A"}, {"USB MIDI A", "Synth", "USB MIDI B"});
    Start();
    const DeviceLink& link = Window->Link();
    EXPECT_EQ(link.UsbPortCount(), 2);
    EXPECT_EQ(link.DevicePort(), 2);
    EXPECT_EQ(link.PortMatchKind(), UsbPortMatch);
    EXPECT_EQ(IdentityRequestTargets(), (std::vector<int>{0, 2}));
    // Another maker's reply on the way does not end the search.
    Reply({0xF0, 0x7E, 0x7F, 0x06, 0x02, 0x41, 0x00, 0x01, 0x05, 0xF7});
    ASSERT_TRUE(WaitFor([&] { return !TimerRuns("Timer3"); }));
    // Seven retries over the two ports that were asked first; "Synth" never.
    EXPECT_EQ(IdentityRequestTargets(), (std::vector<int>{0, 2, 0, 2, 0, 2, 0, 2, 0}));
    EXPECT_EQ(link.IdentityTicks(), 7);
    EXPECT_EQ(Text("LbConnect"), "Disconnect");
    EXPECT_TRUE(Prompts.Log.empty());
}

TEST_F(DeviceWindowTest, ReplyOnAPrefixPortRebindsTheDevicePortByName) {
    Usb.Ids = {KeyboardUsb};
    AddPorts({"USB Keys", "USB Pads"}, {"USB Pads", "USB Keys", "USB Other"});
    Start();
    EXPECT_EQ(Window->Link().DevicePort(), 2);
    Reply(IdentityReply105, 0);
    EXPECT_EQ(Window->Link().DevicePort(), 1);
    ASSERT_TRUE(WaitFor([&] { return Text("LbConnect") == "Connect"; }));
}

TEST_F(DeviceWindowTest, LoneUsbPortBeyondIndexFiveGetsOnlyTheRetries) {
    Usb.Ids = {KeyboardUsb};
    AddPorts({"USB in"}, {"a", "b", "c", "d", "e", "f", "g", "USB out"});
    Start();
    EXPECT_EQ(Window->Link().DevicePort(), 7);
    EXPECT_TRUE(IdentityRequestTargets().empty());
    ASSERT_TRUE(WaitFor([&] { return IdentityRequestTargets().size() >= 2; }));
    EXPECT_EQ(IdentityRequestTargets(), (std::vector<int>{7, 7}));
}

TEST_F(DeviceWindowTest, InputsOnlyOpenTheInputsAndAskNothing) {
    Usb.Ids = {KeyboardUsb};
    AddPorts({"USB in"}, {"Synth"});
    Start();
    EXPECT_EQ(Window->Link().PortMatchKind(), UsbPortMatch);
    EXPECT_EQ(Window->Link().UsbPortCount(), 0);
    EXPECT_EQ(Window->Link().DevicePort(), 0);
    EXPECT_EQ(Midi->Calls(), std::vector<std::string>{"OpenInput USB in:in0"});
    EXPECT_FALSE(TimerRuns("Timer3"));
}

TEST_F(DeviceWindowTest, ConnectionCheckWatchesTheKeyboardsInputWhereverItIsListed) {
    Usb.Ids = {KeyboardUsb};
    AddPorts({"Synth", "HBX740"}, {"HBX740"});
    Start();
    Reply(IdentityReply105, 1);
    ASSERT_TRUE(WaitFor([&] { return Text("LbConnect") == "Connect"; }));
    Midi->RemovePort(Inputs[0]);
    QTest::qWait(1300);
    EXPECT_EQ(Text("LbConnect"), "Connect");
    EXPECT_EQ(Ports->LastDeviceCheck, MidiResultCode::Ok);
    Midi->RemovePort(Inputs[1]);
    EXPECT_TRUE(WaitFor([&] { return Text("LbConnect") == "Disconnect"; }, 1500));
}

TEST_F(DeviceWindowTest, VanishingInputPortZeroDisconnectsWithinASecond) {
    StartWithKeyboard();
    Reply(IdentityReply105);
    ASSERT_TRUE(WaitFor([&] { return Text("LbConnect") == "Connect"; }));
    Midi->RemovePort(Inputs[0]);
    ASSERT_TRUE(WaitFor([&] { return Text("LbConnect") == "Disconnect"; }, 2500));
    EXPECT_EQ(Text("LbVersions"), "");
    EXPECT_EQ(Window->Link().DeviceDisconnected(), 1);
    EXPECT_EQ(Ports->LastDeviceCheck, MidiResultCode::BadDeviceId);
    EXPECT_FALSE(TimerRuns("TimerCheckUSB"));

    Window.reset();
    // Shutdown leaves the output port of a disconnected keyboard alone.
    const auto calls = Midi->Calls();
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "CloseOutput HBX740:out0"), 0);
}

// Gone and back at once under the same name: the ports held are no longer the
// keyboard's, so it is bound again and asked who it is, as after an unplug.
TEST_F(DeviceWindowTest, AQuickReplugIsNoticedAndTheKeyboardBoundAgain) {
    StartWithKeyboard();
    Reply(IdentityReply105);
    ASSERT_TRUE(WaitFor([&] { return Text("LbConnect") == "Connect"; }));
    const auto inputOpens = [&] {
        const auto calls = Midi->Calls();
        return std::count(calls.begin(), calls.end(), "OpenInput " + Inputs[0]);
    };
    Midi->Replug(Inputs[0]);
    Midi->Replug(Outputs[0]);
    ASSERT_TRUE(WaitFor([&] { return Text("LbConnect") == "Disconnect"; }, 2500));
    ASSERT_TRUE(WaitFor([&] { return inputOpens() == 2; }, 2500));
    Reply(IdentityReply105);
    EXPECT_TRUE(WaitFor([&] { return Text("LbConnect") == "Connect"; }, 2000));
}

TEST_F(DeviceWindowTest, ShutdownClosesTheOpenedPorts) {
    StartWithKeyboard();
    Window.reset();
    const auto calls = Midi->Calls();
    EXPECT_EQ(std::vector<std::string>(calls.end() - 2, calls.end()),
              (std::vector<std::string>{"CloseInput HBX740:in0", "CloseOutput HBX740:out0"}));
}

TEST_F(DeviceWindowTest, SyncToFwSendsTheParameterSetAndAnnouncesTheAcknowledgement) {
    StartWithKeyboard();
    SetValue("99");
    Prompts.ConfirmAnswers = {true};
    int barWhileShown = -1;
    Prompts.WhileNoticeShown = [&](const QString&) {
        barWhileShown = Get<QProgressBar>("ProBarToFW")->value();
    };
    Click("BtnSyncFw");
    EXPECT_EQ(Prompts.Texts(FakeUserPrompts::Kind::Confirm),
              QStringList{"   Do you want to synchronize data to the device firmware?   "});
    const FakeSentMessage sent = Midi->Sent().back();
    ASSERT_EQ(sent.Bytes.size(), 51u);
    EXPECT_EQ(sent.Bytes[4], 99);
    EXPECT_EQ(Window->Model().Record(1).Value, 99);
    ParameterModel saved;
    LoadParaFromFile(saved, Folder.FilePath("customer.cus"), false);
    EXPECT_EQ(saved.Record(1).Value, 99);

    Reply(Acknowledgement);
    ASSERT_TRUE(WaitFor([&] { return !Prompts.Notices().isEmpty(); }));
    EXPECT_EQ(Prompts.Notices(),
              QStringList{"      Editor data successfully synchronized to the device.     "});
    EXPECT_EQ(barWhileShown, 100);
    EXPECT_EQ(Get<QProgressBar>("ProBarToFW")->value(), 0);
    EXPECT_EQ(Window->Link().WriteAcknowledged(), 0);
}

TEST_F(DeviceWindowTest, UnansweredSyncToFwSaysSoWithoutABoxAndKeepsTheProfileSaved) {
    StartWithKeyboard();
    SetValue("55");
    Prompts.ConfirmAnswers = {true};
    Click("BtnSyncFw");
    ASSERT_TRUE(WaitFor([&] { return !TimerRuns("TimerSyncFW"); }));
    EXPECT_TRUE(Prompts.Notices().isEmpty());
    const auto* bar = Get<QProgressBar>("ProBarToFW");
    EXPECT_TRUE(bar->isTextVisible());
    EXPECT_EQ(bar->text(), "The keyboard did not answer.");
    ParameterModel saved;
    LoadParaFromFile(saved, Folder.FilePath("customer.cus"), false);
    EXPECT_EQ(saved.Record(1).Value, 55);
}

TEST_F(DeviceWindowTest, DeclinedCommandsChangeNothing) {
    StartWithKeyboard();
    const auto sentBefore = Midi->Sent().size();
    const QByteArray profile = Folder.Read("customer.cus");
    SetValue("12");
    Click("BtnSyncPc");
    Click("BtnSyncFw");
    Click("BtnReset");
    EXPECT_EQ(Prompts.Texts(FakeUserPrompts::Kind::Confirm).size(), 3);
    EXPECT_EQ(Midi->Sent().size(), sentBefore);
    EXPECT_EQ(Folder.Read("customer.cus"), profile);
    EXPECT_EQ(Window->Model().Record(1).Value, 10);
}

TEST_F(DeviceWindowTest, ResetWritesTheDefaultsEverywhere) {
    StartWithKeyboard();
    SelectControl(3);
    SetValue("1");
    SelectControl(3);
    Prompts.ConfirmAnswers = {true};
    Click("BtnReset");
    EXPECT_EQ(Prompts.Texts(FakeUserPrompts::Kind::Confirm),
              QStringList{"Do you want to reset the factory parameters?"});
    EXPECT_EQ(Window->Model().Record(3).Value, 22);
    EXPECT_EQ(Text("EdtValue"), "22");
    TByteStream expected;
    HexTextToStream(BuildParameterSet([] {
                        ParameterModel defaults;
                        ResetPara(defaults);
                        return defaults;
                    }()),
                    expected);
    const Bytes expectedBytes(expected.Bytes().begin(), expected.Bytes().end());
    EXPECT_EQ(Midi->Sent().back().Bytes, expectedBytes);
    ParameterModel saved;
    LoadParaFromFile(saved, Folder.FilePath("customer.cus"), false);
    EXPECT_EQ(saved.Record(3).Value, 22);

    Reply(Acknowledgement);
    ASSERT_TRUE(WaitFor([&] { return !Prompts.Notices().isEmpty(); }));
    EXPECT_EQ(Prompts.Notices(),
              QStringList{"      Editor data successfully synchronized to the device.     "});
}

TEST_F(DeviceWindowTest, SyncToPcDecodesTheDumpIntoModelAndPanel) {
    StartWithKeyboard();
    Prompts.ConfirmAnswers = {true};
    Click("BtnSyncPc");
    EXPECT_EQ(Midi->Sent().back().Bytes,
              (Bytes{0xF0, 0x33, 0x00, 0x00, 0x08, 0xF7, 0x00, 0x00, 0x00}));

    ParameterModel device;
    ResetPara(device);
    device.Record(1).Value = 64;
    device.Record(1).Disable = 1;
    device.GlobalSettings()[Transpose] = 14;
    device.GlobalSettings()[Reverb] = 1;
    Reply(DumpReplyOf(device));
    ASSERT_TRUE(WaitFor([&] { return !Prompts.Notices().isEmpty(); }));
    EXPECT_EQ(
        Prompts.Notices(),
        QStringList{"      Device data successfully synchronized to the Editor software.     "});
    EXPECT_EQ(Window->Model().Record(1).Value, 64);
    EXPECT_EQ(Window->Model().GlobalSettings()[Transpose], 14);
    EXPECT_EQ(Window->Model().GlobalSettings()[Reverb], 1);
    EXPECT_EQ(Text("EdtValue"), "64");
    EXPECT_EQ(ComboText("CmbTranspose"), "2");
    EXPECT_EQ(ComboText("CmbReverb"), "ON");
    EXPECT_EQ(Window->Model().Record(1).Disable, 1);
    EXPECT_FALSE(Get<QCheckBox>("CbEnable")->isChecked());
}

// Replies that another program asked for (hbx740ctl beside the editor), or
// that come after the command gave up, change nothing.
TEST_F(DeviceWindowTest, RepliesTheEditorDidNotAwaitChangeNothing) {
    StartWithKeyboard();
    ParameterModel device;
    ResetPara(device);
    device.Record(2).Value = 77;
    const std::string before = BuildParameterSet(Window->Model());
    const auto unchanged = [&] {
        QCoreApplication::processEvents();
        return BuildParameterSet(Window->Model()) == before && Window->Link().DumpReceived() == 0 &&
               Window->Link().WriteAcknowledged() == 0;
    };
    Reply(DumpReplyOf(device));
    Reply(Acknowledgement);
    EXPECT_TRUE(unchanged());

    Prompts.ConfirmAnswers = {true};
    Click("BtnSyncPc");
    ASSERT_TRUE(WaitFor([&] { return !TimerRuns("TimerSyncPC"); }));
    Reply(DumpReplyOf(device));
    EXPECT_TRUE(unchanged());
    EXPECT_TRUE(Prompts.Notices().isEmpty());
}

TEST_F(DeviceWindowTest, MonitorShowsShortMessagesInTheChosenFormAndSkipsActiveSensing) {
    StartWithKeyboard();
    EXPECT_EQ(Text("LbStatus"), "");
    Reply({0x90, 0x3C, 0x64});
    Reply({0xFE});
    ASSERT_TRUE(WaitFor([&] { return Text("LbStatus") == "144"; }));
    QTest::qWait(20);
    EXPECT_EQ(Text("LbData1"), "60");
    EXPECT_EQ(Text("LbData2"), "100");

    auto* form = Get<QComboBox>("CmbDataDis");
    form->setCurrentIndex(1);
    emit form->activated(1);
    EXPECT_EQ(Text("LbStatus"), "90");
    EXPECT_EQ(Text("LbData1"), "3C");
    EXPECT_EQ(Text("LbData2"), "64");

    Reply({0xC0, 0x05});
    ASSERT_TRUE(WaitFor([&] { return Text("LbStatus") == "C0"; }));
    EXPECT_EQ(Text("LbData2"), "00");
}

TEST_F(DeviceWindowTest, MonitorEndsOnTheLastMessageOfAFlood) {
    StartWithKeyboard();
    for (int i = 0; i < 5000; ++i)
        Midi->Inject(Inputs[0], {0xB0, static_cast<std::uint8_t>(i % 128), 1});
    Midi->Inject(Inputs[0], {0x80, 0x40, 0x7F});
    Midi->WaitUntilDelivered();
    ASSERT_TRUE(WaitFor([&] { return Text("LbStatus") == "128"; }));
    EXPECT_EQ(Text("LbData1"), "64");
    EXPECT_EQ(Text("LbData2"), "127");
}

TEST(SimulatedKeyboardWindow, ConnectsAndRoundTripsTheParameterSet) {
    auto service = std::make_unique<FakeMidiService>();
    FakeMidiService& midi = *service;
    MidiPorts ports(std::move(service));
    TempFolder folder;
    FakeUserPrompts prompts;
    FakeUsbDeviceQuery usb;
    usb.Ids = {KeyboardUsb};
    {
        // Goes before the service does.
        SimulatedKeyboard keyboard(midi, "HBX740", {2, 10});
        TForm1 window(EditorServices{prompts, usb, ports, folder.Path()});
        auto* connect = window.findChild<QLabel*>("LbConnect");
        ASSERT_TRUE(QTest::qWaitFor([&] { return connect->text() == "Connect"; }, 3000));
        EXPECT_EQ(window.findChild<QLabel*>("LbVersions")->text(),
                  "FW: V" + QLocale().toString(2.10, 'f', 2));

        auto* transpose = window.findChild<QComboBox*>("CmbTranspose");
        transpose->setCurrentIndex(3);
        prompts.ConfirmAnswers = {true, true};
        QTest::mouseClick(window.findChild<QWidget*>("BtnSyncFw"), Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([&] { return prompts.Notices().size() == 1; }, 3000));
        EXPECT_EQ(keyboard.Stored()[41], 3);

        transpose->setCurrentIndex(0);
        QTest::mouseClick(window.findChild<QWidget*>("BtnSyncPc"), Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([&] { return prompts.Notices().size() == 2; }, 3000));
        EXPECT_EQ(transpose->currentIndex(), 3);
    }
}

// Short messages and SysEx from several threads on several ports, while the
// window's thread closes and reopens ports and checks the connection every few
// milliseconds: the run ThreadSanitizer judges.
TEST_F(DeviceWindowTest, FloodOnSeveralPortsWhilePortsCycleAndTheConnectionIsChecked) {
    Usb.Ids = {KeyboardUsb};
    AddPorts({"HBX740", "Synth A", "Synth B"}, {"HBX740"});
    Start();
    Reply(IdentityReply105);
    ASSERT_TRUE(WaitFor([&] { return Text("LbConnect") == "Connect"; }));
    Window->findChild<QTimer*>(QStringLiteral("TimerCheckUSB"))->setInterval(5);

    Bytes foreignSysEx = Acknowledgement;
    foreignSysEx[1] = 0x34;
    std::atomic<bool> stop{false};
    std::vector<std::jthread> senders;
    for (const std::string& port : Inputs) {
        senders.emplace_back([&, port] {
            // Paced, so that the flood lasts as long as the port cycling.
            for (int i = 0; !stop; ++i) {
                if (i % 8 == 0)
                    Midi->Inject(port, foreignSysEx);
                else
                    Midi->Inject(port, {0xB0, static_cast<std::uint8_t>(i % 128), 1});
                if (i % 64 == 63)
                    std::this_thread::sleep_for(std::chrono::microseconds(200));
            }
        });
    }
    for (int round = 0; round < 40; ++round) {
        const int port = 1 + round % 2;
        InputPorts().ClosePort(port);
        QTest::qWait(1);
        InputPorts().OpenPort(port);
        QTest::qWait(1);
    }
    stop = true;
    senders.clear();
    Midi->WaitUntilDelivered();

    Reply({0x80, 0x40, 0x7F});
    ASSERT_TRUE(WaitFor([&] { return Text("LbStatus") == "128"; }));
    EXPECT_EQ(Text("LbConnect"), "Connect");
    EXPECT_TRUE(Prompts.Errors().isEmpty()) << Prompts.Errors().join('\n').toStdString();
}

TEST_F(DeviceWindowTest, EveryCommandThatReplacesAProfileKeepsWhatItReplaced) {
    StartWithKeyboard();
    const QString profile = Folder.FilePath("customer.cus");
    const QString other = Folder.FilePath("other.cus");
    const auto content = [](const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const auto backups = [this, &content] {
        QList<QByteArray> kept;
        const QDir folder(Folder.FilePath("backups"));
        for (const QString& name : folder.entryList({"*.cus"}, QDir::Files, QDir::Name))
            kept << content(folder.filePath(name));
        return kept;
    };
    QList<QByteArray> replaced;
    const auto run = [&](const QString& path, const std::function<void()>& command) {
        replaced << content(path);
        command();
    };

    SetValue("11");
    Click("BtnSave");
    const qsizetype first = backups().size();
    SetValue("12");
    run(profile, [&] { Click("BtnSave"); });
    Prompts.ConfirmAnswers = {true};
    run(profile, [&] { Click("BtnNEW"); });
    SetValue("13");
    Prompts.ConfirmAnswers = {true};
    run(profile, [&] { Click("BtnSyncFw"); });
    SetValue("14");
    Prompts.ConfirmAnswers = {true};
    run(profile, [&] { Click("BtnReset"); });
    Folder.Write("other.cus", QByteArray(88, '\x01'));
    Prompts.FileAnswers = {other};
    run(other, [&] { Click("BtnExport"); });
    // Saving what the file holds already replaces nothing worth keeping.
    Click("BtnSave");

    EXPECT_TRUE(Prompts.Errors().isEmpty()) << Prompts.Errors().join('\n').toStdString();
    const QList<QByteArray> kept = backups();
    ASSERT_EQ(kept.size() - first, replaced.size());
    for (const QByteArray& old : replaced)
        EXPECT_TRUE(kept.contains(old));
    EXPECT_EQ(QDir(Folder.FilePath("backups")).entryList({"other-*.cus"}).size(), 1);
}

TEST_F(DeviceWindowTest, WithoutAMidiServiceTheConnectionLabelSaysSo) {
    Midi->ServiceKind = MidiServiceKind::None;
    Start();
    EXPECT_TRUE(WaitFor([&] {
        return Get<QLabel>("LbConnect")->toolTip() ==
               "MIDI service: none (no ALSA sequencer, no JACK server)";
    }));
}
