#pragma once

#include "device/DeviceMessages.h"

#include <QCoreApplication>
#include <QStringList>
#include <array>
#include <optional>

class QWidget;
namespace Ui {
class TForm1;
}

// What differs from the keyboard, shown: a small amber mark on each control
// picture and beside each GLOBAL list whose bytes differ, laid over the
// window without moving anything; the same in the accessible description of
// each picture and list; the count at the head of the connection label's
// tooltip, which otherwise shows how the keyboard was found.
class DifferenceMarks {
    Q_DECLARE_TR_FUNCTIONS(DifferenceMarks)

public:
    DifferenceMarks(QWidget& window, Ui::TForm1& form);

    // Nothing known of the keyboard: no mark.
    void Show(const std::optional<ParameterDifferences>& differences);
    void ShowSearch(const QStringList& lines);

    // "2 controls and 1 setting differ from the keyboard: SYNC TO FW sends
    // them."; empty when nothing differs.
    static QString Summary(int controls, int settings);

private:
    void ShowToolTip();

    Ui::TForm1& Form;
    std::array<QWidget*, ControlCount> ControlMarks{};
    std::array<QWidget*, SettingCount> SettingMarks{};
    QStringList Search;
    QString Counted;
};
