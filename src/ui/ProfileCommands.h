#pragma once

#include "model/EditingSession.h"
#include "ui/UserPrompts.h"

#include <QCoreApplication>
#include <QString>

// What the profile commands need of the window's panel.
class ProfilePanel {
public:
    virtual ~ProfilePanel() = default;
    // Takes the panel's values into the model; raises on a VALUE text that is
    // not a number.
    virtual void SaveCurrentPara() = 0;
    // Shows the model in the panel.
    virtual void RegainData() = 0;
    virtual void ShowProfileName(const QString& name) = 0;
};

// NEW, OPEN, SAVE and EXPORT, on the window's editing session. Each raises
// the file error of the step that failed; what happened before that step
// stays.
class ProfileCommands {
    Q_DECLARE_TR_FUNCTIONS(ProfileCommands)

public:
    ProfileCommands(EditingSession& session, UserPrompts& prompts, ProfilePanel& panel);

    void New();
    // OPEN of a ".syx" file loads its settings into the current profile,
    // which stays the current one, with its names.
    void Open();
    // OPEN of a file the user named elsewhere (the program's command line).
    void OpenPath(const QString& path);
    void Save();
    // EXPORT to a name ending in ".syx" writes the parameter-set message.
    void Export();

private:
    QString ProfileFolder() const;
    static std::vector<FileFilter> SysExFilter();

    EditingSession& Session;
    UserPrompts& Prompts;
    ProfilePanel& Panel;
};

// The profile label's text for a profile path: the file name without folder
// and without its last extension.
QString ProfileLabelText(const QString& path);

// EXPORT's target: the chosen name with its extension replaced by ".cus", or
// ".cus" appended when the file name has none; a name ending in ".syx" stays.
QString ExportFileName(const QString& chosen);
