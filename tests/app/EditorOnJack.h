#pragma once

#include "FakeUserPrompts.h"
#include "SysfsUsbDeviceQuery.h"
#include "TempFolder.h"
#include "Unit1.h"

#include <QLabel>
#include <QProcess>
#include <QStringList>
#include <gtest/gtest.h>
#include <memory>

// The editor as the program builds it (RtMidi on a private JACK server, the
// sysfs USB query over a synthetic tree) against the keyboard simulator, which
// takes commands on its standard input.
class EditorOnJack : public ::testing::Test {
protected:
    TempFolder Folder;
    TempFolder UsbTree;
    FakeUserPrompts Prompts;
    std::unique_ptr<SysfsUsbDeviceQuery> Usb;
    QProcess Simulator;
    QStringList SimulatorLines;
    std::unique_ptr<TForm1> Window;

    void SetUp() override;
    void TearDown() override;

    // Options for the simulator started before the window.
    virtual QStringList SimulatorOptions() const { return {}; }

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

private:
    qsizetype LinesSeen = 0;
};
