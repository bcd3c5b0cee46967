#include "midi/MessageRing.h"

#include <bit>
#include <cstring>

MessageRing::MessageRing(std::size_t capacity)
    : Mask(std::bit_ceil(std::max<std::size_t>(capacity, 64)) - 1),
      Bytes(std::make_unique<std::uint8_t[]>(Mask + 1)) {}

void MessageRing::CopyIn(std::size_t at, const std::uint8_t* data, std::size_t size) noexcept {
    const std::size_t start = at & Mask;
    const std::size_t first = std::min(size, Mask + 1 - start);
    std::memcpy(Bytes.get() + start, data, first);
    std::memcpy(Bytes.get(), data + first, size - first);
}

void MessageRing::CopyOut(std::size_t at, std::uint8_t* data, std::size_t size) const noexcept {
    const std::size_t start = at & Mask;
    const std::size_t first = std::min(size, Mask + 1 - start);
    std::memcpy(data, Bytes.get() + start, first);
    std::memcpy(data + first, Bytes.get(), size - first);
}

bool MessageRing::Push(std::span<const std::uint8_t> message) noexcept {
    const std::size_t written = Written.load(std::memory_order_relaxed);
    const std::size_t free = Mask + 1 - (written - Read.load(std::memory_order_acquire));
    const auto length = static_cast<Length>(message.size());
    if (message.size() > UINT32_MAX || sizeof length + message.size() > free) {
        Dropped.fetch_add(1, std::memory_order_relaxed);
        return false;
    }
    CopyIn(written, reinterpret_cast<const std::uint8_t*>(&length), sizeof length);
    CopyIn(written + sizeof length, message.data(), message.size());
    Written.store(written + sizeof length + message.size(), std::memory_order_release);
    return true;
}

bool MessageRing::Pop(std::vector<std::uint8_t>& message) {
    const std::size_t read = Read.load(std::memory_order_relaxed);
    if (Written.load(std::memory_order_acquire) == read)
        return false;
    Length length = 0;
    CopyOut(read, reinterpret_cast<std::uint8_t*>(&length), sizeof length);
    message.resize(length);
    CopyOut(read + sizeof length, message.data(), length);
    Read.store(read + sizeof length + length, std::memory_order_release);
    return true;
}

std::optional<std::size_t> MessageRing::FrontSize() const noexcept {
    const std::size_t read = Read.load(std::memory_order_relaxed);
    if (Written.load(std::memory_order_acquire) == read)
        return std::nullopt;
    Length length = 0;
    CopyOut(read, reinterpret_cast<std::uint8_t*>(&length), sizeof length);
    return length;
}

void MessageRing::PopInto(std::uint8_t* data) noexcept {
    const std::size_t read = Read.load(std::memory_order_relaxed);
    Length length = 0;
    CopyOut(read, reinterpret_cast<std::uint8_t*>(&length), sizeof length);
    CopyOut(read + sizeof length, data, length);
    Read.store(read + sizeof length + length, std::memory_order_release);
}

void MessageRing::Skip() noexcept {
    const std::size_t read = Read.load(std::memory_order_relaxed);
    Length length = 0;
    CopyOut(read, reinterpret_cast<std::uint8_t*>(&length), sizeof length);
    Read.store(read + sizeof length + length, std::memory_order_release);
}

bool MessageRing::Empty() const noexcept {
    return Written.load(std::memory_order_acquire) == Read.load(std::memory_order_acquire);
}

std::uint64_t MessageRing::TakeDropped() noexcept {
    return Dropped.exchange(0, std::memory_order_relaxed);
}
