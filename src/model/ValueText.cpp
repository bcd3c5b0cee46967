#include "model/ValueText.h"

#include "model/EditorError.h"

#include <algorithm>
#include <limits>

namespace {

int DigitValue(QChar c, int base) {
    int value = -1;
    if (c >= u'0' && c <= u'9')
        value = c.unicode() - u'0';
    else if (c >= u'A' && c <= u'F')
        value = c.unicode() - u'A' + 10;
    else if (c >= u'a' && c <= u'f')
        value = c.unicode() - u'a' + 10;
    return value < base ? value : -1;
}

} // namespace

std::int32_t StrToInt(const QString& text) {
    const auto invalid = [&] {
        return EditorError(
            QCoreApplication::translate("EditorError", "'%1' is not a valid integer value")
                .arg(text));
    };
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    int base = 10;
    if (i < text.size() && (text[i] == u'$' || text[i] == u'x' || text[i] == u'X')) {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == u'0' && text[i + 1] == u'x') {
        base = 16;
        i += 2;
    }
    if (i == text.size())
        throw invalid();

    std::int64_t magnitude = 0;
    const std::int64_t limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    for (; i < text.size(); ++i) {
        const int digit = DigitValue(text[i], base);
        if (digit < 0)
            throw invalid();
        magnitude = magnitude * base + digit;
        if (magnitude > limit)
            throw invalid();
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<std::int32_t>::max())
        throw invalid();
    return static_cast<std::int32_t>(value);
}

std::int32_t ValueFromText(const QString& text) {
    if (text.isEmpty())
        return 0;
    return std::clamp(StrToInt(text), 0, 127);
}

bool IsValueKeyAllowed(char16_t key) {
    return key == 3 || key == 8 || key == 13 || key == 22 || (key >= u'0' && key <= u'9');
}
