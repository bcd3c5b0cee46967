#pragma once

#include "model/ParameterModel.h"

#include <QString>
#include <QStringList>
#include <array>

namespace Ui {
class TForm1;
}

// What the panel and the profile label show, field by field. Not all of it
// follows from the model (the name field, a button mode shown on a control
// that has none), so undo puts it back as it was.
struct PanelView {
    QStringList TypeItems;
    // CmbDataType, CmbControlMode, CmbChannel, then the eight global lists.
    std::array<int, 3 + GlobalSettingCount> Indexes{};
    bool ModeEnabled = false;
    bool Enabled = false;
    QString Value;
    QString Name;
    QString NameLabel;
    QString ProfileLabel;
    std::array<bool, ControlCount> Highlights{};
};

// Moves values between the PARAMETER panel (with the eight global lists) and
// the model. Runs on the window's thread only.
class ParameterPanel {
public:
    ParameterPanel(Ui::TForm1& form, ParameterModel& model);

    // The first fill at start-up: record SelectedControl with the designed
    // message-type list, the button mode cleared and disabled.
    void StartupFill();
    // Selects control n: stores the panel into the control being left, then
    // shows control n. Raises when the VALUE text is not a number, before
    // anything is stored or highlighted.
    void SelectControl(int n);
    // Takes the panel into record SelectedControl and the global settings.
    void SaveCurrentPara();
    // A finished entry (a list picked, the ENABLE box, a text done with): the
    // panel goes into the model as SaveCurrentPara takes it, and the panel
    // stays as it is. A VALUE text that is not a number stores nothing;
    // leaving the control or saving reports it.
    void Commit();
    // The model as SYNC TO FW would take it from the panel now: with the
    // VALUE text being typed, when it is a number.
    ParameterModel Pending() const;
    PanelView Shown() const;
    void Show(const PanelView& view);
    // Shows record SelectedControl and the global settings.
    void RegainData();
    // Hides the eight highlight pictures.
    void ClealAll();
    void ShowHighlight(int n, bool visible);

private:
    void StoreControl(ControlRecord& record) const;
    void StoreLeavingControl();
    void StoreGlobalSettings();
    void ShowGlobalSettings();

    Ui::TForm1& Form;
    ParameterModel& Model;
};
