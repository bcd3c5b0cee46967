#pragma once

#include <QDir>
#include <QString>

// Where a fuzz target writes its input files: memory-backed storage when the
// machine has it, so that millions of inputs cost no disk traffic.
inline QString ScratchFolderTemplate() {
    const QString memory = QStringLiteral("/dev/shm");
    return (QDir(memory).exists() ? memory : QDir::tempPath()) +
           QStringLiteral("/hbx740-fuzz-XXXXXX");
}
