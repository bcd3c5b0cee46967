#include "ui/ParameterPanel.h"

#include "model/ValueText.h"
#include "model/Vocabulary.h"
#include "ui_Unit1.h"

#include <QCoreApplication>

#include <array>

namespace {

// Not translated: leaving a control stores the name field, as it stands, in
// the profile.
const QString NamePlaceholder = QStringLiteral("[NAME]");

std::array<QComboBox*, GlobalSettingCount> GlobalLists(Ui::TForm1& form) {
    return {form.CmbARPMode,  form.CmbARPTime, form.CmbARPOctave, form.CmbScale,
            form.CmbVelocity, form.CmbReverb,  form.CmbTranspose, form.CmbKeyChannel};
}

// An index outside the list shows no selection, as the list itself treats it.
void ShowIndex(QComboBox* list, std::int32_t index) {
    list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
}

} // namespace

ParameterPanel::ParameterPanel(Ui::TForm1& form, ParameterModel& model)
    : Form(form), Model(model) {}

void ParameterPanel::StartupFill() {
    const ControlRecord& record = Model.Selected();
    Form.EdtValue->setText(QString::number(record.Value));
    ShowIndex(Form.CmbChannel, record.Channel);
    Form.CbEnable->setChecked(record.Disable == 0);
    Form.BtnParaName->setText(record.ParaName.Text());
    Form.EdtNameEditor->setText(record.EditorText.Text());
    ShowIndex(Form.CmbDataType, record.DataType);
    Form.CmbControlMode->setCurrentIndex(-1);
    Form.CmbControlMode->setEnabled(false);
    ShowGlobalSettings();
}

void ParameterPanel::SelectControl(int n) {
    // The highlight moves only once the panel has been stored, so that a
    // VALUE text that fails leaves it on the control still being edited.
    StoreLeavingControl();
    ClealAll();
    ShowHighlight(n, true);
    Model.SelectedControl = n;

    ControlRecord& record = Model.Selected();
    Form.CmbDataType->clear();
    for (const QString& type : MessageTypeItems(n))
        Form.CmbDataType->addItem(QCoreApplication::translate("Vocabulary", type.toUtf8()));
    record.DataType = std::min(record.DataType, HighestDataType(n));
    ShowIndex(Form.CmbDataType, record.DataType);

    const bool isButton = Hbx740.Controls[static_cast<std::size_t>(n - 1)].IsButton;
    Form.CmbControlMode->setEnabled(isButton);
    if (isButton)
        ShowIndex(Form.CmbControlMode, record.ControlMode);
    else
        Form.CmbControlMode->setCurrentIndex(-1);

    Form.EdtValue->setText(QString::number(record.Value));
    ShowIndex(Form.CmbChannel, record.Channel);
    Form.CbEnable->setChecked(record.Disable == 0);
    Form.EdtNameEditor->setText(record.ParaName.IsEmpty() ? NamePlaceholder : QString());
    Form.BtnParaName->setText(record.ParaName.Text());
}

// The selected control's fields and, by the name rule, its name. The VALUE
// text is converted first, so a bad text stores nothing.
void ParameterPanel::StoreControl() {
    const std::int32_t value = ValueFromText(Form.EdtValue->text());
    ControlRecord& record = Model.Selected();
    record.Value = value;
    record.Channel = Form.CmbChannel->currentIndex();
    record.Disable = Form.CbEnable->isChecked() ? 0 : 1;
    record.DataType = Form.CmbDataType->currentIndex();
    record.ControlMode = Form.CmbControlMode->currentIndex();
    const QString typed = Form.EdtNameEditor->text();
    if (!typed.isEmpty() && typed != NamePlaceholder)
        record.ParaName.Assign(typed);
}

void ParameterPanel::StoreLeavingControl() {
    StoreControl();
    // Leaving a control also remembers what stood in the name field.
    const QString typed = Form.EdtNameEditor->text();
    Model.Selected().EditorText.Assign(typed.isEmpty() ? NamePlaceholder : typed);
}

void ParameterPanel::SaveCurrentPara() {
    StoreControl();
    SettingsArray& settings = Model.GlobalSettings();
    const auto lists = GlobalLists(Form);
    for (std::size_t i = 0; i < lists.size(); ++i)
        settings[i] = lists[i]->currentIndex();
}

void ParameterPanel::RegainData() {
    const ControlRecord& record = Model.Selected();
    Form.BtnParaName->setText(record.ParaName.Text());
    Form.EdtNameEditor->setText(record.EditorText.Text());
    ShowIndex(Form.CmbDataType, record.DataType);
    ShowIndex(Form.CmbControlMode, record.ControlMode);
    ShowIndex(Form.CmbChannel, record.Channel);
    Form.EdtValue->setText(QString::number(record.Value));
    // A box left as it was would write the previous record's state into
    // the one just loaded at the next store.
    Form.CbEnable->setChecked(record.Disable == 0);
    ShowGlobalSettings();
}

void ParameterPanel::ClealAll() {
    for (int n = 1; n <= ControlCount; ++n)
        ShowHighlight(n, false);
}

void ParameterPanel::ShowHighlight(int n, bool visible) {
    const std::array<QLabel*, ControlCount> highlights = {
        Form.ImgData1, Form.ImgData2, Form.ImgData3, Form.ImgData4,
        Form.ImgData5, Form.ImgData6, Form.ImgData7, Form.ImgData8};
    if (n >= 1 && n <= ControlCount)
        highlights[static_cast<std::size_t>(n - 1)]->setVisible(visible);
}

void ParameterPanel::ShowGlobalSettings() {
    const SettingsArray& settings = Model.GlobalSettings();
    const auto lists = GlobalLists(Form);
    for (std::size_t i = 0; i < lists.size(); ++i)
        ShowIndex(lists[i], settings[i]);
}
