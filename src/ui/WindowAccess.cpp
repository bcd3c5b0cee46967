#include "ui/WindowAccess.h"

#include "keyboard/KeyboardDescription.h"
#include "ui/ClickLabel.h"
#include "ui_Unit1.h"

#include <QAction>
#include <QCoreApplication>

namespace {

std::array<ClickLabel*, ControlCount> Pictures(Ui::TForm1& form) {
    return {form.mCode1, form.mCode2, form.mCode3, form.mCode4,
            form.mCode5, form.mCode6, form.mCode7, form.mCode8};
}

// What the keyboard's controls are called, in the user's language.
QString PictureName(const KeyboardDescription& keyboard, int control) {
    const std::string name(keyboard.Controls[control - 1].CalledName());
    return QCoreApplication::translate("KeyboardControl", name.c_str());
}

} // namespace

std::vector<WindowShortcut> WindowShortcuts(Ui::TForm1& form) {
    std::vector<WindowShortcut> shortcuts = {{QKeySequence(Qt::CTRL | Qt::Key_N), form.BtnNEW},
                                             {QKeySequence(Qt::CTRL | Qt::Key_O), form.BtnOpen},
                                             {QKeySequence(Qt::CTRL | Qt::Key_S), form.BtnSave},
                                             {QKeySequence(Qt::CTRL | Qt::Key_E), form.BtnExport}};
    int key = Qt::Key_1;
    for (ClickLabel* picture : Pictures(form))
        shortcuts.push_back({QKeySequence(Qt::CTRL | Qt::Key(key++)), picture});
    return shortcuts;
}

void SetUpKeyboardAndAccess(QWidget& window, Ui::TForm1& form,
                            const KeyboardDescription& keyboard) {
    // The label buttons in reading order, then the pictures, which choose what
    // the fields after them show.
    std::vector<QWidget*> order = {form.BtnNEW,  form.BtnOpen,   form.BtnReset, form.BtnExport,
                                   form.BtnSave, form.BtnSyncPc, form.BtnSyncFw};
    for (ClickLabel* picture : Pictures(form))
        order.push_back(picture);
    order.push_back(form.CbEnable);
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
    for (QWidget* outside : {static_cast<QWidget*>(form.lbxInputDevices),
                             static_cast<QWidget*>(form.lbxOutputDevices)})
        outside->setFocusPolicy(Qt::NoFocus);

    for (const WindowShortcut& shortcut : WindowShortcuts(form)) {
        auto* action = new QAction(&window);
        action->setShortcut(shortcut.Keys);
        action->setShortcutContext(Qt::WindowShortcut);
        QObject::connect(action, &QAction::triggered, shortcut.Target, &ClickLabel::clicked);
        window.addAction(action);
        const QString what = shortcut.Target->text().isEmpty()
                                 ? PictureName(keyboard, shortcut.Target->property("tag").toInt())
                                 : shortcut.Target->text();
        shortcut.Target->setToolTip(
            QCoreApplication::translate("WindowAccess", "%1 (%2)")
                .arg(what, shortcut.Keys.toString(QKeySequence::NativeText)));
    }

    // Each field by the caption beside it.
    const std::pair<QWidget*, QLabel*> captions[] = {
        {form.CmbARPMode, form.Label2},    {form.CmbARPTime, form.Label9},
        {form.CmbScale, form.Label10},     {form.CmbARPOctave, form.Label11},
        {form.CmbVelocity, form.Label5},   {form.CmbReverb, form.Label3},
        {form.CmbTranspose, form.Label7},  {form.CmbKeyChannel, form.Label4},
        {form.CmbDataType, form.Label8},   {form.CmbControlMode, form.Label12},
        {form.CmbChannel, form.LbCHANNEL}, {form.CbEnable, form.LbENABLE},
        {form.EdtValue, form.LbVALUE}};
    // The name for platforms that read it; the buddy relation for those, as
    // on Linux, that name a list by its current item and its caption apart.
    for (const auto& [field, caption] : captions) {
        field->setAccessibleName(caption->text());
        caption->setBuddy(field);
    }
    form.EdtNameEditor->setAccessibleName(QCoreApplication::translate("WindowAccess", "NAME"));
    // The monitor's number base has no caption: its description says what it is.
    form.CmbDataDis->setAccessibleName(QCoreApplication::translate("WindowAccess", "DEC or HEX"));
    form.CmbDataDis->setAccessibleDescription(QCoreApplication::translate(
        "WindowAccess", "The monitor line's numbers in decimal or hexadecimal"));
    // The monitor line's values are read with their captions.
    const std::pair<QLabel*, QLabel*> values[] = {
        {form.LbStatus, form.Label13}, {form.LbData1, form.Label15}, {form.LbData2, form.Label17}};
    for (const auto& [value, caption] : values)
        value->setAccessibleDescription(caption->text());
}

void ShowSelectedForAccess(Ui::TForm1& form, const KeyboardDescription& keyboard, int selected) {
    int control = 1;
    for (ClickLabel* picture : Pictures(form)) {
        const QString name = PictureName(keyboard, control);
        picture->setAccessibleName(
            control++ == selected
                ? QCoreApplication::translate("WindowAccess", "%1, selected").arg(name)
                : name);
    }
}
