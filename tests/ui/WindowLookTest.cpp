#include "WindowFixture.h"

#include <QFrame>
#include <QListWidget>
#include <QStyle>

namespace {

const QColor Background(0x3F, 0x3A, 0x39);
const QColor ButtonFace(0x21, 0x27, 0x21);
const QColor Silver(0xC0, 0xC0, 0xC0);

class WindowLook : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        Midi->AddInputPort("HBX740");
        Midi->AddOutputPort("HBX740");
        Start();
        Picture = Window->grab().toImage();
    }

    // The colour drawn at `offset` inside the named widget.
    QColor DrawnAt(const char* name, QPoint offset) const {
        const QWidget* widget = Get(name);
        return Picture.pixelColor(widget->mapTo(Window.get(), offset));
    }

    QImage Picture;
};

TEST_F(WindowLook, DrawsTheDesignedColours) {
    EXPECT_EQ(Picture.pixelColor(544, 540), Background);
    EXPECT_EQ(DrawnAt("ShNEW", {0, 0}), Silver);
    EXPECT_EQ(DrawnAt("ShNEW", {219, 34}), Silver);
    EXPECT_EQ(DrawnAt("BtnNEW", {2, 2}), ButtonFace);
    EXPECT_EQ(DrawnAt("LbProFile", {2, 2}), Silver);
    EXPECT_EQ(DrawnAt("LbBar2", {1, 100}), Silver);
    EXPECT_EQ(DrawnAt("LbStatus", {2, 2}), Silver);
    // Transparent captions show the background around their text.
    EXPECT_EQ(DrawnAt("Label2", {110, 25}), Background);
}

TEST_F(WindowLook, FontsAreCharacterHeightsInPixels) {
    const QFont window = Window->font();
    EXPECT_EQ(window.pixelSize(), 11);
    EXPECT_EQ(window.family(), "MS Sans Serif");
    EXPECT_FALSE(window.bold());
    // A control that names no font takes the window's.
    EXPECT_EQ(Get("Edit1")->font().pixelSize(), 11);

    const QFont button = Get("BtnNEW")->font();
    EXPECT_EQ(button.family(), "Arial");
    EXPECT_EQ(button.pixelSize(), 29);
    EXPECT_TRUE(button.bold());
    EXPECT_EQ(Get("CmbControlMode")->font().pixelSize(), 20);
    EXPECT_EQ(Get("EdtValue")->font().family(), "MS Sans Serif");
    EXPECT_EQ(Get("EdtValue")->font().pixelSize(), 19);
}

// Each list, opened the first time, shows its items below its face in its own
// font and colours.
TEST_F(WindowLook, DropDownsOpenAsAListBelowTheirFace) {
    for (QComboBox* list : Window->findChildren<QComboBox*>()) {
        const std::string name = list->objectName().toStdString();
        if (list->count() == 0)
            continue;
        list->showPopup();
        const QWidget* popup = list->view()->window();
        ASSERT_TRUE(popup->isVisible()) << name;
        EXPECT_GE(popup->geometry().top(), list->mapToGlobal(QPoint(0, list->height())).y() - 1)
            << name;
        EXPECT_EQ(list->view()->font(), list->font()) << name;
        EXPECT_EQ(list->view()->palette().color(QPalette::Text),
                  list->palette().color(QPalette::Text))
            << name;
        list->hidePopup();
    }
}

TEST_F(WindowLook, DeviceListEntriesAreThirteenPixelsHigh) {
    EXPECT_EQ(Get<QListWidget>("lbxInputDevices")->sizeHintForRow(0), 13);
    EXPECT_EQ(Get<QListWidget>("lbxOutputDevices")->sizeHintForRow(0), 13);
}

// Every style sheet puts its widget under the style-sheet style, which costs
// start-up time; only the monitor line's rounded frame needs one.
TEST_F(WindowLook, OnlyTheRoundedFrameHasAStyleSheet) {
    QStringList styled;
    for (const QWidget* widget : Window->findChildren<QWidget*>())
        if (!widget->styleSheet().isEmpty())
            styled << widget->objectName();
    EXPECT_EQ(styled, QStringList{"ShDisplay"});
    EXPECT_TRUE(Window->styleSheet().isEmpty());
}

} // namespace
