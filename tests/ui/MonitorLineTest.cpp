#include "ui/MonitorLine.h"

#include <QComboBox>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <thread>

namespace {

class MonitorLineTest : public ::testing::Test {
protected:
    QWidget Window;
    QLabel Status{&Window}, Data1{&Window}, Data2{&Window};
    QComboBox Form{&Window};

    void SetUp() override { Form.addItems({"DEC", "HEX"}); }

    // Sends one message from a MIDI thread of its own and waits until the
    // line shows it.
    bool SendAndShow(MonitorLine& line, std::uint8_t status, std::uint8_t data1,
                     std::chrono::microseconds delay = {}) {
        std::thread midi([&] {
            std::this_thread::sleep_for(delay);
            line.MidiDataIn(0, status, data1, 1);
        });
        const bool shown = QTest::qWaitFor(
            [&] {
                return Status.text() == QString::number(status) &&
                       Data1.text() == QString::number(data1);
            },
            2000);
        midi.join();
        return shown;
    }
};

TEST_F(MonitorLineTest, WatchesWhileMessagesComeAndSleepsAfterAQuietSpell) {
    MonitorLine line(&Status, &Data1, &Data2, &Form, nullptr, {5, 4});
    EXPECT_FALSE(line.IsWatching());
    ASSERT_TRUE(SendAndShow(line, 0x90, 60));
    EXPECT_TRUE(line.IsWatching());
    ASSERT_TRUE(SendAndShow(line, 0x80, 60));

    ASSERT_TRUE(QTest::qWaitFor([&] { return !line.IsWatching(); }, 2000));
    // Asleep, the next message wakes the line itself.
    ASSERT_TRUE(SendAndShow(line, 0xB0, 7));
    EXPECT_TRUE(line.IsWatching());
}

// Messages sent at random moments around the end of each watch, from threads
// of their own: each one shows, whether it finds the line watching or asleep.
TEST_F(MonitorLineTest, AMessageAsWatchingEndsIsNeverLost) {
    MonitorLine line(&Status, &Data1, &Data2, &Form, nullptr, {1, 1});
    std::mt19937 random(740);
    std::uniform_int_distribution<int> delay(0, 3000);
    for (int i = 0; i < 100; ++i) {
        ASSERT_TRUE(SendAndShow(line, 0xB0, static_cast<std::uint8_t>(i % 128),
                                std::chrono::microseconds(delay(random))))
            << "message " << i;
    }
}

} // namespace
