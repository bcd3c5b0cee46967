#include "midi/MessageRing.h"
#include "midi/MidiInputRelay.h"
#include "midi/SysExAssembler.h"

#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <random>
#include <thread>

namespace {

using Bytes = std::vector<std::uint8_t>;

std::vector<Bytes> Assemble(SysExAssembler& joiner, const std::vector<Bytes>& events) {
    std::vector<Bytes> out;
    for (const Bytes& event : events)
        joiner.Take(event,
                    [&](std::span<const std::uint8_t> m) { out.emplace_back(m.begin(), m.end()); });
    return out;
}

TEST(SysExAssembler, JoinsPartsAndLetsRealTimeBytesGoFirst) {
    SysExAssembler joiner;
    EXPECT_EQ(Assemble(joiner, {{0xF0, 0x01}, {0xF8}, {0x02, 0xFE, 0x03}, {0x04, 0xF7, 0x00}}),
              (std::vector<Bytes>{{0xF8}, {0xFE}, {0xF0, 0x01, 0x02, 0x03, 0x04, 0xF7}}));
    // Another status ends a SysEx that lost its 0xF7; so does a new SysEx.
    EXPECT_EQ(
        Assemble(joiner, {{0xF0, 0x05}, {0x90, 0x3C, 0x64}, {0xF0, 0x06}, {0xF0, 0x07, 0xF7}}),
        (std::vector<Bytes>{{0xF0, 0x05}, {0x90, 0x3C, 0x64}, {0xF0, 0x06}, {0xF0, 0x07, 0xF7}}));

    SysExAssembler bounded(4);
    EXPECT_EQ(Assemble(bounded, {{0xF0, 1, 2}, {3, 4, 5, 0xF7}}),
              (std::vector<Bytes>{{0xF0, 1, 2, 0xF7}}));
}

TEST(MessageRing, KeepsMessagesWholeAcrossTheWrapAndDropsWhatDoesNotFit) {
    MessageRing ring(64);
    Bytes out;
    for (std::uint8_t round = 0; round < 20; ++round) {
        const Bytes message(5 + round % 7, round);
        ASSERT_TRUE(ring.Push(message));
        ASSERT_TRUE(ring.Pop(out));
        EXPECT_EQ(out, message);
    }
    EXPECT_TRUE(ring.Push(Bytes(40, 1)));
    EXPECT_FALSE(ring.Push(Bytes(40, 2)));
    EXPECT_EQ(ring.TakeDropped(), 1u);
    ASSERT_TRUE(ring.Pop(out));
    EXPECT_EQ(out, Bytes(40, 1));
    EXPECT_TRUE(ring.Empty());
}

// What the relay's callback received, per instance.
struct Received {
    std::mutex Lock;
    std::vector<Bytes> Messages[2];
} Heard;

void Record(void*, std::int32_t instance, std::span<const std::uint8_t> message) {
    const std::lock_guard hold(Heard.Lock);
    Heard.Messages[instance].emplace_back(message.begin(), message.end());
}

std::size_t HeardCount(int instance) {
    const std::lock_guard hold(Heard.Lock);
    return Heard.Messages[instance].size();
}

// Two producer threads push at random moments, so that the relay's thread is
// often found asleep and often busy: every message arrives, in its port's order.
TEST(MidiInputRelay, EveryMessageReachesTheCallbackInOrderWhetherTheRelaySleepsOrNot) {
    constexpr int Count = 3000;
    BackgroundErrors errors;
    MidiInputRelay relay(errors);
    MidiInputRelay::Source* sources[2] = {&relay.Add({&Record, nullptr, 0}),
                                          &relay.Add({&Record, nullptr, 1})};
    std::vector<std::jthread> producers;
    for (int p = 0; p < 2; ++p) {
        producers.emplace_back([&, p] {
            std::mt19937 random(p);
            for (int i = 0; i < Count; ++i) {
                const Bytes message = {0xB0, static_cast<std::uint8_t>(i % 128),
                                       static_cast<std::uint8_t>(i / 128)};
                while (!sources[p]->Push(message))
                    std::this_thread::yield();
                relay.Wake();
                if (random() % 16 == 0)
                    std::this_thread::sleep_for(std::chrono::microseconds(random() % 300));
            }
        });
    }
    producers.clear();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while ((HeardCount(0) < Count || HeardCount(1) < Count) &&
           std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    for (int p = 0; p < 2; ++p) {
        const std::lock_guard hold(Heard.Lock);
        ASSERT_EQ(Heard.Messages[p].size(), std::size_t{Count});
        for (int i = 0; i < Count; ++i)
            ASSERT_EQ(Heard.Messages[p][i][1] + 128 * Heard.Messages[p][i][2], i);
    }

    // A removed source is never delivered from again.
    relay.Remove(*sources[0]);
    relay.Wake();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(HeardCount(0), std::size_t{Count});
}

} // namespace
