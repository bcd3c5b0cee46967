#include "model/EditingSession.h"

#include "model/ProfileFile.h"
#include "model/SettingsFile.h"
#include "model/StartupProfile.h"

#include <QFile>
#include <QFileInfo>

void EditingSession::ReadSettings(const ProgramFiles& files) {
    ReadSettingsFile(Path, files);
}

void EditingSession::LoadStartupProfile(const ProgramFiles& files,
                                        const std::function<void()>& ResetPara) {
    ::LoadStartupProfile(Parameters, Path, files, ResetPara);
}

void EditingSession::Open(const QString& path) {
    ParameterModel loaded = Parameters;
    LoadParaFromFile(loaded, path, false);
    Parameters = loaded;
    Path = path;
}

void EditingSession::Save() const {
    Write(Path);
}

void EditingSession::ExportTo(const QString& path) const {
    Write(path);
}

void EditingSession::Write(const QString& path) const {
    if (Backups) {
        QFile previous(path);
        if (previous.open(QIODevice::ReadOnly)) {
            const QByteArray content = previous.readAll();
            if (content != EncodeProfile(Parameters)) {
                try {
                    Backups->Keep(QFileInfo(path).completeBaseName(), content);
                } catch (const std::exception&) {
                    // The profile matters more than its backup.
                }
            }
        }
    }
    SaveParaToFile(Parameters, path);
}
