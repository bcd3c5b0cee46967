#include "ProfileCommands.h"

#include "ProfileFile.h"

#include <QFileInfo>

namespace {
const QString ResetQuestion = QStringLiteral("     Do you want to reset Editor software data?    ");
const QString SavedNotice = QStringLiteral("       Save the data successfully.     ");
} // namespace

ProfileCommands::ProfileCommands(ParameterModel& model, QString& profilePath,
                                 const ProgramFiles& files, UserPrompts& prompts,
                                 ProfilePanel& panel)
    : Model(model), ProfilePath(profilePath), Files(files), Prompts(prompts), Panel(panel) {}

void ProfileCommands::New() {
    if (!Prompts.Confirm(ResetQuestion))
        return;
    ResetPara(Model);
    Panel.RegainData();
    SaveParaToFile(Model, ProfilePath);
}

void ProfileCommands::Open() {
    const auto chosen =
        Prompts.OpenFile({QStringLiteral("Open file"), QStringLiteral("cus files"),
                          QStringLiteral("*.cus"), QStringLiteral("*.cus"), Files.Folder});
    if (!chosen)
        return;
    Panel.ShowProfileName(ProfileLabelText(*chosen));
    ProfilePath = *chosen;
    LoadParaFromFile(Model, ProfilePath, false);
    Panel.RegainData();
}

void ProfileCommands::Save() {
    Panel.SaveCurrentPara();
    SaveParaToFile(Model, ProfilePath);
    Prompts.Notice(SavedNotice);
}

void ProfileCommands::Export() {
    // The dialog opens on the current profile, so the copy lands beside it
    // unless the user picks another place.
    const auto chosen = Prompts.SaveFile({QStringLiteral("Save file"), QStringLiteral("All files"),
                                          QStringLiteral("*.*"), ProfilePath, Files.Folder});
    if (!chosen)
        return;
    const QString target = ExportFileName(*chosen);
    Panel.SaveCurrentPara();
    SaveParaToFile(Model, target);
}

QString ProfileLabelText(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? name : name.left(dot);
}

QString ExportFileName(const QString& chosen) {
    const QFileInfo info(chosen);
    const QString name = info.fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    const QString stem = dot < 0 ? name : name.left(dot);
    return chosen.left(chosen.size() - name.size()) + stem + QStringLiteral(".cus");
}
