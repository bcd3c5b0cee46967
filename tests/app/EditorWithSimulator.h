#pragma once

#include "FakeUserPrompts.h"
#include "TempFolder.h"
#include "TestMidiPorts.h"
#include "device/SysfsUsbDeviceQuery.h"
#include "ui/Unit1.h"

#include <QLabel>
#include <QProcess>
#include <QStringList>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

enum class SimulatorBackend { Jack, Alsa };

// The editor as the program builds it (its MIDI service on the private JACK
// server, or on the ALSA sequencer; the sysfs USB query over a synthetic tree)
// against the keyboard simulator on the same service, which takes commands on
// its standard input.
class EditorWithSimulator : public ::testing::Test, protected TestMidiPorts {
protected:
    TempFolder Folder;
    TempFolder UsbTree;
    FakeUserPrompts Prompts;
    std::unique_ptr<SysfsUsbDeviceQuery> Usb;
    QStringList SimulatorLines; // before the process, whose destructor may still deliver lines
    QProcess Simulator;
    std::unique_ptr<TForm1> Window;

    void SetUp() override;
    void TearDown() override;

    virtual SimulatorBackend Backend() const { return SimulatorBackend::Jack; }
    // Options for the simulator started before the window.
    virtual QStringList SimulatorOptions() const { return {}; }
    // Runs once the JACK server is chosen, before the simulator starts.
    virtual void BeforeSimulator() {}

    void StartSimulator(const QStringList& options);
    void KillSimulator();
    // Hands one command line to the simulator and waits until it is carried out.
    void SimulatorCommand(const QString& line, int timeoutMs = 30000);
    // The last line the simulator printed that starts with `prefix`.
    QString SimulatorLine(const QString& prefix) const;
    // Waits for a new line from the simulator starting with `prefix`.
    bool WaitForSimulatorLine(const QString& prefix, int timeoutMs);

    template <class T = QWidget> T* Get(const char* name) const {
        return Window->findChild<T*>(QString::fromLatin1(name));
    }
    void Click(const char* name);
    QString LabelText(const char* name) const { return Get<QLabel>(name)->text(); }
    bool WaitForConnection(const QString& text, int timeoutMs);
    // A note from the keyboard reaches `heard` within a few seconds: sent again
    // every half second, since a program that has just lost the keyboard
    // needs a moment to bind it again.
    bool Hears(const std::function<bool()>& heard);

private:
    qsizetype LinesSeen = 0;
};
