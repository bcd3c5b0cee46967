#include "ui/WindowLook.h"

#include "ui_Unit1.h"

#include <QApplication>
#include <QProxyStyle>
#include <QScreen>
#include <QStyledItemDelegate>

#include <initializer_list>
#include <optional>
#include <utility>

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

// Gives a hidden picture its bitmap when it is first shown: seven of the
// eight highlights stay hidden until their control is chosen, and reading the
// bitmaps is most of what the pictures cost at start-up.
class PictureWhenShown final : public QObject {
public:
    PictureWhenShown(QLabel& label, QString path)
        : QObject(&label), Label(label), Path(std::move(path)) {
        label.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            Label.removeEventFilter(this);
            Label.setPixmap(QPixmap(Path));
            deleteLater();
        }
        return false;
    }

private:
    QLabel& Label;
    QString Path;
};

// The pictures come in two sets drawn at the sizes of their labels, for 1x
// and, named "@2x" and read with a device pixel ratio of 2, for finer screens;
// the window's screen chooses, as the window is not on it yet. At 1x and 2x
// painting copies them. At other ratios (125 %, 150 %) the label smooths its
// picture to its size once, since painting it as it is would scale it without
// smoothing.
void Pictures(const QWidget& window, Ui::TForm1& form) {
    const QScreen* screen = window.screen();
    const qreal ratio = screen ? screen->devicePixelRatio() : 1;
    const QString set = ratio > 1 ? QStringLiteral("@2x.bmp") : QStringLiteral(".bmp");
    const auto show = [&](QLabel& label, const QString& name) {
        label.setScaledContents(ratio != 1 && ratio != 2);
        const QString path = QStringLiteral(":/art/") + name + set;
        if (label.isHidden())
            new PictureWhenShown(label, path);
        else
            label.setPixmap(QPixmap(path));
    };
    show(*form.SONDRIKALogo, QStringLiteral("Logo"));
    for (QLabel* picture :
         {form.ImgbData1, form.ImgbData2, form.ImgbData3, form.ImgbData4, form.ImgbData5,
          form.ImgbData6, form.ImgbData7, form.ImgbData8, form.ImgData1, form.ImgData2,
          form.ImgData3, form.ImgData4, form.ImgData5, form.ImgData6, form.ImgData7, form.ImgData8})
        show(*picture, picture->objectName());
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
    // The look is made for Qt's own style, the one Linux's platforms default
    // to; Windows' default is its classic style, whose frames, edit fields
    // and lists differ. Asked for before the controls exist, which then need
    // no second polish; the lists' style follows it.
    if (QApplication::style()->name() != QLatin1String("fusion"))
        QApplication::setStyle(QStringLiteral("Fusion"));
    window.setFont(Font(SansSerif, 11, false));
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, Background);
    window.setPalette(palette);
}

void ApplyControlLook(QWidget& window, Ui::TForm1& form) {
    Pictures(window, form);
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

QColor FocusFrameColour() {
    return {0xFF, 0xC0, 0x20};
}

QColor DifferenceMarkColour() {
    return FocusFrameColour();
}
