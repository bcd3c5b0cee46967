#pragma once

#include "ui/UserPrompts.h"

#include <QDialog>

class QComboBox;

// "MIDI Ports": the keyboard's input and output port, each picked by name
// from the ports listed now or left to "Automatic", with a line saying where
// finding the keyboard stopped. "Automatic" goes for both ports or neither.
class PortsDialog : public QDialog {
    Q_OBJECT

public:
    explicit PortsDialog(const PortsRequest& request, QWidget* parent = nullptr);

    // The pair picked; both names empty for "Automatic".
    DeviceChoice Choice() const;

    QComboBox* InputBox() const { return Input; }
    QComboBox* OutputBox() const { return Output; }

private:
    void Follow(QComboBox* changed, QComboBox* other);

    QComboBox* Input = nullptr;
    QComboBox* Output = nullptr;
};
