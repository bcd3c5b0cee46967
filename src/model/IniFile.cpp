#include "model/IniFile.h"

#include <QStringDecoder>
#include <optional>

namespace {

enum class Kind { Other, Section, Key };

struct ParsedLine {
    Kind What = Kind::Other;
    QByteArray Name;  // of the section or the key
    QByteArray Value; // of a key, as the file holds it
};

ParsedLine Parse(const QByteArray& line) {
    const QByteArray text = line.trimmed();
    ParsedLine parsed;
    if (text.startsWith('[')) {
        const qsizetype close = text.indexOf(']');
        parsed.What = Kind::Section;
        parsed.Name = text.mid(1, close < 0 ? -1 : close - 1).trimmed();
    } else if (!text.startsWith(';') && !text.startsWith('#')) {
        const qsizetype equals = text.indexOf('=');
        if (equals > 0) {
            parsed.What = Kind::Key;
            parsed.Name = text.left(equals).trimmed();
            parsed.Value = text.mid(equals + 1).trimmed();
        }
    }
    return parsed;
}

// The value of `c` as a digit of `base` (8 or 16); -1 when it is none.
int DigitOf(QChar c, int base) {
    const char16_t u = c.unicode();
    int digit = -1;
    if (u >= u'0' && u <= u'9')
        digit = u - u'0';
    else if (u >= u'a' && u <= u'f')
        digit = u - u'a' + 10;
    else if (u >= u'A' && u <= u'F')
        digit = u - u'A' + 10;
    return digit < base ? digit : -1;
}

// Appends the character an escape "\x..." or "\<octal>" names; false for none.
bool AppendCode(QString& text, char32_t code) {
    if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return false;
    text += QString::fromUcs4(&code, 1);
    return true;
}

// The text of a value that is one text in double quotes with Qt's escapes;
// nothing for any other value.
std::optional<QString> Unquoted(const QString& value) {
    if (!value.startsWith(u'"'))
        return std::nullopt;
    QString text;
    for (qsizetype i = 1; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c == u'"') {
            if (i + 1 != value.size())
                return std::nullopt;
            return text;
        }
        if (c != u'\\') {
            text += c;
            continue;
        }
        if (++i == value.size())
            return std::nullopt;
        const char16_t escape = value[i].unicode();
        const QString named = QStringLiteral("abfnrtv");
        if (const qsizetype at = named.indexOf(QChar(escape)); at >= 0) {
            text += QChar(u"\a\b\f\n\r\t\v"[at]);
        } else if (escape == u'\\' || escape == u'"' || escape == u'\'' || escape == u'?') {
            text += QChar(escape);
        } else if (escape == u'x' || DigitOf(QChar(escape), 8) >= 0) {
            // "\x" and hex digits, or octal digits, as many as follow.
            const int base = escape == u'x' ? 16 : 8;
            const qsizetype from = base == 16 ? i + 1 : i;
            qsizetype next = from;
            char32_t code = 0;
            for (; next < value.size() && DigitOf(value[next], base) >= 0 && code <= 0x10FFFF;
                 ++next)
                code = code * base + static_cast<char32_t>(DigitOf(value[next], base));
            if (next == from || !AppendCode(text, code))
                return std::nullopt;
            i = next - 1;
        } else {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

QString Decoded(const QByteArray& value) {
    // A value may start with U+FEFF, which fromUtf8 would drop as a byte order mark.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    const QString text = utf8(value);
    return Unquoted(text).value_or(text);
}

bool NeedsQuotes(const QString& value) {
    if (value.isEmpty())
        return false;
    const auto blank = [](QChar c) { return c == u' ' || c == u'\t'; };
    if (blank(value.front()) || blank(value.back()))
        return true;
    for (const QChar c : value) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || QStringView(u",;=\"\\").contains(c))
            return true;
    }
    return false;
}

QByteArray Encoded(const QString& value) {
    if (!NeedsQuotes(value))
        return value.toUtf8();
    QString text = QStringLiteral("\"");
    // "\x" takes every hex digit after it, so one that follows is escaped too.
    bool afterHex = false;
    for (const QChar c : value) {
        const char16_t u = c.unicode();
        if (u < 0x20 || u == 0x7F || (afterHex && DigitOf(c, 16) >= 0)) {
            const qsizetype at = QStringView(u"\n\r\t").indexOf(c);
            afterHex = at < 0;
            text += at < 0 ? QStringLiteral("\\x") + QString::number(u, 16)
                           : QStringLiteral("\\") + QChar(u"nrt"[at]);
            continue;
        }
        afterHex = false;
        if (u == u'"' || u == u'\\')
            text += u'\\';
        text += c;
    }
    return (text + u'"').toUtf8();
}

} // namespace

IniFile::IniFile(const QByteArray& text) {
    const QByteArray byteOrderMark = "\xEF\xBB\xBF";
    qsizetype at = 0;
    if (text.startsWith(byteOrderMark)) {
        Start = byteOrderMark;
        at = byteOrderMark.size();
    }
    while (at < text.size()) {
        const qsizetype end = text.indexOf('\n', at);
        Line line;
        if (end < 0) {
            line.Text = text.mid(at);
            at = text.size();
        } else {
            line.Text = text.mid(at, end - at);
            line.End = "\n";
            at = end + 1;
            if (line.Text.endsWith('\r')) {
                line.Text.chop(1);
                line.End = "\r\n";
            }
        }
        Lines.push_back(std::move(line));
    }
    for (const Line& line : Lines) {
        if (!line.End.isEmpty()) {
            NewLine = line.End;
            break;
        }
    }
}

std::vector<std::size_t> IniFile::KeyLines(const QByteArray& section, const QByteArray& key) const {
    std::vector<std::size_t> found;
    bool inSection = false;
    for (std::size_t i = 0; i < Lines.size(); ++i) {
        const ParsedLine line = Parse(Lines[i].Text);
        if (line.What == Kind::Section)
            inSection = line.Name == section;
        else if (inSection && line.What == Kind::Key && line.Name == key)
            found.push_back(i);
    }
    return found;
}

QString IniFile::Value(const QString& section, const QString& key) const {
    const std::vector<std::size_t> found = KeyLines(section.toUtf8(), key.toUtf8());
    return found.empty() ? QString() : Decoded(Parse(Lines[found.back()].Text).Value);
}

void IniFile::SetValue(const QString& section, const QString& key, const QString& value) {
    const QByteArray sectionName = section.toUtf8();
    const QByteArray keyName = key.toUtf8();
    if (const std::vector<std::size_t> found = KeyLines(sectionName, keyName); !found.empty()) {
        // The key keeps its spelling; the spaces around "=" go.
        Line& line = Lines[found.back()];
        line.Text = Parse(line.Text).Name + '=' + Encoded(value);
        return;
    }
    const QByteArray keyLine = keyName + '=' + Encoded(value);
    std::optional<std::size_t> sectionEnd;
    bool inSection = false;
    for (std::size_t i = 0; i < Lines.size(); ++i) {
        const ParsedLine line = Parse(Lines[i].Text);
        if (line.What == Kind::Section)
            inSection = line.Name == sectionName;
        if (inSection && line.What != Kind::Other)
            sectionEnd = i + 1;
    }
    if (sectionEnd) {
        Insert(*sectionEnd, keyLine);
        return;
    }
    if (!Lines.empty() && !Lines.back().Text.trimmed().isEmpty())
        Insert(Lines.size(), {});
    Insert(Lines.size(), '[' + sectionName + ']');
    Insert(Lines.size(), keyLine);
}

void IniFile::Remove(const QString& section, const QString& key) {
    const std::vector<std::size_t> found = KeyLines(section.toUtf8(), key.toUtf8());
    for (auto i = found.rbegin(); i != found.rend(); ++i)
        Lines.erase(Lines.begin() + static_cast<std::ptrdiff_t>(*i));
}

void IniFile::Insert(std::size_t at, const QByteArray& text) {
    if (at > 0 && Lines[at - 1].End.isEmpty())
        Lines[at - 1].End = NewLine;
    Lines.insert(Lines.begin() + static_cast<std::ptrdiff_t>(at), Line{text, NewLine});
}

QByteArray IniFile::Text() const {
    QByteArray text = Start;
    for (const Line& line : Lines)
        text += line.Text + line.End;
    return text;
}
