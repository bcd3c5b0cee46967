#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// A growable in-memory byte sequence with a position, the form in which
// messages travel between the codec, the port sets and the handlers.
class TByteStream {
public:
    TByteStream() = default;
    explicit TByteStream(std::vector<std::uint8_t> bytes) : Content(std::move(bytes)) {}

    std::span<const std::uint8_t> Bytes() const { return Content; }
    std::size_t Size() const { return Content.size(); }
    std::size_t Position() const { return Pos; }
    // Past the end is clamped to the end.
    void SetPosition(std::size_t position);

    // Writes at the position, growing the stream as needed, and moves the
    // position past the bytes written.
    void Write(std::span<const std::uint8_t> bytes);
    void Write(std::uint8_t byte) { Write(std::span(&byte, 1)); }
    // Empties the stream; its memory is kept for the next content.
    void Clear();
    void Reserve(std::size_t capacity) { Content.reserve(capacity); }

private:
    std::vector<std::uint8_t> Content;
    std::size_t Pos = 0;
};
