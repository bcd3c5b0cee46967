#include "FakeMidiTest.h"
#include "midi/MidiDispatch.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

// Every allocation through operator new is counted while the running thread
// has counting switched on.
namespace {

thread_local bool Counting = false;
std::atomic<long> Allocations{0};

void* Allocate(std::size_t size) {
    if (Counting)
        ++Allocations;
    if (void* memory = std::malloc(size == 0 ? 1 : size))
        return memory;
    throw std::bad_alloc();
}

void* AllocateAligned(std::size_t size, std::align_val_t alignment) {
    if (Counting)
        ++Allocations;
    const auto align = static_cast<std::size_t>(alignment);
    if (void* memory = std::aligned_alloc(align, (size + align - 1) / align * align))
        return memory;
    throw std::bad_alloc();
}

} // namespace

void* operator new(std::size_t size) {
    return Allocate(size);
}
void* operator new[](std::size_t size) {
    return Allocate(size);
}
void* operator new(std::size_t size, std::align_val_t alignment) {
    return AllocateAligned(size, alignment);
}
void* operator new[](std::size_t size, std::align_val_t alignment) {
    return AllocateAligned(size, alignment);
}
void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete[](void* memory) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}
void operator delete[](void* memory, std::size_t) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::align_val_t) noexcept {
    std::free(memory);
}
void operator delete[](void* memory, std::align_val_t) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::size_t, std::align_val_t) noexcept {
    std::free(memory);
}
void operator delete[](void* memory, std::size_t, std::align_val_t) noexcept {
    std::free(memory);
}

namespace {

using Bytes = std::vector<std::uint8_t>;

// Allocations made by `action` on this thread.
template <class Action> long AllocationsOf(Action&& action) {
    const long before = Allocations.load();
    Counting = true;
    action();
    Counting = false;
    return Allocations.load() - before;
}

using Allocation = FakeMidiTest;

TEST_F(Allocation, TheCounterSeesAllocations) {
    static std::unique_ptr<Bytes> kept;
    EXPECT_EQ(AllocationsOf([] { kept = std::make_unique<Bytes>(100); }), 2);
    kept.reset();
}

TEST_F(Allocation, ShortMessagesPassWithoutAny) {
    Fake->AddInputPort("HBX740");
    std::uint32_t sum = 0;
    InputPorts().SetOnShortMessage(
        [&sum](std::int32_t port, std::uint8_t status, std::uint8_t data1, std::uint8_t data2) {
            sum += static_cast<std::uint32_t>(port) + status + data1 + data2;
        });
    InputPorts().OpenPort(0);
    const Bytes note{0x90, 60, 100};
    const Bytes program{0xC0, 5};
    const Bytes clock{0xF8};

    constexpr int Rounds = 1000;
    const long allocations = AllocationsOf([&] {
        for (int i = 0; i < Rounds; ++i) {
            InputCallback(&InputPorts(), 0, note);
            InputCallback(&InputPorts(), 0, program);
            InputCallback(&InputPorts(), 0, clock);
        }
    });

    EXPECT_EQ(allocations, 0);
    EXPECT_EQ(sum, static_cast<std::uint32_t>(Rounds * (0x90 + 60 + 100 + 0xC0 + 5 + 0xF8)));
}

TEST_F(Allocation, SysExDeliveriesPassWithoutAny) {
    Fake->AddInputPort("HBX740");
    std::size_t received = 0;
    InputPorts().SetOnSysExMessage(
        [&received](std::int32_t, TByteStream& stream) { received += stream.Size(); });
    InputPorts().OpenPort(0);
    const Bytes reply{0xF0, 0x7E, 0x7F, 0x06, 0x02, 0x4A, 0x33, 0x01, 0x05, 0xF7};
    Bytes longMessage(5000, 0x11);
    longMessage.front() = 0xF0;
    longMessage.back() = 0xF7;

    const long allocations = AllocationsOf([&] {
        for (int i = 0; i < 100; ++i) {
            InputCallback(&InputPorts(), 0, reply);
            InputCallback(&InputPorts(), 0, longMessage);
        }
    });

    EXPECT_EQ(allocations, 0);
    EXPECT_EQ(received, 100u * (reply.size() + longMessage.size()));
}

} // namespace
