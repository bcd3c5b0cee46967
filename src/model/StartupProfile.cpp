#include "model/StartupProfile.h"

#include "model/ProfileFile.h"

#include <QFileInfo>

void LoadStartupProfile(ParameterModel& model, QString& ProfilePath, const ProgramFiles& files,
                        const std::function<void()>& ResetPara) {
    if (QFileInfo::exists(ProfilePath)) {
        LoadParaFromFile(model, ProfilePath, true);
        return;
    }
    ProfilePath = files.DefaultProfile();
    if (QFileInfo::exists(ProfilePath)) {
        LoadParaFromFile(model, ProfilePath, true);
        return;
    }
    ResetPara();
    SaveParaToFile(model, ProfilePath);
}
