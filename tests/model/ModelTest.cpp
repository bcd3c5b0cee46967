#include "model/ParameterModel.h"
#include "model/ValueText.h"

#include <gtest/gtest.h>

TEST(ParameterModel, ResetParaSetsDefaultsAndLeavesEditorTextsAndOtherSettings) {
    ParameterModel model;
    model.SelectedControl = 3;
    for (int n = 1; n <= 8; ++n) {
        model.Record(n).EditorText.Assign(QStringLiteral("typed %1").arg(n));
        model.Record(n).Settings.fill(40 + n);
        model.Record(n).ParaName.Assign("loaded");
        model.Record(n).ControlMode = -1;
        model.Record(n).Channel = 9;
        model.Record(n).Disable = 1;
    }
    ResetPara(model);

    const char* names[] = {"Encoder",       "Knob 1", "Knob 2", "Knob 3",
                           "Volume Slider", "Play",   "Stop",   "Recoard"};
    const int values[] = {10, 21, 22, 23, 7, 105, 106, 107};
    for (int n = 1; n <= 8; ++n) {
        const ControlRecord& r = model.Record(n);
        EXPECT_EQ(r.ParaName.Text(), names[n - 1]);
        EXPECT_EQ(r.Value, values[n - 1]);
        EXPECT_EQ(r.DataType, 4);
        EXPECT_EQ(r.Channel, 0);
        EXPECT_EQ(r.Disable, 0);
        EXPECT_EQ(r.ControlMode, n == 7 ? 1 : 0);
        EXPECT_EQ(r.EditorText.Text(), QStringLiteral("typed %1").arg(n));
        if (n > 1) {
            EXPECT_EQ(r.Settings[0], 40 + n);
        }
    }
    EXPECT_EQ(model.GlobalSettings(), (SettingsArray{0, 5, 1, 0, 0, 0, 12, 0}));
    EXPECT_EQ(model.SelectedControl, 3);
}

TEST(FixedName, CutsAt80BytesWithoutSplittingACharacter) {
    FixedName name;
    name.Assign(QString(81, 'a'));
    EXPECT_EQ(name.Length(), 80);
    EXPECT_EQ(name.Text(), QString(80, 'a'));

    // 79 ASCII bytes and a two-byte character do not fit: the character goes.
    name.Assign(QString(79, 'b') + QString::fromUtf8("é"));
    EXPECT_EQ(name.Length(), 79);
    EXPECT_EQ(name.Text(), QString(79, 'b'));

    name.Assign(QString(78, 'c') + QString::fromUtf8("é"));
    EXPECT_EQ(name.Length(), 80);
    EXPECT_EQ(name.Text(), QString(78, 'c') + QString::fromUtf8("é"));
}

TEST(ValueText, ConvertsDecimalSignedAndHexTexts) {
    EXPECT_EQ(StrToInt("42"), 42);
    EXPECT_EQ(StrToInt("  7"), 7);
    EXPECT_EQ(StrToInt("+5"), 5);
    EXPECT_EQ(StrToInt("-12"), -12);
    EXPECT_EQ(StrToInt("$7F"), 127);
    EXPECT_EQ(StrToInt("x1a"), 26);
    EXPECT_EQ(StrToInt("X10"), 16);
    EXPECT_EQ(StrToInt("0x7"), 7);
    EXPECT_EQ(StrToInt("2147483647"), 2147483647);
    EXPECT_EQ(StrToInt("-2147483648"), -2147483647 - 1);
}

TEST(ValueText, RejectsEverythingElseWithTheTextInTheMessage) {
    for (const char* text : {"12a", "1 ", " ", "-", "$", "0x", "1.5", "2147483648", "$G", "١٢"}) {
        try {
            StrToInt(QString::fromUtf8(text));
            ADD_FAILURE() << text << " was accepted";
        } catch (const std::exception& error) {
            EXPECT_EQ(
                QString::fromUtf8(error.what()),
                QStringLiteral("'%1' is not a valid integer value").arg(QString::fromUtf8(text)));
        }
    }
}

TEST(ValueText, ControlNumbersStayWithin0To127) {
    EXPECT_EQ(ValueFromText(""), 0);
    EXPECT_EQ(ValueFromText("200"), 127);
    EXPECT_EQ(ValueFromText("999"), 127);
    EXPECT_EQ(ValueFromText("-5"), 0);
    EXPECT_EQ(ValueFromText("$7F"), 127);
    EXPECT_EQ(ValueFromText("64"), 64);
}

TEST(ValueText, KeyFilterLetsThroughExactlyTheListedCharacters) {
    std::vector<int> allowed;
    for (int c = 0; c < 0x250; ++c) {
        if (IsValueKeyAllowed(static_cast<char16_t>(c)))
            allowed.push_back(c);
    }
    EXPECT_EQ(allowed, (std::vector<int>{3, 8, 13, 22, 48, 49, 50, 51, 52, 53, 54, 55, 56, 57}));
}
