#include "ui/DifferenceMarks.h"

#include "model/ParameterModel.h"
#include "ui/WindowLook.h"
#include "ui_Unit1.h"

#include <QPainter>

namespace {

constexpr int MarkSize = 10;

// A dot over the window's other widgets (made after them), which lets every
// click through to what lies beneath.
class Mark : public QWidget {
public:
    explicit Mark(QWidget* parent) : QWidget(parent) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        hide();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(DifferenceMarkColour());
        painter.drawEllipse(rect());
    }
};

// The pictures' click areas, which screen readers see as the controls.
std::array<QWidget*, ControlCount> Pictures(const Ui::TForm1& form) {
    return {form.mCode1, form.mCode2, form.mCode3, form.mCode4,
            form.mCode5, form.mCode6, form.mCode7, form.mCode8};
}

std::array<QWidget*, ControlCount> BasePictures(const Ui::TForm1& form) {
    return {form.ImgbData1, form.ImgbData2, form.ImgbData3, form.ImgbData4,
            form.ImgbData5, form.ImgbData6, form.ImgbData7, form.ImgbData8};
}

// In the order of the global settings.
std::array<QWidget*, SettingCount> SettingLists(const Ui::TForm1& form) {
    std::array<QWidget*, SettingCount> lists{};
    lists[ArpMode] = form.CmbARPMode;
    lists[ArpTime] = form.CmbARPTime;
    lists[ArpOctave] = form.CmbARPOctave;
    lists[Scale] = form.CmbScale;
    lists[Velocity] = form.CmbVelocity;
    lists[Reverb] = form.CmbReverb;
    lists[Transpose] = form.CmbTranspose;
    lists[KeyChannel] = form.CmbKeyChannel;
    return lists;
}

QWidget* NewMark(QWidget& window, const QWidget& marked, const QRect& place) {
    auto* mark = new Mark(&window);
    mark->setObjectName(QStringLiteral("Mark") + marked.objectName());
    mark->setGeometry(place);
    mark->setAccessibleName(DifferenceMarks::tr("Differs from the keyboard"));
    return mark;
}

} // namespace

DifferenceMarks::DifferenceMarks(QWidget& window, Ui::TForm1& form) : Form(form) {
    // Inside each picture's top right corner.
    const auto pictures = BasePictures(form);
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        const QRect picture = pictures[i]->geometry();
        ControlMarks[i] =
            NewMark(window, *pictures[i],
                    QRect(picture.right() - MarkSize - 3, picture.top() + 3, MarkSize, MarkSize));
    }
    // In the free space left of each list.
    const auto lists = SettingLists(form);
    for (std::size_t i = 0; i < lists.size(); ++i) {
        const QRect list = lists[i]->geometry();
        SettingMarks[i] = NewMark(window, *lists[i],
                                  QRect(list.left() - MarkSize - 5,
                                        list.center().y() - MarkSize / 2, MarkSize, MarkSize));
    }
}

void DifferenceMarks::Show(const std::optional<ParameterDifferences>& differences) {
    const ParameterDifferences none;
    const ParameterDifferences& shown = differences ? *differences : none;
    const auto mark = [](QWidget* mark, QWidget* field, bool differs) {
        mark->setVisible(differs);
        field->setAccessibleDescription(differs ? tr("Differs from the keyboard") : QString());
    };
    const auto pictures = Pictures(Form);
    for (std::size_t i = 0; i < pictures.size(); ++i)
        mark(ControlMarks[i], pictures[i], shown.Controls[i]);
    const auto lists = SettingLists(Form);
    for (std::size_t i = 0; i < lists.size(); ++i)
        mark(SettingMarks[i], lists[i], shown.Settings[i]);
    Counted = Summary(shown.ControlsDiffering(), shown.SettingsDiffering());
    ShowToolTip();
}

void DifferenceMarks::ShowSearch(const QStringList& lines) {
    Search = lines;
    ShowToolTip();
}

QString DifferenceMarks::Summary(int controls, int settings) {
    //: Exactly one; any other count takes "%n controls".
    const QString one = tr("1 control");
    const QString controlsText = controls == 1 ? one : tr("%n controls", "", controls);
    //: Exactly one; any other count takes "%n settings".
    const QString oneSetting = tr("1 setting");
    const QString settingsText = settings == 1 ? oneSetting : tr("%n settings", "", settings);
    if (controls > 0 && settings > 0) {
        //: %1 counts the controls ("2 controls"), %2 the settings ("1 setting").
        return tr("%1 and %2 differ from the keyboard: SYNC TO FW sends them.")
            .arg(controlsText, settingsText);
    }
    const QString counted = controls > 0 ? controlsText : settingsText;
    if (controls + settings == 1) {
        //: %1 is "1 control" or "1 setting".
        return tr("%1 differs from the keyboard: SYNC TO FW sends it.").arg(counted);
    }
    if (controls + settings > 1) {
        //: %1 counts the controls or the settings ("3 controls").
        return tr("%1 differ from the keyboard: SYNC TO FW sends them.").arg(counted);
    }
    return {};
}

void DifferenceMarks::ShowToolTip() {
    QStringList lines = Search;
    if (!Counted.isEmpty())
        lines.prepend(Counted);
    Form.LbConnect->setToolTip(lines.join(u'\n'));
}
