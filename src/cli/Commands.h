#pragma once

#include "cli/KeyboardClient.h"

#include <QString>

// What every command may be given.
struct CtlOptions {
    KeyboardClient::Options Keyboard;
    bool Json = false;
};

// The commands; each returns the exit status or raises CtlError (or a file's
// EditorError). Data goes to standard output, progress and errors to
// standard error.
int PortsCommand(const CtlOptions& options);
int DetectCommand(const CtlOptions& options);
int IdentityCommand(const CtlOptions& options);
int ReadCommand(const CtlOptions& options, const QString& output, const QString& base);
int WriteCommand(const CtlOptions& options, const QString& file, bool verify, bool backup);
int ResetCommand(const CtlOptions& options, bool backup);
int ShowCommand(const CtlOptions& options, const QString& file);
int DiffCommand(const CtlOptions& options, const QString& first, const QString& second);
int MonitorCommand(const CtlOptions& options, bool hex);
