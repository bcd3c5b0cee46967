#include "WindowFixture.h"

#include <QLabel>

namespace {

// CTest runs these at 100 % and again with QT_SCALE_FACTOR at 1.25, 1.5 and 2.
qreal ScaleFactor() {
    bool ok = false;
    const qreal factor = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(&ok);
    return ok ? factor : 1.0;
}

class HighDpi : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        Start();
    }
};

TEST_F(HighDpi, WindowScalesAsAWhole) {
    EXPECT_EQ(Window->size(), QSize(1070, 576));
    EXPECT_EQ(Window->grab().size(), Window->size() * ScaleFactor());
}

// Each picture comes from the set drawn for the screen at its label's size,
// and its label shows it pixel for pixel where the ratio is whole (between,
// the 2x set is smoothed down once). The hidden highlights get theirs when
// their controls are chosen.
TEST_F(HighDpi, PicturesAreCopiedFromTheSetForTheScreen) {
    for (int n = 8; n >= 1; --n)
        SelectControl(n);
    const qreal ratio = ScaleFactor() > 1 ? 2 : 1;
    int pictures = 0;
    for (QLabel* label : Window->findChildren<QLabel*>()) {
        const QPixmap picture = label->pixmap();
        if (picture.isNull())
            continue;
        ++pictures;
        const std::string name = label->objectName().toStdString();
        EXPECT_EQ(picture.devicePixelRatio(), ratio) << name;
        EXPECT_EQ(picture.deviceIndependentSize(), QSizeF(label->size())) << name;
        const QImage shown = label->grab().toImage();
        EXPECT_EQ(shown.size(), label->size() * ScaleFactor()) << name;
        if (ScaleFactor() == ratio) {
            const QImage drawn = picture.toImage();
            EXPECT_EQ(shown.convertToFormat(drawn.format()), drawn) << name;
        }
    }
    EXPECT_EQ(pictures, 17);
}

} // namespace
