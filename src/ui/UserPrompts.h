#pragma once

#include "model/SettingsFile.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// A file dialog's filter: its name and its mask.
struct FileFilter {
    QString Name;
    QString Pattern;
};

// What a file dialog is asked to show.
struct FileDialogRequest {
    QString Title;
    // The filter the dialog starts with.
    QString FilterName;
    QString FilterPattern;
    // Initial file name; with a folder part the dialog opens in that folder.
    QString FileName;
    // Folder to open in when FileName has no folder part.
    QString Folder;
    // Filters the user may choose instead.
    std::vector<FileFilter> MoreFilters;
};

// What the "MIDI Ports" dialog is asked to show: the ports listed now, the
// choice in force (empty names: "Automatic") and where finding the keyboard
// stopped.
struct PortsRequest {
    QStringList Inputs;
    QStringList Outputs;
    DeviceChoice Current;
    QString Why;
};

// Every modal question and message the editor puts to the user. The program
// shows Qt's boxes and dialogs; tests answer from a script, so no test ever
// waits on a modal box.
class UserPrompts {
public:
    virtual ~UserPrompts() = default;

    // Yes/No box titled "Hint", without icon; true only for Yes.
    virtual bool Confirm(const QString& text) = 0;
    // The same box with No as the default button, for a question whose Yes
    // destroys something.
    virtual bool ConfirmDefaultNo(const QString& text) = 0;
    // OK box titled "HBX740", without icon.
    virtual void Notice(const QString& text) = 0;
    // OK box titled "HBX740" with the error icon, showing `text` as given.
    virtual void ShowError(const QString& text) = 0;
    // The chosen file's full path, or nothing when the user cancelled.
    virtual std::optional<QString> OpenFile(const FileDialogRequest& request) = 0;
    virtual std::optional<QString> SaveFile(const FileDialogRequest& request) = 0;
    // The "MIDI Ports" dialog: the ports the user picked, or nothing when the
    // user cancelled.
    virtual std::optional<DeviceChoice> ChoosePorts(const PortsRequest& request) = 0;
};
