#pragma once

#include "model/ParameterModel.h"

namespace Ui {
class TForm1;
}

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
    // Shows record SelectedControl and the global settings.
    void RegainData();
    // Hides the eight highlight pictures.
    void ClealAll();
    void ShowHighlight(int n, bool visible);

private:
    void StoreControl();
    void StoreLeavingControl();
    void ShowGlobalSettings();

    Ui::TForm1& Form;
    ParameterModel& Model;
};
