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

// Reads the whole records of the file at `path` into records 1, 2, ... of the
// model, at most eight; a trailing part shorter than a record is ignored. The
// file is only read, so a write-protected profile loads. A failure leaves the
// records read before it with their new values.
void LoadParaFromFile(ParameterModel& model, const QString& path, bool limitChannel);

// The bytes of the profile file for the model: records 1 to 8.
QByteArray EncodeProfile(const ParameterModel& model);

// Writes records 1 to 8 to `path` through WriteFileSafely (SafeFileWrite.h):
// a failure leaves the previous profile as it was, and the profile keeps its
// owner, group and permissions.
void SaveParaToFile(const ParameterModel& model, const QString& path);
