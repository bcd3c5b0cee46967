#include "ui/ProfileCommands.h"

#include "device/SysExFile.h"

#include <QFileInfo>

namespace {
const char* const ResetQuestion =
    QT_TRANSLATE_NOOP("ProfileCommands", "     Do you want to reset Editor software data?    ");
const char* const SavedNotice =
    QT_TRANSLATE_NOOP("ProfileCommands", "       Save the data successfully.     ");
const char* const ReplaceQuestion =
    QT_TRANSLATE_NOOP("ProfileCommands", "%1 already exists.\nDo you want to replace it?");
} // namespace

ProfileCommands::ProfileCommands(EditingSession& session, UserPrompts& prompts, ProfilePanel& panel)
    : Session(session), Prompts(prompts), Panel(panel) {}

void ProfileCommands::New() {
    if (!Prompts.Confirm(tr(ResetQuestion)))
        return;
    ResetPara(Session.Model());
    Panel.RegainData();
    Session.Save();
}

void ProfileCommands::Open() {
    const auto chosen = Prompts.OpenFile({tr("Open file"), tr("cus files"), QStringLiteral("*.cus"),
                                          QStringLiteral("*.cus"), ProfileFolder(), SysExFilter()});
    if (chosen)
        OpenPath(*chosen);
}

void ProfileCommands::OpenPath(const QString& path) {
    // A SysEx file holds settings without names: they go into the current
    // profile, as SYNC TO PC's do, and the next SAVE keeps them there.
    if (IsSysExFileName(path)) {
        LoadSysExFile(Session.Model(), path);
        Panel.RegainData();
        return;
    }
    Session.Open(path);
    Panel.ShowProfileName(ProfileLabelText(path));
    Panel.RegainData();
}

void ProfileCommands::Save() {
    Panel.SaveCurrentPara();
    Session.Save();
    Prompts.Notice(tr(SavedNotice));
}

void ProfileCommands::Export() {
    // The dialog opens on the current profile, so the copy lands beside it
    // unless the user picks another place.
    const auto chosen = Prompts.SaveFile({tr("Save file"), tr("All files"), QStringLiteral("*.*"),
                                          Session.ProfilePath(), ProfileFolder(), SysExFilter()});
    if (!chosen)
        return;
    const QString target = ExportFileName(*chosen);
    // The dialog asked only about the name it showed; a different file that
    // the new extension would replace is asked about here.
    if (target != *chosen && QFileInfo::exists(target) &&
        !Prompts.ConfirmDefaultNo(tr(ReplaceQuestion).arg(QFileInfo(target).fileName())))
        return;
    Panel.SaveCurrentPara();
    if (IsSysExFileName(target))
        SaveSysExFile(Session.Model(), target);
    else
        Session.ExportTo(target);
}

// The dialogs open where the current profile is.
QString ProfileCommands::ProfileFolder() const {
    return QFileInfo(Session.ProfilePath()).absolutePath();
}

std::vector<FileFilter> ProfileCommands::SysExFilter() {
    return {{tr("SysEx files"), QStringLiteral("*.syx")}};
}

QString ProfileLabelText(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? name : name.left(dot);
}

QString ExportFileName(const QString& chosen) {
    if (IsSysExFileName(chosen))
        return chosen;
    const QFileInfo info(chosen);
    const QString name = info.fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    const QString stem = dot < 0 ? name : name.left(dot);
    return chosen.left(chosen.size() - name.size()) + stem + QStringLiteral(".cus");
}
