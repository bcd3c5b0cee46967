#pragma once

#include "model/ParameterModel.h"

#include <QByteArray>
#include <QString>

// A ".syx" file: the keyboard's parameter set as one SysEx message, from its
// F0 to its F7, the form in which SysEx tools keep and send messages. It
// carries the transferred fields only, no names. It is written as the
// parameter-set message and read from one parameter set or one dump reply.

// Whether the name makes a file a SysEx file: it ends in ".syx", in any case.
bool IsSysExFileName(const QString& path);

// The file's content for the model: its parameter-set message.
QByteArray EncodeSysExFile(const ParameterModel& model);

// Stores the parameter bytes of `content` in the model's transferred fields,
// as SYNC TO PC stores a dump reply; names and the other fields stay. Content
// that is not exactly one parameter set or one dump reply raises an
// EditorError that says what it is, and changes nothing.
void DecodeSysExFile(const QByteArray& content, ParameterModel& model);

// Reads the SysEx file at `path` into the model as DecodeSysExFile does. Like
// a profile, only a regular file is read, and one larger than a few
// kilobytes is refused by its size before any of it is read.
void LoadSysExFile(ParameterModel& model, const QString& path);

// Writes the model's parameter set to `path` through WriteFileSafely.
void SaveSysExFile(const ParameterModel& model, const QString& path);
