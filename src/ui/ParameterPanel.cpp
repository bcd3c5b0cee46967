#include "ui/ParameterPanel.h"

#include "model/EditorError.h"
#include "model/ValueText.h"
#include "model/Vocabulary.h"
#include "ui_Unit1.h"

#include <QCoreApplication>

#include <array>

namespace {

// Not translated: leaving a control stores the name field, as it stands, in
// the profile.
const QString NamePlaceholder = QStringLiteral("[NAME]");

std::array<QComboBox*, GlobalSettingCount> GlobalLists(const Ui::TForm1& form) {
    return {form.CmbARPMode,  form.CmbARPTime, form.CmbARPOctave, form.CmbScale,
            form.CmbVelocity, form.CmbReverb,  form.CmbTranspose, form.CmbKeyChannel};
}

// The lists of the panel in PanelView's order.
std::array<QComboBox*, 3 + GlobalSettingCount> PanelLists(const Ui::TForm1& form) {
    std::array<QComboBox*, 3 + GlobalSettingCount> lists{form.CmbDataType, form.CmbControlMode,
                                                         form.CmbChannel};
    const auto globals = GlobalLists(form);
    std::copy(globals.begin(), globals.end(), lists.begin() + 3);
    return lists;
}

std::array<QLabel*, ControlCount> Highlights(const Ui::TForm1& form) {
    return {form.ImgData1, form.ImgData2, form.ImgData3, form.ImgData4,
            form.ImgData5, form.ImgData6, form.ImgData7, form.ImgData8};
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
void ParameterPanel::StoreControl(ControlRecord& record) const {
    const std::int32_t value = ValueFromText(Form.EdtValue->text());
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
    StoreControl(Model.Selected());
    // Leaving a control also remembers what stood in the name field.
    const QString typed = Form.EdtNameEditor->text();
    Model.Selected().EditorText.Assign(typed.isEmpty() ? NamePlaceholder : typed);
}

void ParameterPanel::SaveCurrentPara() {
    StoreControl(Model.Selected());
    StoreGlobalSettings();
}

void ParameterPanel::Commit() {
    try {
        SaveCurrentPara();
    } catch (const EditorError&) {
        // Stays in the field for the store that reports it.
        return;
    }
    // What was typed is the model's now: a text field's own undo starts again
    // from here, and the window's undo takes it back.
    for (QLineEdit* field : {Form.EdtValue, Form.EdtNameEditor}) {
        const int at = field->cursorPosition();
        field->setText(field->text());
        field->setCursorPosition(at);
    }
}

void ParameterPanel::StoreGlobalSettings() {
    SettingsArray& settings = Model.GlobalSettings();
    const auto lists = GlobalLists(Form);
    for (std::size_t i = 0; i < lists.size(); ++i)
        settings[i] = lists[i]->currentIndex();
}

ParameterModel ParameterPanel::Pending() const {
    ParameterModel pending = Model;
    try {
        pending.Selected().Value = ValueFromText(Form.EdtValue->text());
    } catch (const EditorError&) {
        // The model's value is what would go.
    }
    return pending;
}

PanelView ParameterPanel::Shown() const {
    PanelView view;
    for (int i = 0; i < Form.CmbDataType->count(); ++i)
        view.TypeItems << Form.CmbDataType->itemText(i);
    const auto lists = PanelLists(Form);
    for (std::size_t i = 0; i < lists.size(); ++i)
        view.Indexes[i] = lists[i]->currentIndex();
    view.ModeEnabled = Form.CmbControlMode->isEnabled();
    view.Enabled = Form.CbEnable->isChecked();
    view.Value = Form.EdtValue->text();
    view.Name = Form.EdtNameEditor->text();
    view.NameLabel = Form.BtnParaName->text();
    view.ProfileLabel = Form.LbProFile->text();
    const auto highlights = Highlights(Form);
    for (std::size_t i = 0; i < highlights.size(); ++i)
        view.Highlights[i] = !highlights[i]->isHidden();
    return view;
}

void ParameterPanel::Show(const PanelView& view) {
    if (Shown().TypeItems != view.TypeItems) {
        Form.CmbDataType->clear();
        Form.CmbDataType->addItems(view.TypeItems);
    }
    const auto lists = PanelLists(Form);
    for (std::size_t i = 0; i < lists.size(); ++i)
        lists[i]->setCurrentIndex(view.Indexes[i]);
    Form.CmbControlMode->setEnabled(view.ModeEnabled);
    Form.CbEnable->setChecked(view.Enabled);
    Form.EdtValue->setText(view.Value);
    Form.EdtNameEditor->setText(view.Name);
    Form.BtnParaName->setText(view.NameLabel);
    Form.LbProFile->setText(view.ProfileLabel);
    const auto highlights = Highlights(Form);
    for (std::size_t i = 0; i < highlights.size(); ++i)
        highlights[i]->setVisible(view.Highlights[i]);
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
    if (n >= 1 && n <= ControlCount)
        Highlights(Form)[static_cast<std::size_t>(n - 1)]->setVisible(visible);
}

void ParameterPanel::ShowGlobalSettings() {
    const SettingsArray& settings = Model.GlobalSettings();
    const auto lists = GlobalLists(Form);
    for (std::size_t i = 0; i < lists.size(); ++i)
        ShowIndex(lists[i], settings[i]);
}
