// Any text through the hex text codec, and any bytes through a round trip.
#include "midi/SysExHexText.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    TByteStream stream;
    HexTextToStream(text, stream);
    if (stream.Position() != 0)
        std::abort();

    // Bytes written as text come back, all but the last.
    TByteStream original(std::vector<std::uint8_t>(data, data + size));
    TByteStream back;
    HexTextToStream(StreamToHexText(original), back);
    if (size > 0 &&
        (back.Size() != size - 1 || !std::equal(back.Bytes().begin(), back.Bytes().end(), data)))
        std::abort();
    return 0;
}
