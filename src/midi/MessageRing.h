#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

// A ring of whole messages between one producer thread and one consumer
// thread, without locks. Its memory is taken once, when it is made: Push
// neither allocates nor makes a system call, so a real-time thread may call
// it. A message that does not fit is dropped whole, never cut.
class MessageRing {
public:
    // Room for `capacity` bytes of messages and their lengths, rounded up to a
    // power of two.
    explicit MessageRing(std::size_t capacity);
    MessageRing(const MessageRing&) = delete;
    MessageRing& operator=(const MessageRing&) = delete;

    // Producer side. False when the message does not fit; it is then counted
    // as dropped.
    bool Push(std::span<const std::uint8_t> message) noexcept;
    // Consumer side. Replaces `message` with the oldest message; false when
    // there is none.
    bool Pop(std::vector<std::uint8_t>& message);
    // Consumer side, without allocating: the length of the oldest message,
    // or nothing; then PopInto copies it out to `data` (room for that length).
    std::optional<std::size_t> FrontSize() const noexcept;
    void PopInto(std::uint8_t* data) noexcept;
    // Consumer side: drops the oldest message.
    void Skip() noexcept;
    // Either side: whether a message is waiting.
    bool Empty() const noexcept;
    // Consumer side: messages dropped since the last call.
    std::uint64_t TakeDropped() noexcept;

private:
    using Length = std::uint32_t;

    void CopyIn(std::size_t at, const std::uint8_t* data, std::size_t size) noexcept;
    void CopyOut(std::size_t at, std::uint8_t* data, std::size_t size) const noexcept;

    std::size_t Mask;
    std::unique_ptr<std::uint8_t[]> Bytes;
    // Positions grow without bound; their difference is what the ring holds.
    alignas(64) std::atomic<std::size_t> Written{0};
    alignas(64) std::atomic<std::size_t> Read{0};
    std::atomic<std::uint64_t> Dropped{0};
};
