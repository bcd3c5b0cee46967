#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

// Joins the events of one input port into whole messages. A service may hand
// a long SysEx over in parts: the first starts with 0xF0, the ones after it
// hold data bytes, the last ends with 0xF7. Real-time bytes (0xF8 to 0xFF)
// may arrive between the parts or inside them; they are messages of their
// own and leave at once, so they never end up inside the SysEx. A status byte
// that is neither ends an unfinished SysEx, which leaves as it stands.
class SysExAssembler {
public:
    using Deliver = std::function<void(std::span<const std::uint8_t> message)>;

    // Of a SysEx longer than `largest` bytes, the first bytes and its 0xF7
    // are kept: a bound on what a flooding device can make the editor hold.
    explicit SysExAssembler(std::size_t largest = std::size_t{1} << 20);

    void Take(std::span<const std::uint8_t> event, const Deliver& deliver);

private:
    void Flush(const Deliver& deliver);

    std::size_t Largest;
    bool Joining = false;
    std::vector<std::uint8_t> Pending;
};
