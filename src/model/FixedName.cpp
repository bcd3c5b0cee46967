#include "model/FixedName.h"

#include <QStringDecoder>
#include <algorithm>
#include <cstring>

namespace {

bool IsUtf8ContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

} // namespace

void FixedName::Assign(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    int length = std::min<int>(utf8.size(), Capacity);
    if (length < utf8.size()) {
        while (length > 0 && IsUtf8ContinuationByte(utf8[length]))
            --length;
    }
    AssignBytes(utf8.constData(), length);
}

void FixedName::AssignBytes(const char* data, int length) {
    length = std::clamp(length, 0, Capacity);
    std::memcpy(Chars.data(), data, static_cast<std::size_t>(length));
    Size = static_cast<std::uint8_t>(length);
}

QString FixedName::Text() const {
    const QByteArrayView bytes(Chars.data(), Size);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    return QString::fromLatin1(bytes);
}
