#include "midi/ByteStream.h"

#include <algorithm>

void TByteStream::SetPosition(std::size_t position) {
    Pos = std::min(position, Content.size());
}

void TByteStream::Write(std::span<const std::uint8_t> bytes) {
    const std::size_t overlap = std::min(bytes.size(), Content.size() - Pos);
    std::copy_n(bytes.begin(), overlap, Content.begin() + static_cast<std::ptrdiff_t>(Pos));
    Content.insert(Content.end(), bytes.begin() + static_cast<std::ptrdiff_t>(overlap),
                   bytes.end());
    Pos += bytes.size();
}

void TByteStream::Clear() {
    Content.clear();
    Pos = 0;
}
