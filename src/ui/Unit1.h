#pragma once

#include "device/DeviceLink.h"
#include "device/HeldParameters.h"
#include "model/EditingSession.h"
#include "model/ProgramFiles.h"
#include "ui/EditHistory.h"
#include "ui/EditorServices.h"
#include "ui/ParameterPanel.h"
#include "ui/ProfileCommands.h"
#include "ui/SyncCommands.h"

#include <QWidget>
#include <memory>

class DifferenceMarks;
class MonitorLine;
class QTimer;
class UserPrompts;

namespace Ui {
class TForm1;
}

// The editor's one window. Its handlers only wire the window to the editing
// session, the profile commands, the panel operations and the device link;
// every handler catches at its edge and shows the error box, so no error
// reaches Qt's event loop.
class TForm1 : public QWidget, private ProfilePanel, private SyncView {
    Q_OBJECT

public:
    explicit TForm1(const EditorServices& services, QWidget* parent = nullptr);
    ~TForm1() override;

    const ParameterModel& Model() const { return Session.Model(); }
    const QString& ProfilePath() const { return Session.ProfilePath(); }
    const DeviceLink& Link() const { return *Device; }
    DeviceLink& Link() { return *Device; }
    const MonitorLine& Monitor() const { return *Line; }
    const EditHistory& Edits() const { return History; }

    // Opens the profile at `path` as OPEN does, for the file the program was
    // given; a failure shows in the error box and leaves the profile as it was.
    void OpenProfile(const QString& path);

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
    void PortsClick();
    void PanelEntryDone();
    void UndoClick();
    void RedoClick();
    void EditShown();
    void ShowDifferences() override;

    void CreateSysExLock();
    void FillDeviceLists();
    void RefillDeviceLists();
    void DiscoverDevice();
    void FormDestroy();
    void TimerSyncFWTimer();
    void TimerSyncPCTimer();

    void MidiDataIn(std::int32_t port, std::uint8_t status, std::uint8_t data1, std::uint8_t data2);
    void AnalysisData(const ParameterBytes& bytes);

    void ResetPara() override;
    void SaveCurrentPara() override;
    void RegainData() override;
    void ShowProfileName(const QString& name) override;

    void ShowConnection(bool connected);
    void ShowFirmware(const QString& text);
    void TickInputPort(int index);
    void TickOutputPort(int index);
    void ShowDevicePort(int index);
    void ShowSearch(const QStringList& lines);

    void SetProgress(SyncWait wait, int position) override;
    void StartWait(SyncWait wait) override;
    void StopWait(SyncWait wait) override;
    void ShowNoAnswer(SyncWait wait) override;
    void HideNoAnswer();

    void ConnectHandlers();
    void ConnectDeviceLink();
    QTimer* MakeTimer(const QString& name, int intervalMs, void (TForm1::*handler)());
    template <class Handler> void Guarded(Handler&& handler);

    std::unique_ptr<Ui::TForm1> Form;
    UserPrompts& Prompts;
    MidiPorts& Midi;
    const ProgramFiles Files;
    EditingSession Session;
    ParameterPanel Panel;
    EditHistory History;
    ProfileCommands Profiles;
    // A child of the window, which owns it.
    DeviceLink* Device = nullptr;
    HeldParameters Held;
    SyncCommands Sync;
    std::unique_ptr<DifferenceMarks> Marks;
    MonitorLine* Line = nullptr;

    QTimer* TimerSyncFW = nullptr;
    QTimer* TimerSyncPC = nullptr;
    QTimer* TimerNoAnswer = nullptr;
};
