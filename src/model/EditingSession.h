#pragma once

#include "model/ParameterModel.h"
#include "model/ProfileBackups.h"
#include "model/ProgramFiles.h"

#include <QString>
#include <functional>
#include <optional>

// The profile being edited: the parameter model and the path of its file
// (ProfilePath), which the profile and synchronisation commands work on.
// Runs on one thread, the window's or the command line's.
class EditingSession {
public:
    // The factory defaults with control 1 selected, so that a start-up that
    // stops early still leaves a session that can select, edit and save.
    EditingSession() : Parameters(FactoryModel()) {}

    ParameterModel& Model() { return Parameters; }
    const ParameterModel& Model() const { return Parameters; }
    const QString& ProfilePath() const { return Path; }

    // From now on, a profile file about to be replaced with other content is
    // first kept in `backups`. A backup that fails never stops the save.
    void KeepBackups(ProfileBackups backups) { Backups = std::move(backups); }

    // Start-up: the profile the settings file names, then that profile or the
    // defaults (see ReadSettingsFile and LoadStartupProfile).
    void ReadSettings(const ProgramFiles& files);
    void LoadStartupProfile(const ProgramFiles& files, const std::function<void()>& ResetPara);

    // Loads the profile at `path` and makes it the current one. The load goes
    // into a copy first, so that one failing part-way leaves model and path
    // exactly as they were.
    void Open(const QString& path);
    // Undo's way back: the model and the path as they were, reading and
    // writing no file.
    void Restore(const ParameterModel& model, const QString& path) {
        Parameters = model;
        Path = path;
    }
    // Writes the model to the current profile.
    void Save() const;
    void ExportTo(const QString& path) const;

private:
    void Write(const QString& path) const;

    ParameterModel Parameters;
    QString Path;
    std::optional<ProfileBackups> Backups;
};
