#include "EditorWithSimulator.h"
#include "device/DeviceMessages.h"

#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

// What a faulty or vanishing keyboard does to the editor on the real MIDI
// service: it must keep running, keep its window responsive and take the
// keyboard's values only from a valid dump reply.
namespace {

// The longest pause of the window's event loop while it is being watched: a
// 5 ms timer that notes how late each of its ticks comes.
class LoopWatch {
public:
    LoopWatch() {
        Ticker.setInterval(5);
        QObject::connect(&Ticker, &QTimer::timeout, [this] {
            LongestGapMs = std::max(LongestGapMs, Since.restart());
            ++Ticks;
        });
        Since.start();
        Ticker.start();
    }
    qint64 LongestGapMs = 0;
    int Ticks = 0;

private:
    QTimer Ticker;
    QElapsedTimer Since;
};

// Far above any lag a user would notice, far below a hang.
constexpr qint64 StallMs = 1000;

class DeviceFault : public EditorWithSimulator {
protected:
    void SetUp() override {
        EditorWithSimulator::SetUp();
        if (HasFatalFailure())
            return;
        ASSERT_TRUE(WaitForConnection("Connect", 10000));
    }

    std::string ParameterSet() const { return BuildParameterSet(Window->Model()); }

    bool SyncWaitRunning(const char* timer) const {
        return Window->findChild<QTimer*>(QString::fromLatin1(timer))->isActive();
    }

    // The editor keeps answering its user: a click on another control
    // selects it.
    void ExpectResponsive() {
        const int other = Window->Model().SelectedControl == 3 ? 4 : 3;
        Click(QStringLiteral("mCode%1").arg(other).toLatin1().constData());
        EXPECT_EQ(Window->Model().SelectedControl, other);
    }
};

class SlowKeyboard : public DeviceFault {
protected:
    QStringList SimulatorOptions() const override { return {"--delay-ms", "1500"}; }

    // Starts a synchronisation, kills the keyboard while it works on the
    // reply and checks that the wait ends without a word.
    void KillDuring(const char* button, const char* timer) {
        const std::string before = ParameterSet();
        Prompts.ConfirmAnswers = {true};
        Click(button);
        ASSERT_TRUE(SyncWaitRunning(timer));
        ASSERT_TRUE(WaitForSimulatorLine("recv F0 33 00", 3000));
        KillSimulator();

        LoopWatch watch;
        EXPECT_TRUE(QTest::qWaitFor([&] { return !SyncWaitRunning(timer); }, 10000));
        EXPECT_TRUE(WaitForConnection("Disconnect", 4000));
        EXPECT_LT(watch.LongestGapMs, StallMs);
        EXPECT_TRUE(Prompts.Notices().isEmpty()) << Prompts.Notices().join('\n').toStdString();
        EXPECT_TRUE(Prompts.Errors().isEmpty()) << Prompts.Errors().join('\n').toStdString();
        EXPECT_EQ(ParameterSet(), before);
        ExpectResponsive();
    }
};

QString Hex(const std::vector<std::uint8_t>& bytes) {
    QStringList words;
    for (std::uint8_t byte : bytes)
        words << QStringLiteral("%1").arg(byte, 2, 16, QChar(u'0')).toUpper();
    return words.join(u' ');
}

// A dump reply whose 43 parameter bytes differ from the editor's defaults.
std::vector<std::uint8_t> ValidDumpReply() {
    std::vector<std::uint8_t> reply{0xF0, 0x33, 0x01, 0x2B};
    for (int i = 0; i < ParameterByteCount; ++i)
        reply.push_back(static_cast<std::uint8_t>((i * 7 + 3) % 100));
    reply.push_back(0xF7);
    return reply;
}

} // namespace

TEST_F(SlowKeyboard, KilledDuringSyncToFwTheWaitEndsSilently) {
    KillDuring("BtnSyncFw", "TimerSyncFW");
}

TEST_F(SlowKeyboard, KilledDuringSyncToPcTheWaitEndsSilently) {
    KillDuring("BtnSyncPc", "TimerSyncPC");
}

TEST_F(DeviceFault, UnpluggedAndPluggedInAgainTheKeyboardIsFoundAndWorks) {
    KillSimulator();
    ASSERT_TRUE(WaitForConnection("Disconnect", 4000));
    LoopWatch watch;
    QTest::qWait(1500);
    StartSimulator({});
    ASSERT_FALSE(HasFatalFailure());

    QElapsedTimer found;
    found.start();
    ASSERT_TRUE(WaitForConnection("Connect", 5000));
    RecordProperty("ConnectAfterPortsAppearedMs", static_cast<int>(found.elapsed()));
    EXPECT_EQ(LabelText("LbVersions"), "FW: V1.05");
    EXPECT_LT(watch.LongestGapMs, StallMs);
    EXPECT_TRUE(Prompts.Errors().isEmpty()) << Prompts.Errors().join('\n').toStdString();

    // Bound to the new ports: a synchronisation reaches the keyboard.
    Prompts.ConfirmAnswers = {true};
    Click("BtnSyncPc");
    EXPECT_TRUE(QTest::qWaitFor([&] { return !Prompts.Notices().isEmpty(); }, 3000));
    EXPECT_EQ(Prompts.Notices().value(0).trimmed(),
              "Device data successfully synchronized to the Editor software.");
}

TEST_F(DeviceFault, OversizedAndFloodingSysExLeaveTheModelAlone) {
    const std::string before = ParameterSet();
    std::vector<std::uint8_t> shifted = ValidDumpReply();
    shifted.insert(shifted.begin() + 4, 0x00);

    LoopWatch watch;
    SimulatorCommand("random-sysex 5000 1");
    SimulatorCommand("largest-sysex 2");
    SimulatorCommand("burst 10000 " + Hex(shifted), 60000);
    // The simulator's last message reaches the editor after the burst.
    SimulatorCommand("send 90 3C 64");
    EXPECT_TRUE(QTest::qWaitFor([&] { return LabelText("LbData2") == "100"; }, 10000));
    EXPECT_GT(watch.Ticks, 0);
    EXPECT_LT(watch.LongestGapMs, StallMs);
    EXPECT_EQ(ParameterSet(), before);
    EXPECT_EQ(LabelText("LbConnect"), "Connect");
    EXPECT_TRUE(Prompts.Errors().isEmpty()) << Prompts.Errors().join('\n').toStdString();
    ExpectResponsive();
}

TEST_F(DeviceFault, OnlyAValidAwaitedDumpReplyChangesTheModel) {
    const std::string before = ParameterSet();
    const std::vector<std::uint8_t> valid = ValidDumpReply();
    // A reply nobody here asked for (hbx740ctl's) is not taken.
    SimulatorCommand("send " + Hex(valid));
    QTest::qWait(100);
    EXPECT_EQ(ParameterSet(), before);
    // As SYNC TO PC waits, without the request the simulator would answer.
    Window->Link().ExpectDumpReply();

    std::vector<std::uint8_t> tooShort(valid.begin(), valid.begin() + 30);
    tooShort.push_back(0xF7);
    std::vector<std::uint8_t> shifted = valid;
    shifted.insert(shifted.begin() + 4, 0x00);
    std::vector<std::uint8_t> wrongMaker = valid;
    wrongMaker[1] = 0x34;
    std::vector<std::uint8_t> endCovered = valid;
    endCovered.back() = 0x00;
    std::vector<std::uint8_t> endMissing(valid.begin(), valid.end() - 1);

    for (const auto* reply : {&tooShort, &shifted, &wrongMaker, &endCovered, &endMissing}) {
        SimulatorCommand("send " + Hex(*reply));
        QTest::qWait(100);
        EXPECT_EQ(ParameterSet(), before) << Hex(*reply).toStdString();
    }

    SimulatorCommand("send " + Hex(valid));
    EXPECT_TRUE(QTest::qWaitFor([&] { return ParameterSet() != before; }, 3000));
    EXPECT_EQ(Window->Model().Record(1).Value, valid[4]);
    EXPECT_TRUE(Prompts.Errors().isEmpty()) << Prompts.Errors().join('\n').toStdString();
}
