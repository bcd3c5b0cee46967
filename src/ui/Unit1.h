#pragma once

#include "ConnectionView.h"
#include "DeviceLink.h"
#include "EditorServices.h"
#include "ParameterModel.h"
#include "ParameterPanel.h"
#include "ProfileCommands.h"
#include "ProgramFiles.h"
#include "SyncCommands.h"

#include <QWidget>
#include <memory>
#include <mutex>

class MonitorLine;
class QTimer;
class UserPrompts;

namespace Ui {
class TForm1;
}

// The editor's one window. Its handlers only wire the window to the model,
// the profile commands, the panel operations and the device link; every
// handler catches at its edge and shows the error box, so no error reaches
// Qt's event loop.
//
// Threads: everything here runs on the window's thread except MidiDataIn and
// SysExDataIn, which the MIDI service's thread calls. MidiDataIn only
// publishes to the monitor line; SysExDataIn holds SysExLock while the device
// link reads the message, and a dump reply reaches the model through a queued
// call to AnalysisData on the window's thread, in arrival order.
class TForm1 : public QWidget, private ProfilePanel, private ConnectionView, private SyncView {
    Q_OBJECT

public:
    explicit TForm1(const EditorServices& services, QWidget* parent = nullptr);
    ~TForm1() override;

    const ParameterModel& Model() const { return Parameters; }
    const QString& ProfilePath() const { return CurrentProfile; }
    const DeviceLink& Link() const { return Device; }
    const MonitorLine& Monitor() const { return *Line; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();

    void BtnNEWClick();
    void BtnOpenClick();
    void BtnSaveClick();
    void BtnExportClick();
    void BtselfSaveClick();
    void mCode1Click(QObject* Sender);
    void Button1Click();
    void Button2Click();
    void EdtValueKeyPress(char16_t& Key);
    void BtnSyncPcClick();
    void BtnSyncFwClick();
    void BtnResetClick();
    void CmbDataDisClick();

    void CreateSysExLock();
    void FillDeviceLists();
    void DiscoverDevice();
    void FormDestroy();
    void Timer3Timer();
    void TimerSyncFWTimer();
    void TimerSyncPCTimer();
    void TimerCheckUSBTimer();

    void MidiDataIn(std::int32_t port, std::uint8_t status, std::uint8_t data1, std::uint8_t data2);
    void SysExDataIn(std::int32_t port, TByteStream& stream);
    void AnalysisData(const ParameterBytes& bytes);

    void ResetPara() override;
    void SaveCurrentPara() override;
    void RegainData() override;
    void ShowProfileName(const QString& name) override;

    void ShowConnection(bool connected) override;
    void ShowFirmware(const QString& text) override;
    void TickInputPort(int index) override;
    void TickOutputPort(int index) override;
    void ShowDevicePort(int index) override;
    void StartIdentityPoll() override;
    void StopIdentityPoll() override;
    void StopConnectionCheck() override;

    void SetProgress(SyncWait wait, int position) override;
    void StartWait(SyncWait wait) override;
    void StopWait(SyncWait wait) override;

    void ConnectHandlers();
    QTimer* MakeTimer(const QString& name, int intervalMs, void (TForm1::*handler)());
    template <class Handler> void Guarded(Handler&& handler);

    std::unique_ptr<Ui::TForm1> Form;
    UserPrompts& Prompts;
    UsbDeviceQuery& Usb;
    const ProgramFiles Files;
    ParameterModel Parameters;
    QString CurrentProfile;
    ParameterPanel Panel;
    ProfileCommands Profiles;
    std::unique_ptr<std::mutex> SysExLock;
    DeviceLink Device;
    SyncCommands Sync;
    MonitorLine* Line = nullptr;

    QTimer* Timer3 = nullptr;
    QTimer* TimerSyncFW = nullptr;
    QTimer* TimerSyncPC = nullptr;
    QTimer* TimerCheckUSB = nullptr;
};
