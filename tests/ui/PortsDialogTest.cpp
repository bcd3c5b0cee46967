#include "ui/PortsDialog.h"

#include <QComboBox>
#include <QTest>
#include <gtest/gtest.h>

// The dialog as the user works it: a pair is one choice.
TEST(PortsDialog, APortPairIsChosenTogetherAndAnAbsentChoiceIsKept) {
    PortsDialog dialog({{"Synth", "Keys 49"}, {"Keys 49", "Synth"}, {}, "USB: not on USB"});
    QComboBox* input = dialog.InputBox();
    QComboBox* output = dialog.OutputBox();
    EXPECT_TRUE(dialog.Choice().Automatic());

    // Picking one side brings its namesake on the other.
    input->setCurrentIndex(2);
    emit input->activated(2);
    EXPECT_EQ(dialog.Choice(), (DeviceChoice{"Keys 49", "Keys 49"}));
    output->setCurrentIndex(0);
    emit output->activated(0);
    EXPECT_EQ(input->currentIndex(), 0);
    EXPECT_TRUE(dialog.Choice().Automatic());

    PortsDialog unplugged({{"Synth"}, {"Synth"}, {"Keys 49", "Keys 49"}, {}});
    EXPECT_EQ(unplugged.Choice(), (DeviceChoice{"Keys 49", "Keys 49"}));
}
