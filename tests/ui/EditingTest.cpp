#include "WindowFixture.h"
#include "model/ProfileFile.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QPushButton>

TEST_F(WindowTest, ValueIsLimitedWhenTheControlIsLeft) {
    Start();
    SelectControl(3);
    SetValue("200");
    SelectControl(4);
    SelectControl(3);
    EXPECT_EQ(Text("EdtValue"), "127");
    SetValue("");
    SelectControl(5);
    EXPECT_EQ(Window->Model().Record(3).Value, 0);
    SetValue("-7");
    SelectControl(6);
    EXPECT_EQ(Window->Model().Record(5).Value, 0);
}

TEST_F(WindowTest, NameRuleAcrossSelections) {
    Start();
    SelectControl(2);
    EXPECT_EQ(Text("EdtNameEditor"), "");
    SetName("Lead");
    SelectControl(5);
    EXPECT_EQ(Window->Model().Record(2).ParaName.Text(), "Lead");
    EXPECT_EQ(Window->Model().Record(2).EditorText.Text(), "Lead");
    SelectControl(2);
    EXPECT_EQ(Text("BtnParaName"), "Lead");
    EXPECT_EQ(Text("EdtNameEditor"), "");

    // Leaving with the field empty keeps the name and remembers the placeholder.
    SelectControl(3);
    EXPECT_EQ(Window->Model().Record(2).ParaName.Text(), "Lead");
    EXPECT_EQ(Window->Model().Record(2).EditorText.Text(), "[NAME]");

    // Clicking the selected control again takes the typed name at once.
    SetName("Pad");
    SelectControl(3);
    EXPECT_EQ(Text("BtnParaName"), "Pad");
    EXPECT_EQ(Text("EdtNameEditor"), "");

    SetName(QString(90, 'x'));
    SelectControl(4);
    EXPECT_EQ(Window->Model().Record(3).ParaName.Text(), QString(80, 'x'));
}

TEST_F(WindowTest, ControlWithoutNameOffersThePlaceholder) {
    ParameterModel model;
    ResetPara(model);
    model.Record(4).ParaName.Assign("");
    SaveParaToFile(model, Folder.FilePath("customer.cus"));
    Start();
    SelectControl(4);
    EXPECT_EQ(Text("EdtNameEditor"), "[NAME]");
    EXPECT_EQ(Text("BtnParaName"), "");
}

TEST_F(WindowTest, MessageTypeListFollowsTheControlAndLowersTheModel) {
    ParameterModel model;
    ResetPara(model);
    model.Record(1).DataType = 5;
    model.Record(2).DataType = 5;
    SaveParaToFile(model, Folder.FilePath("customer.cus"));
    Start();
    EXPECT_EQ(ComboText("CmbDataType"), "CC(Absolute)");
    SelectControl(2);
    EXPECT_EQ(Get<QComboBox>("CmbDataType")->count(), 5);
    EXPECT_EQ(ComboText("CmbDataType"), "CC");
    EXPECT_EQ(Window->Model().Record(2).DataType, 4);
    SelectControl(1);
    EXPECT_EQ(Get<QComboBox>("CmbDataType")->count(), 6);
    EXPECT_EQ(ComboText("CmbDataType"), "CC(Absolute)");
    EXPECT_EQ(Window->Model().Record(1).DataType, 5);
}

TEST_F(WindowTest, ButtonModeBelongsToTheThreeButtons) {
    Start();
    SelectControl(7);
    EXPECT_TRUE(Get("CmbControlMode")->isEnabled());
    EXPECT_EQ(ComboText("CmbControlMode"), "Momentary");
    // Controls 1 to 5 show no mode, so leaving one stores -1.
    EXPECT_EQ(Window->Model().Record(1).ControlMode, -1);
    SelectControl(2);
    EXPECT_FALSE(Get("CmbControlMode")->isEnabled());
    EXPECT_EQ(Get<QComboBox>("CmbControlMode")->currentIndex(), -1);
    EXPECT_EQ(Window->Model().Record(7).ControlMode, 1);
}

TEST_F(WindowTest, BadValueTextStopsTheSelectionAndLeavesTheHighlight) {
    Start();
    SelectControl(2);
    SetValue("12a");
    SelectControl(6);
    EXPECT_EQ(Prompts.Errors(), QStringList{"'12a' is not a valid integer value."});
    EXPECT_EQ(VisibleHighlight(), 2);
    EXPECT_EQ(Window->Model().SelectedControl, 2);
    EXPECT_EQ(Text("EdtValue"), "12a");
    EXPECT_EQ(Text("BtnParaName"), "Knob 1");
    SetValue("$7F");
    SelectControl(6);
    EXPECT_EQ(Window->Model().Record(2).Value, 127);
}

TEST_F(WindowTest, ValueFieldTakesOnlyDigitsAndTheAllowedControlKeys) {
    Start();
    auto* edit = Get<QLineEdit>("EdtValue");
    edit->setFocus();
    edit->clear();
    QTest::keyClicks(edit, "a1- 2.");
    EXPECT_EQ(edit->text(), "12");
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_3);
    EXPECT_EQ(edit->text(), "123");
    QTest::keyClick(edit, Qt::Key_Home);
    QTest::keyClick(edit, Qt::Key_End, Qt::ShiftModifier);
    QTest::keyClick(edit, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(edit->text(), "123");
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(edit->text(), "");
    QTest::keyClicks(edit, "45");
    QTest::keyClick(edit, Qt::Key_Left);
    // Delete as X11 and Wayland deliver it, with the text "\x7F".
    QTest::sendKeyEvent(QTest::Press, edit, Qt::Key_Delete, QString(QChar(0x7F)), Qt::NoModifier);
    EXPECT_EQ(edit->text(), "4");
    QApplication::clipboard()->setText("7");
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit->text(), "47");
}

TEST_F(WindowTest, ClickBesideAClickAreaSelectsNothing) {
    Start();
    SelectControl(2);
    ClickAt({35, 400});
    EXPECT_EQ(Window->Model().SelectedControl, 2);
    ClickAt({80, 360});
    EXPECT_EQ(Window->Model().SelectedControl, 1);
}

TEST_F(WindowTest, HiddenButtonsDriveTheHighlightsAndTheStore) {
    Start();
    Get<QPushButton>("Button1")->click();
    EXPECT_TRUE(Get("ImgData1")->isVisible());
    EXPECT_TRUE(Get("ImgData2")->isVisible());
    Get<QPushButton>("Button2")->click();
    EXPECT_FALSE(Get("ImgData1")->isVisible());
    EXPECT_FALSE(Get("ImgData2")->isVisible());

    SetValue("33");
    Get<QComboBox>("CmbScale")->setCurrentIndex(3);
    Get<QPushButton>("BtselfSave")->click();
    EXPECT_EQ(Window->Model().Record(1).Value, 33);
    EXPECT_EQ(Window->Model().GlobalSettings()[Scale], 3);
}

TEST_F(WindowTest, TabGoesRoundTheCommandsPicturesAndPanelAndStaysInsideTheWindow) {
    Start();
    SelectControl(6);
    Window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Window.get()));
    Get("CbEnable")->setFocus();
    QStringList order{QApplication::focusWidget()->objectName()};
    for (int i = 0; i < 30; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* focus = QApplication::focusWidget();
        order << focus->objectName();
        EXPECT_TRUE(focus->isVisible() && Window->rect().contains(QRect(
                                              focus->mapTo(Window.get(), QPoint()), focus->size())))
            << focus->objectName().toStdString();
    }
    EXPECT_EQ(order, (QStringList{"CbEnable",      "CmbDataType", "CmbControlMode", "EdtValue",
                                  "EdtNameEditor", "CmbARPMode",  "CmbARPTime",     "CmbScale",
                                  "CmbARPOctave",  "CmbVelocity", "CmbReverb",      "CmbTranspose",
                                  "CmbKeyChannel", "CmbChannel",  "CmbDataDis",     "BtnNEW",
                                  "BtnOpen",       "BtnReset",    "BtnExport",      "BtnSave",
                                  "BtnSyncPc",     "BtnSyncFw",   "mCode1",         "mCode2",
                                  "mCode3",        "mCode4",      "mCode5",         "mCode6",
                                  "mCode7",        "mCode8",      "CbEnable"}));
}
