#pragma once

#include "model/ParameterModel.h"

#include <QString>
#include <array>

// The ".cus" profile: eight records of 216 bytes, record 1 first, no header,
// integers little-endian.
inline constexpr int RecordSize = 216;
inline constexpr int ProfileSize = RecordSize * ControlCount;

using RecordBytes = std::array<char, RecordSize>;

RecordBytes EncodeRecord(const ControlRecord& record);
// With limitChannel a Channel above 15 becomes 15 (start-up); OPEN takes it as
// it stands.
void DecodeRecord(const RecordBytes& bytes, ControlRecord& record, bool limitChannel);

// How much of a file a load takes. The window takes whatever whole records a
// file holds; hbx740ctl, which may send what it loads to the keyboard, takes
// only a file of exactly eight records and refuses any other before reading.
enum class ProfileSizeRule { WholeRecords, ExactlyEightRecords };

// Reads the whole records of the file at `path` into records 1, 2, ... of the
// model, at most eight; a trailing part shorter than a record is ignored. The
// file is only read, so a write-protected profile loads. Only a regular file
// is read: a folder, a FIFO or a device is refused at once, without waiting
// for a writer. A failure leaves the records read before it with their new
// values.
void LoadParaFromFile(ParameterModel& model, const QString& path, bool limitChannel,
                      ProfileSizeRule sizeRule = ProfileSizeRule::WholeRecords);

// The bytes of the profile file for the model: records 1 to 8.
QByteArray EncodeProfile(const ParameterModel& model);

// Writes records 1 to 8 to `path` through WriteFileSafely (SafeFileWrite.h):
// a failure leaves the previous profile as it was, and the profile keeps its
// owner, group and permissions.
void SaveParaToFile(const ParameterModel& model, const QString& path);
