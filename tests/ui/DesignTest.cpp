#include "model/Vocabulary.h"
#include "ui_Unit1.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

QStringList Items(const QComboBox* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->itemText(i);
    return items;
}

class Design : public ::testing::Test {
protected:
    QWidget Window;
    Ui::TForm1 Form;
    void SetUp() override {
        Form.setupUi(&Window);
        Window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Window));
    }
};

} // namespace

TEST_F(Design, PanelAndGlobalListsShowTheirDesignValues) {
    EXPECT_EQ(Window.windowTitle(), "HBX740 MIDI Editor V0.1");
    EXPECT_EQ(Window.size(), QSize(1070, 576));
    EXPECT_EQ(Form.EdtValue->text(), "1");
    EXPECT_EQ(Form.EdtNameEditor->text(), "[NAME]");
    EXPECT_EQ(Form.CmbDataType->currentText(), "CC(Relative)");
    EXPECT_EQ(Form.CmbControlMode->currentText(), "Momentary");
    EXPECT_EQ(Form.CmbChannel->currentText(), "0");
    EXPECT_TRUE(Form.CbEnable->isChecked());
    EXPECT_EQ(Form.CmbARPMode->currentText(), "UP");
    EXPECT_EQ(Form.CmbARPTime->currentText(), "1/4");
    EXPECT_EQ(Form.CmbScale->currentText(), "NORM");
    EXPECT_EQ(Form.CmbARPOctave->currentText(), "1");
    EXPECT_EQ(Form.CmbVelocity->currentText(), "NORM");
    EXPECT_EQ(Form.CmbReverb->currentText(), "OFF");
    EXPECT_EQ(Form.CmbTranspose->currentText(), "0");
    EXPECT_EQ(Form.CmbKeyChannel->currentText(), "0");
    EXPECT_EQ(Form.CmbDataDis->currentText(), "DEC");
    EXPECT_EQ(Form.LbConnect->text(), "Disconnect");
    EXPECT_EQ(Form.LbProFile->text(), "PROFILE");
}

TEST_F(Design, ListsHoldTheModelsVocabulary) {
    EXPECT_EQ(Items(Form.CmbDataType), MessageTypeItems(1));
    EXPECT_EQ(Items(Form.CmbControlMode), ButtonModeItems());
    EXPECT_EQ(Items(Form.CmbChannel), ChannelItems());
    EXPECT_EQ(Items(Form.CmbARPMode), ArpModeItems());
    EXPECT_EQ(Items(Form.CmbARPTime), ArpTimeItems());
    EXPECT_EQ(Items(Form.CmbARPOctave), ArpOctaveItems());
    EXPECT_EQ(Items(Form.CmbScale), ScaleItems());
    EXPECT_EQ(Items(Form.CmbVelocity), VelocityItems());
    EXPECT_EQ(Items(Form.CmbReverb), ReverbItems());
    EXPECT_EQ(Items(Form.CmbTranspose), TransposeItems());
    EXPECT_EQ(Items(Form.CmbKeyChannel), KeyChannelItems());
    EXPECT_EQ(Items(Form.CmbDataDis), (QStringList{"DEC", "HEX"}));
}

TEST_F(Design, OnlyTheEncoderHighlightAndNoHiddenControlShows) {
    EXPECT_TRUE(Form.ImgData1->isVisible());
    for (QWidget* hidden :
         {static_cast<QWidget*>(Form.ImgData2), static_cast<QWidget*>(Form.ImgData8),
          static_cast<QWidget*>(Form.Edit1), static_cast<QWidget*>(Form.Button1),
          static_cast<QWidget*>(Form.Button2), static_cast<QWidget*>(Form.BtselfSave),
          static_cast<QWidget*>(Form.LbUSBNum)})
        EXPECT_FALSE(hidden->isVisible()) << hidden->objectName().toStdString();
    for (int n = 1; n <= 8; ++n) {
        auto* base = Window.findChild<QLabel*>(QStringLiteral("ImgbData%1").arg(n));
        ASSERT_NE(base, nullptr);
        EXPECT_TRUE(base->isVisible());
    }
}

TEST_F(Design, ClickAreasLieOverThePicturesAtTheirPlaces) {
    const std::pair<int, QRect> areas[] = {{1, {40, 320, 81, 89}},  {2, {168, 320, 81, 89}},
                                           {3, {298, 320, 81, 89}}, {4, {424, 320, 81, 89}},
                                           {5, {10, 440, 145, 65}}, {6, {166, 432, 89, 73}},
                                           {7, {294, 432, 89, 73}}, {8, {422, 432, 89, 73}}};
    for (const auto& [tag, rect] : areas) {
        auto* area = Window.findChild<QWidget*>(QStringLiteral("mCode%1").arg(tag));
        ASSERT_NE(area, nullptr);
        EXPECT_EQ(area->geometry(), rect) << tag;
        EXPECT_EQ(area->property("tag").toInt(), tag);
        EXPECT_EQ(Window.childAt(rect.center()), area) << tag;
    }
    EXPECT_EQ(Form.lbxInputDevices->geometry(), QRect(1111, 208, 256, 81));
    EXPECT_EQ(Form.BtnSyncFw->geometry(), QRect(270, 247, 218, 32));
}
