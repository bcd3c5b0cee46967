#include "device/SysExFile.h"
#include "ErrorOf.h"
#include "TempFolder.h"
#include "model/ProfileFile.h"

#include <gtest/gtest.h>
#include <tuple>

namespace {

// The factory defaults' parameter set, from its F0 to its F7.
const QByteArray DefaultSet = QByteArray::fromHex(
    "F0 33 00 2B 0A 04 00 00 15 04 00 00 16 04 00 00 17 04 00 00 07 04 00 00 69 04 00 00 00 6A "
    "04 00 00 01 6B 04 00 00 00 00 05 01 00 00 00 0C 00 F7");

QByteArray With(QByteArray bytes, qsizetype at, char byte) {
    bytes[at] = byte;
    return bytes;
}

// A profile whose transferred fields and names differ from the defaults.
ParameterModel Edited() {
    ParameterModel model = FactoryModel();
    model.Record(2).Value = 99;
    model.Record(2).ParaName.Assign("Filter");
    model.GlobalSettings()[Reverb] = 3;
    return model;
}

} // namespace

TEST(SysExFile, TakesOneParameterSetOrDumpReplyAndLeavesTheNames) {
    // The keyboard returns Transpose before Reverb.
    for (const auto& [content, reverb, transpose] :
         {std::tuple{DefaultSet, 0, 12}, std::tuple{With(DefaultSet, 2, 0x01), 12, 0}}) {
        ParameterModel model = Edited();
        DecodeSysExFile(content, model);
        EXPECT_EQ(model.Record(2).Value, 21);
        EXPECT_EQ(model.Record(2).ParaName.Text(), "Filter");
        EXPECT_EQ(model.GlobalSettings()[Reverb], reverb);
        EXPECT_EQ(model.GlobalSettings()[Transpose], transpose);
    }
}

TEST(SysExFile, RefusesAnythingElseSayingWhatItFound) {
    const struct {
        QByteArray Content;
        QString Error;
    } cases[] = {
        {{}, "Not a parameter set: the file is empty"},
        {DefaultSet.left(40),
         "Not a parameter set: 40 bytes starting F0 33 00 2B …, which are no whole SysEx message"},
        {"F0 33 00 2B\n",
         "Not a parameter set: 12 bytes starting 46 30 20 33 …, which are no whole SysEx message"},
        {DefaultSet + DefaultSet,
         "Not a parameter set: 96 bytes starting F0 33 00 2B …, which are 2 SysEx messages"},
        {With(DefaultSet, 1, 0x41),
         "Not a parameter set: a SysEx message of 48 bytes starting F0 41 00 2B … (a parameter set "
         "has 48 bytes starting F0 33 00 2B)"},
        {DefaultSet.left(40) + char(0xF7),
         "Not a parameter set: a SysEx message of 41 bytes starting F0 33 00 2B … (a parameter set "
         "has 48 bytes starting F0 33 00 2B)"},
    };
    for (const auto& c : cases) {
        ParameterModel model = Edited();
        EXPECT_EQ(ErrorOf([&] { DecodeSysExFile(c.Content, model); }), c.Error);
        EXPECT_EQ(EncodeProfile(model), EncodeProfile(Edited())) << c.Error.toStdString();
    }
}

TEST(SysExFile, WritesTheParameterSetAndReadsOnlyASmallFile) {
    const TempFolder folder;
    ParameterModel model = FactoryModel();
    SaveSysExFile(model, folder.FilePath("factory.syx"));
    EXPECT_EQ(folder.Read("factory.syx"), DefaultSet);

    folder.Write("large.syx", DefaultSet.repeated(100));
    EXPECT_EQ(ErrorOf([&] { LoadSysExFile(model, folder.FilePath("large.syx")); }),
              "Not a parameter set: 4800 bytes, where a parameter set has 48");
    EXPECT_TRUE(IsSysExFileName("/d/LIVE.SYX"));
    EXPECT_FALSE(IsSysExFileName("/d/live.syx.cus"));
}
