#include "device/SysExFile.h"

#include "device/DeviceMessages.h"
#include "model/EditorError.h"
#include "model/FileReader.h"
#include "model/SafeFileWrite.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>
#include <span>

namespace {

// Room for a few messages, so that a file of several is named as such; a
// larger one is no parameter set and is never read.
constexpr qint64 ReadLimit = 4096;
constexpr std::uint8_t SysExStart = 0xF0;
constexpr std::uint8_t SysExEnd = 0xF7;

const char* const EmptyFile =
    QT_TRANSLATE_NOOP("EditorError", "Not a parameter set: the file is empty");
const char* const TooLarge =
    QT_TRANSLATE_NOOP("EditorError", "Not a parameter set: %1 bytes, where a parameter set has %2");
const char* const NoMessage = QT_TRANSLATE_NOOP(
    "EditorError", "Not a parameter set: %1 bytes starting %2, which are no whole SysEx message");
const char* const SeveralMessages = QT_TRANSLATE_NOOP(
    "EditorError", "Not a parameter set: %1 bytes starting %2, which are %3 SysEx messages");
const char* const OtherMessage =
    QT_TRANSLATE_NOOP("EditorError", "Not a parameter set: a SysEx message of %1 bytes starting "
                                     "%2 (a parameter set has %3 bytes starting %4)");

QString Translated(const char* text) {
    return QCoreApplication::translate("EditorError", text);
}

std::span<const std::uint8_t> BytesOf(const QByteArray& content) {
    return {reinterpret_cast<const std::uint8_t*>(content.constData()),
            static_cast<std::size_t>(content.size())};
}

// The first bytes in hexadecimal, "F0 7E 00 06 …" when there are more.
QString Opening(std::span<const std::uint8_t> bytes) {
    constexpr std::size_t shown = 4;
    QStringList words;
    for (std::uint8_t byte : bytes.first(std::min(bytes.size(), shown)))
        words << QStringLiteral("%1").arg(byte, 2, 16, QChar(u'0')).toUpper();
    if (bytes.size() > shown)
        words << QStringLiteral("\u2026");
    return words.join(u' ');
}

// How many whole SysEx messages the bytes are, back to back; 0 when they are
// anything else (a byte outside a message, a status byte inside one, a
// message without its end).
int MessageCount(std::span<const std::uint8_t> bytes) {
    int count = 0;
    bool inside = false;
    for (std::uint8_t byte : bytes) {
        if (!inside) {
            if (byte != SysExStart)
                return 0;
            inside = true;
            ++count;
        } else if (byte == SysExEnd) {
            inside = false;
        } else if (byte & 0x80) {
            return 0;
        }
    }
    return inside ? 0 : count;
}

} // namespace

bool IsSysExFileName(const QString& path) {
    return path.endsWith(QStringLiteral(".syx"), Qt::CaseInsensitive);
}

QByteArray EncodeSysExFile(const ParameterModel& model) {
    const std::vector<std::uint8_t> message = ParameterSetMessage(model);
    return {reinterpret_cast<const char*>(message.data()), static_cast<qsizetype>(message.size())};
}

void DecodeSysExFile(const QByteArray& content, ParameterModel& model) {
    if (content.isEmpty())
        throw EditorError(EmptyFile);
    const auto bytes = BytesOf(content);
    const QString size = QString::number(content.size());
    const int messages = MessageCount(bytes);
    if (messages == 0)
        throw EditorError(Translated(NoMessage).arg(size, Opening(bytes)));
    if (messages > 1)
        throw EditorError(
            Translated(SeveralMessages).arg(size, Opening(bytes), QString::number(messages)));

    TReceivedSysEx received;
    received.Assign(bytes);
    const bool whole = content.size() == Hbx740.DumpReplyLength();
    const bool dumpReply = whole && IsDumpReply(received);
    if (!dumpReply && !(whole && IsParameterSet(received))) {
        const std::vector<std::uint8_t> expected = ParameterSetMessage(ParameterModel());
        const auto header = static_cast<std::size_t>(Hbx740.ParametersAt);
        throw EditorError(Translated(OtherMessage)
                              .arg(size, Opening(bytes), QString::number(expected.size()),
                                   Opening(std::span(expected).first(header))));
    }
    const ParameterBytes parameters = DumpReplyBytes(received);
    if (dumpReply)
        DecodeDumpReply(parameters, model);
    else
        DecodeParameterSet(parameters, model);
}

void LoadSysExFile(ParameterModel& model, const QString& path) {
    FileReader file(path);
    if (file.Size() > ReadLimit)
        throw EditorError(Translated(TooLarge).arg(QString::number(file.Size()),
                                                   QString::number(Hbx740.DumpReplyLength())));
    QByteArray content(static_cast<qsizetype>(file.Size()), Qt::Uninitialized);
    file.ReadExactly(content.data(), static_cast<std::size_t>(content.size()));
    file.Close();
    DecodeSysExFile(content, model);
}

void SaveSysExFile(const ParameterModel& model, const QString& path) {
    WriteFileSafely(path, EncodeSysExFile(model));
}
