#include "TempFolder.h"
#include "device/DeviceMessages.h"
#include "midi/SysExHexText.h"
#include "model/ProfileFile.h"
#include "ui/ParameterPanel.h"
#include "ui_Unit1.h"

#include <QFile>
#include <gtest/gtest.h>

// Every truncation and every single-bit flip of a valid profile loads, shows
// in the panel and builds a parameter set of data bytes only.
namespace {

class DamagedProfile : public ::testing::Test {
protected:
    TempFolder Folder;
    QWidget Window;
    Ui::TForm1 Form;
    QByteArray Valid;

    void SetUp() override {
        Form.setupUi(&Window);
        ParameterModel defaults;
        ResetPara(defaults);
        defaults.Record(3).ParaName.Assign("Knob with a longer name");
        SaveParaToFile(defaults, Folder.FilePath("valid.cus"));
        Valid = Folder.Read("valid.cus");
    }

    void LoadShowAndBuild(const QByteArray& bytes, const std::string& what) {
        Folder.Write("damaged.cus", bytes);
        ParameterModel model;
        LoadParaFromFile(model, Folder.FilePath("damaged.cus"), false);
        ParameterPanel panel(Form, model);
        for (int n = 1; n <= ControlCount; ++n) {
            model.SelectedControl = n;
            panel.StartupFill();
            panel.RegainData();
        }
        TByteStream stream;
        HexTextToStream(BuildParameterSet(model), stream);
        ASSERT_EQ(stream.Size(), 51u) << what;
        for (std::uint8_t byte : stream.Bytes().subspan(1, 46))
            ASSERT_LE(byte, 0x7F) << what;
    }
};

} // namespace

TEST_F(DamagedProfile, EveryTruncationLoads) {
    for (int size = 0; size <= Valid.size(); ++size)
        LoadShowAndBuild(Valid.left(size), "truncated to " + std::to_string(size));
}

TEST_F(DamagedProfile, EverySingleBitFlipLoads) {
    for (int at = 0; at < Valid.size(); ++at) {
        for (int bit = 0; bit < 8; ++bit) {
            QByteArray flipped = Valid;
            flipped[at] = static_cast<char>(flipped[at] ^ (1 << bit));
            LoadShowAndBuild(flipped, "byte " + std::to_string(at) + " bit " + std::to_string(bit));
        }
    }
}
