#pragma once

#include "EditorServices.h"
#include "ParameterModel.h"
#include "ParameterPanel.h"
#include "ProfileCommands.h"
#include "ProgramFiles.h"

#include <QWidget>
#include <memory>

class QTimer;
class UserPrompts;

namespace Ui {
class TForm1;
}

// The editor's one window. Its handlers only wire the window to the model,
// the profile commands and the panel operations; every handler catches at its
// edge and shows the error box, so no error reaches Qt's event loop.
class TForm1 : public QWidget, private ProfilePanel {
    Q_OBJECT

public:
    explicit TForm1(const EditorServices& services, QWidget* parent = nullptr);
    ~TForm1() override;

    const ParameterModel& Model() const { return Parameters; }
    const QString& ProfilePath() const { return CurrentProfile; }

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

    // Filled in by the MIDI and device-link layers.
    void CreateSysExLock();
    void FillDeviceLists();
    void DiscoverDevice();
    void Timer3Timer();
    void TimerSyncFWTimer();
    void TimerSyncPCTimer();
    void TimerCheckUSBTimer();

    void ResetPara();
    void SaveCurrentPara() override;
    void RegainData() override;
    void ShowProfileName(const QString& name) override;

    void ConnectHandlers();
    QTimer* MakeTimer(const QString& name, int intervalMs, void (TForm1::*handler)());
    template <class Handler> void Guarded(Handler&& handler);

    std::unique_ptr<Ui::TForm1> Form;
    UserPrompts& Prompts;
    const ProgramFiles Files;
    ParameterModel Parameters;
    QString CurrentProfile;
    ParameterPanel Panel;
    ProfileCommands Profiles;

    QTimer* Timer3 = nullptr;
    QTimer* TimerSyncFW = nullptr;
    QTimer* TimerSyncPC = nullptr;
    QTimer* TimerCheckUSB = nullptr;
};
