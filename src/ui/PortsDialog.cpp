#include "ui/PortsDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>

namespace {

QComboBox* PortBox(const QStringList& names, const QString& current, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->addItem(PortsDialog::tr("Automatic"));
    box->addItems(names);
    // A chosen port that is not listed now stays a choice the user can keep.
    if (!current.isEmpty() && box->findText(current, Qt::MatchExactly) < 0)
        box->addItem(current);
    box->setCurrentIndex(current.isEmpty() ? 0 : box->findText(current, Qt::MatchExactly));
    return box;
}

} // namespace

PortsDialog::PortsDialog(const PortsRequest& request, QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("MIDI Ports"));
    Input = PortBox(request.Inputs, request.Current.InputPort, this);
    Output = PortBox(request.Outputs, request.Current.OutputPort, this);
    Input->setObjectName(QStringLiteral("InputPort"));
    Output->setObjectName(QStringLiteral("OutputPort"));
    auto* why = new QLabel(request.Why, this);
    why->setObjectName(QStringLiteral("Why"));
    why->setWordWrap(true);
    why->setTextFormat(Qt::PlainText);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);

    auto* form = new QFormLayout(this);
    form->addRow(tr("&Input (from the keyboard):"), Input);
    form->addRow(tr("&Output (to the keyboard):"), Output);
    form->addRow(why);
    form->addRow(buttons);

    connect(Input, &QComboBox::activated, this, [this] { Follow(Input, Output); });
    connect(Output, &QComboBox::activated, this, [this] { Follow(Output, Input); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

// A port pair is one choice: "Automatic" on one side is "Automatic" on both;
// a port picked beside "Automatic" brings its namesake on the other side, the
// usual naming of a device's two ports, or else the first port listed.
void PortsDialog::Follow(QComboBox* changed, QComboBox* other) {
    if (changed->currentIndex() == 0) {
        other->setCurrentIndex(0);
    } else if (other->currentIndex() == 0 && other->count() > 1) {
        const int namesake = other->findText(changed->currentText(), Qt::MatchExactly);
        other->setCurrentIndex(namesake > 0 ? namesake : 1);
    }
}

DeviceChoice PortsDialog::Choice() const {
    if (Input->currentIndex() <= 0 || Output->currentIndex() <= 0)
        return {};
    return {Input->currentText(), Output->currentText()};
}
