#include "WindowLook.h"

#include "ui_Unit1.h"

#include <QProxyStyle>
#include <QStyledItemDelegate>

#include <initializer_list>
#include <optional>

namespace {

const QColor Background(0x3F, 0x3A, 0x39);
const QColor ButtonFace(0x21, 0x27, 0x21);
const QColor Silver(0xC0, 0xC0, 0xC0);
const QColor White(0xFF, 0xFF, 0xFF);
const QColor Black(0x00, 0x00, 0x00);
const QColor Red(0xFF, 0x00, 0x00);
const QColor LimeGreen(0x00, 0xFF, 0x00);
const QColor ListFace(0x6D, 0x6D, 0x6D);

const QString Arial = QStringLiteral("Arial");
const QString SansSerif = QStringLiteral("MS Sans Serif");

// Character heights are pixel sizes, as the design gives them.
QFont Font(const QString& family, int pixels, bool bold = true) {
    QFont font(family);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

// Text colour and, for an opaque label or shape, the colour it fills itself
// with; other roles stay as the window passes them down.
void Colour(QWidget& widget, const QColor& text, std::optional<QColor> fill = std::nullopt) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::WindowText, text);
    if (fill) {
        palette.setColor(QPalette::Window, *fill);
        widget.setAutoFillBackground(true);
    }
    widget.setPalette(palette);
}

void Label(QWidget& label, const QFont& font, const QColor& text,
           std::optional<QColor> fill = std::nullopt) {
    label.setFont(font);
    Colour(label, text, fill);
}

// A label button's frame: #212721 with a one-pixel silver border.
void Shape(QFrame& frame) {
    frame.setFrameShape(QFrame::Box);
    frame.setFrameShadow(QFrame::Plain);
    frame.setLineWidth(1);
    Colour(frame, Silver, ButtonFace);
}

// Opens a drop-down list as a plain list below its face, as the keyboard's
// users know it, instead of the menu over the face that the style prefers.
class ListBelowStyle final : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_ComboBox_Popup)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

void DropDown(QComboBox& list, QStyle& style, int pixels) {
    list.setStyle(&style);
    list.setFont(Font(Arial, pixels));
    QPalette palette = list.palette();
    for (const auto role : {QPalette::Button, QPalette::Base, QPalette::Window})
        palette.setColor(role, ListFace);
    for (const auto role : {QPalette::ButtonText, QPalette::Text, QPalette::WindowText})
        palette.setColor(role, ButtonFace);
    list.setPalette(palette);
}

void EditField(QLineEdit& field) {
    field.setFont(Font(SansSerif, 19));
    QPalette palette = field.palette();
    palette.setColor(QPalette::Base, Silver);
    palette.setColor(QPalette::Text, ButtonFace);
    field.setPalette(palette);
}

class EntryHeightDelegate final : public QStyledItemDelegate {
public:
    EntryHeightDelegate(int height, QObject* parent)
        : QStyledItemDelegate(parent), Height(height) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {QStyledItemDelegate::sizeHint(option, index).width(), Height};
    }

private:
    int Height;
};

} // namespace

void ShowConnectionColour(QWidget& label, bool connected) {
    Colour(label, connected ? LimeGreen : Red);
}

void ApplyWindowLook(QWidget& window) {
    window.setFont(Font(SansSerif, 11, false));
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, Background);
    window.setPalette(palette);
}

void ApplyControlLook(QWidget& window, Ui::TForm1& form) {
    Label(*form.Label6, Font(Arial, 56), White);
    Label(*form.LbVersions, Font(Arial, 24), LimeGreen);
    form.LbConnect->setFont(Font(Arial, 24));
    ShowConnectionColour(*form.LbConnect, false);

    for (QLabel* divider : {form.LbBar1, form.LbBar2, form.Label31})
        Colour(*divider, Silver, Silver);
    for (QLabel* header : {form.LbProFile, form.Label1, form.LbPARAMETER})
        Label(*header, Font(Arial, 32), ButtonFace, Silver);
    Label(*form.BtnParaName, Font(Arial, 24), ButtonFace, Silver);

    for (QFrame* frame : {form.ShNEW, form.ShPOEN, form.ShSAVE, form.ShSyncFW, form.ShSyncPC,
                          form.ShEXPORT, form.ShRESET})
        Shape(*frame);
    for (QLabel* button : {form.BtnNEW, form.BtnOpen, form.BtnSave, form.BtnSyncPc, form.BtnSyncFw})
        Label(*button, Font(Arial, 29), Silver, ButtonFace);
    for (QLabel* button : {form.BtnReset, form.BtnExport})
        Label(*button, Font(Arial, 24), Silver, ButtonFace);

    for (QLabel* caption :
         {form.Label2, form.Label9, form.Label10, form.Label11, form.Label5, form.Label3,
          form.Label7, form.Label4, form.Label8, form.Label12, form.LbCHANNEL, form.LbENABLE,
          form.LbVALUE, form.Label13, form.Label15, form.Label17})
        Label(*caption, Font(Arial, 19), Silver);
    for (QLabel* value : {form.LbStatus, form.LbData1, form.LbData2})
        Label(*value, Font(Arial, 19), Black, Silver);

    for (QLabel* caption : {form.LbInputD, form.LbOutputD})
        Label(*caption, Font(SansSerif, 13), Silver);
    Label(*form.LbUSBNum, Font(SansSerif, 16), Red);

    form.CbEnable->setFont(Font(QStringLiteral("MS Reference Sans Serif"), 32));
    EditField(*form.EdtValue);
    EditField(*form.EdtNameEditor);

    auto* listStyle = new ListBelowStyle;
    listStyle->setParent(&window);
    for (QComboBox* list : {form.CmbDataType, form.CmbARPMode, form.CmbARPTime, form.CmbScale,
                            form.CmbARPOctave, form.CmbVelocity, form.CmbReverb, form.CmbTranspose,
                            form.CmbKeyChannel, form.CmbChannel, form.CmbDataDis})
        DropDown(*list, *listStyle, 21);
    DropDown(*form.CmbControlMode, *listStyle, 20);

    for (QListWidget* list : {form.lbxInputDevices, form.lbxOutputDevices})
        list->setItemDelegate(new EntryHeightDelegate(13, list));
}
