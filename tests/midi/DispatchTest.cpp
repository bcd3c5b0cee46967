#include "FakeMidiTest.h"
#include "RecordingWindow.h"
#include "midi/SysExHexText.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <set>
#include <stdexcept>
#include <thread>

namespace {

using Bytes = std::vector<std::uint8_t>;
using namespace std::chrono_literals;

const Bytes IdentityReply{0xF0, 0x7E, 0x7F, 0x06, 0x02, 0x4A, 0x33, 0x01, 0x05, 0xF7};

// A SysEx of `length` bytes, 0xF0 and 0xF7 included, whose data bytes start
// at `first`.
Bytes SysExOf(std::size_t length, std::uint8_t first = 0) {
    Bytes bytes(length);
    bytes.front() = 0xF0;
    for (std::size_t i = 1; i + 1 < length; ++i)
        bytes[i] = static_cast<std::uint8_t>((first + i) & 0x7F);
    bytes.back() = 0xF7;
    return bytes;
}

class Dispatch : public FakeMidiTest {
protected:
    // Outlives the module's release in TearDown, so no handler runs on a
    // window that has gone.
    RecordingWindow Window;
};

TEST_F(Dispatch, MessagesReachTheSlotsInArrivalOrderUnfiltered) {
    const auto port = Fake->AddInputPort("HBX740");
    Window.Install(InputPorts());
    InputPorts().OpenPort(0);

    Fake->Inject(port, {0x90, 60, 100});
    Fake->Inject(port, IdentityReply);
    Fake->Inject(port, {0xF8});
    Fake->Inject(port, {0xFE});
    Fake->Inject(port, {0xC0, 5});
    Fake->Inject(port, {0xF2, 0x10, 0x20});
    Fake->WaitUntilDelivered();

    EXPECT_EQ(Window.Events(),
              (std::vector<ReceivedEvent>{Short(0, 0x90, 60, 100), SysEx(0, IdentityReply),
                                          Short(0, 0xF8, 0, 0), Short(0, 0xFE, 0, 0),
                                          Short(0, 0xC0, 5, 0), Short(0, 0xF2, 0x10, 0x20)}));
}

TEST_F(Dispatch, EveryOpenPortDeliversWithItsOwnIndex) {
    const auto keyboard = Fake->AddInputPort("HBX740");
    const auto other = Fake->AddInputPort("Other");
    const auto closed = Fake->AddInputPort("Closed");
    Window.Install(InputPorts());
    InputPorts().OpenPort(0);
    InputPorts().OpenPort(1);

    Fake->Inject(other, IdentityReply);
    Fake->Inject(closed, {0x90, 1, 2});
    Fake->Inject(closed, IdentityReply);
    Fake->WaitUntilDelivered();
    Fake->Inject(keyboard, {0xB0, 7, 127});
    Fake->WaitUntilDelivered();

    EXPECT_EQ(Window.Events(),
              (std::vector<ReceivedEvent>{SysEx(1, IdentityReply), Short(0, 0xB0, 7, 127)}));
}

TEST_F(Dispatch, LongSysExArrivesOneReceiveBufferAtATime) {
    const auto port = Fake->AddInputPort("HBX740");
    Window.Install(InputPorts());
    InputPorts().OpenPort(0);

    const Bytes message = SysExOf(5000);
    Fake->Inject(port, message);
    Fake->WaitUntilDelivered();

    const auto events = Window.Events();
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].Bytes.size(), 2048u);
    EXPECT_EQ(events[1].Bytes.size(), 2048u);
    EXPECT_EQ(events[2].Bytes.size(), 904u);
    EXPECT_NE(events[0].Bytes.back(), 0xF7);
    EXPECT_EQ(events[2].Bytes.back(), 0xF7);
    Bytes joined;
    for (const auto& event : events)
        joined.insert(joined.end(), event.Bytes.begin(), event.Bytes.end());
    EXPECT_EQ(joined, message);
}

TEST_F(Dispatch, BufferSizedSysExArrivesWhole) {
    const auto port = Fake->AddInputPort("HBX740");
    Window.Install(InputPorts());
    InputPorts().OpenPort(0);

    Fake->Inject(port, SysExOf(2048));
    Fake->Inject(port, SysExOf(2049));
    Fake->WaitUntilDelivered();

    const auto events = Window.Events();
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].Bytes, SysExOf(2048));
    EXPECT_EQ(events[1].Bytes.size(), 2048u);
    EXPECT_EQ(events[2].Bytes, Bytes{0xF7});
}

TEST_F(Dispatch, SysExWithoutItsEndIsCutWhereTheNextBegins) {
    const auto port = Fake->AddInputPort("HBX740");
    Window.Install(InputPorts());
    InputPorts().OpenPort(0);

    // What a service hands over when a SysEx lost its 0xF7 and the next
    // followed: both as one message.
    Bytes joined = SysExOf(3000);
    joined.pop_back();
    const Bytes reply{0xF0, 0x33, 0x01, 0x2B, 0x05, 0xF7};
    joined.insert(joined.end(), reply.begin(), reply.end());
    Fake->Inject(port, joined);
    Fake->WaitUntilDelivered();

    const auto events = Window.Events();
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].Bytes.size(), 2048u);
    EXPECT_EQ(events[1].Bytes.size(), 3000u - 1 - 2048);
    EXPECT_EQ(events[2].Bytes, reply);
}

TEST_F(Dispatch, StreamStartsAtItsFirstByteAndIsEmptiedAfterTheHandler) {
    const auto port = Fake->AddInputPort("HBX740");
    std::vector<std::pair<std::size_t, std::size_t>> seen;
    Window.DuringSysEx = [&](std::int32_t, TByteStream& stream) {
        seen.emplace_back(stream.Position(), stream.Size());
        // A handler that reads the stream leaves it for the next delivery.
        StreamToHexText(stream);
        stream.SetPosition(stream.Size());
    };
    Window.Install(InputPorts());
    InputPorts().OpenPort(0);

    Fake->Inject(port, IdentityReply);
    Fake->Inject(port, SysExOf(6));
    Fake->WaitUntilDelivered();

    EXPECT_EQ(seen, (std::vector<std::pair<std::size_t, std::size_t>>{{0, 10}, {0, 6}}));
    EXPECT_EQ(Window.Events()[1], SysEx(0, SysExOf(6)));
    EXPECT_EQ(InputPorts().SysExBuffers()[0]->Stream.Size(), 0u);
}

TEST_F(Dispatch, InputDoesNotStallWithoutASysExHandler) {
    const auto port = Fake->AddInputPort("HBX740");
    InputPorts().SetOnShortMessage(
        [this](std::int32_t index, std::uint8_t status, std::uint8_t data1, std::uint8_t data2) {
            Window.MidiDataIn(index, status, data1, data2);
        });
    InputPorts().OpenPort(0);

    for (int i = 0; i < 3; ++i)
        Fake->Inject(port, SysExOf(3000));
    Fake->Inject(port, {0x80, 60, 0});
    Fake->WaitUntilDelivered();

    EXPECT_EQ(Window.Events(), (std::vector<ReceivedEvent>{Short(0, 0x80, 60, 0)}));
    const auto& buffer = *InputPorts().SysExBuffers()[0];
    EXPECT_EQ(buffer.State.load(), TSysExData::TState::Queued);
    EXPECT_EQ(buffer.Stream.Size(), 0u);
}

TEST_F(Dispatch, HandlerErrorsAreReportedAndInputGoesOn) {
    const auto port = Fake->AddInputPort("HBX740");
    std::mutex reportsLock;
    std::vector<std::string> reports;
    InputPorts().Errors().SetSink([&](const std::string& text) {
        const std::lock_guard lock(reportsLock);
        reports.push_back(text);
    });
    int shortCalls = 0;
    InputPorts().SetOnShortMessage([&](std::int32_t, std::uint8_t, std::uint8_t, std::uint8_t) {
        if (++shortCalls == 1)
            throw std::runtime_error("bad short message");
    });
    bool thrown = false;
    Window.DuringSysEx = [&](std::int32_t, TByteStream&) {
        if (!std::exchange(thrown, true))
            throw std::runtime_error("bad reply");
    };
    InputPorts().SetOnSysExMessage(
        [this](std::int32_t index, TByteStream& stream) { Window.SysExDataIn(index, stream); });
    InputPorts().OpenPort(0);

    Fake->Inject(port, IdentityReply);
    Fake->Inject(port, {0x90, 1, 1});
    Fake->Inject(port, SysExOf(8));
    Fake->Inject(port, {0x90, 2, 2});
    Fake->WaitUntilDelivered();

    EXPECT_EQ(reports, (std::vector<std::string>{"bad reply", "bad short message"}));
    EXPECT_EQ(Window.Events(),
              (std::vector<ReceivedEvent>{SysEx(0, IdentityReply), SysEx(0, SysExOf(8))}));
    EXPECT_EQ(shortCalls, 2);
    // The lock was released on the error's way out.
    EXPECT_TRUE(Window.SysExLock.try_lock());
    Window.SysExLock.unlock();
}

TEST_F(Dispatch, TwoPortsSysExNeverInterleaveUnderTheLock) {
    const auto first = Fake->AddInputPort("HBX740");
    const auto second = Fake->AddInputPort("USB MIDI");
    std::atomic<int> inside{0};
    std::atomic<bool> overlapped{false};
    std::mutex threadsLock;
    std::set<std::thread::id> threads;
    Window.DuringSysEx = [&](std::int32_t, TByteStream&) {
        if (inside.fetch_add(1) != 0)
            overlapped = true;
        {
            const std::lock_guard lock(threadsLock);
            threads.insert(std::this_thread::get_id());
        }
        std::this_thread::sleep_for(100us);
        inside.fetch_sub(1);
    };
    Window.Install(InputPorts());
    InputPorts().OpenPort(0);
    InputPorts().OpenPort(1);

    constexpr int Count = 100;
    for (int i = 0; i < Count; ++i) {
        Fake->Inject(first, SysExOf(10 + i, 0));
        Fake->Inject(second, SysExOf(10 + i, 0x40));
    }
    Fake->WaitUntilDelivered();

    EXPECT_FALSE(overlapped);
    // The two ports deliver on threads of their own, so only the lock kept
    // their handlers apart.
    EXPECT_EQ(threads.size(), 2u);
    std::vector<ReceivedEvent> perPort[2];
    for (const auto& event : Window.Events())
        perPort[event.Port].push_back(event);
    ASSERT_EQ(perPort[0].size(), std::size_t{Count});
    ASSERT_EQ(perPort[1].size(), std::size_t{Count});
    for (int i = 0; i < Count; ++i) {
        EXPECT_EQ(perPort[0][i].Bytes, SysExOf(10 + i, 0));
        EXPECT_EQ(perPort[1][i].Bytes, SysExOf(10 + i, 0x40));
    }
}

TEST_F(Dispatch, NothingArrivesAfterClosePortReturns) {
    const auto port = Fake->AddInputPort("HBX740");
    std::atomic<bool> closed{true};
    std::atomic<int> afterClose{0};
    std::atomic<int> deliveries{0};
    std::atomic<int> damaged{0};
    InputPorts().SetOnShortMessage([&](std::int32_t, std::uint8_t, std::uint8_t, std::uint8_t) {
        afterClose += closed ? 1 : 0;
        ++deliveries;
    });
    InputPorts().SetOnSysExMessage([&](std::int32_t, TByteStream& stream) {
        afterClose += closed ? 1 : 0;
        ++deliveries;
        const auto bytes = stream.Bytes();
        if (Bytes(bytes.begin(), bytes.end()) != SysExOf(40))
            ++damaged;
    });

    std::atomic<bool> stop{false};
    std::thread device([&] {
        while (!stop) {
            Fake->Inject(port, {0x90, 60, 100});
            Fake->Inject(port, SysExOf(40));
            std::this_thread::yield();
        }
    });
    // At least 200 openings, and on until something arrived: where a short
    // sleep is shorter than a thread switch, none of the first may see one.
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    for (int i = 0; i < 200 || (deliveries == 0 && std::chrono::steady_clock::now() < deadline);
         ++i) {
        closed = false;
        InputPorts().OpenPort(0);
        std::this_thread::sleep_for(50us);
        InputPorts().ClosePort(0);
        closed = true;
    }
    stop = true;
    device.join();
    Fake->WaitUntilDelivered();

    EXPECT_EQ(afterClose.load(), 0);
    EXPECT_EQ(damaged.load(), 0);
    EXPECT_GT(deliveries.load(), 0);
    EXPECT_EQ(InputPorts().SysExBuffers()[0]->State.load(), TSysExData::TState::Unqueued);
}

TEST_F(Dispatch, PortBeingClosedDoesNotGetItsBufferQueuedAgain) {
    const auto port = Fake->AddInputPort("HBX740");
    std::promise<void> firstPiece;
    std::atomic<bool> sawClosing{false};
    Window.DuringSysEx = [&](std::int32_t, TByteStream&) {
        firstPiece.set_value();
        // Hold the buffer until the window's thread has begun closing.
        const auto& buffer = *ExistingInputPorts()->SysExBuffers()[0];
        const auto deadline = std::chrono::steady_clock::now() + 5s;
        while (buffer.State.load() != TSysExData::TState::Closing &&
               std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(100us);
        sawClosing = buffer.State.load() == TSysExData::TState::Closing;
    };
    Window.Install(InputPorts());
    InputPorts().OpenPort(0);

    Fake->Inject(port, SysExOf(5000));
    firstPiece.get_future().wait();
    InputPorts().ClosePort(0);
    Fake->WaitUntilDelivered();

    EXPECT_TRUE(sawClosing);
    const auto events = Window.Events();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].Bytes.size(), 2048u);
    EXPECT_EQ(InputPorts().SysExBuffers()[0]->State.load(), TSysExData::TState::Unqueued);
}

TEST_F(Dispatch, ASimulatedDeviceAnswersTheIdentityRequest) {
    const auto in = Fake->AddInputPort("HBX740");
    Fake->AddOutputPort("HBX740");
    Fake->SetSendObserver([&](const std::string&, std::span<const std::uint8_t> bytes) {
        const Bytes request{0xF0, 0x7E, 0x00, 0x06, 0x01, 0xF7};
        if (bytes.size() >= request.size() &&
            std::equal(request.begin(), request.end(), bytes.begin()))
            Fake->Inject(in, IdentityReply);
    });
    Window.Install(InputPorts());
    InputPorts().OpenPort(0);
    OutputPorts().OpenPort(0);

    OutputPorts().SendHexText(0, "F0 7E 00 06 01 F7 00 00 00 00");
    ASSERT_TRUE(Window.WaitForEvents(1));
    TByteStream reply(Window.Events()[0].Bytes);
    EXPECT_EQ(StreamToHexText(reply), "F0 7E 7F 06 02 4A 33 01 05 F7 ");
}

} // namespace
