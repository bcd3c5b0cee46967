#pragma once

#include "DeviceLink.h"
#include "ParameterModel.h"
#include "UserPrompts.h"

#include <QString>
#include <cstdint>

enum class SyncWait { ToPc, ToFw };

// What the synchronisation commands need of the window. Window's thread only.
class SyncView {
public:
    virtual ~SyncView() = default;
    // Takes the panel into the model; raises on a VALUE text that is not a number.
    virtual void SaveCurrentPara() = 0;
    // Sets the model's defaults and shows them.
    virtual void ResetPara() = 0;
    virtual void SetProgress(SyncWait wait, int position) = 0;
    virtual void StartWait(SyncWait wait) = 0;
    virtual void StopWait(SyncWait wait) = 0;
};

// SYNC TO PC, SYNC TO FW and RESET, and the waits for the keyboard's replies.
// Each command sends one message to the keyboard's port and watches its reply
// flag for eleven ticks; a reply in that time is announced.
class SyncCommands {
public:
    SyncCommands(DeviceLink& link, ParameterModel& model, const QString& profilePath,
                 UserPrompts& prompts, SyncView& view);

    void BtnSyncPcClick();
    void BtnSyncFwClick();
    void BtnResetClick();
    void TimerSyncPCTimer();
    void TimerSyncFWTimer();

    std::int32_t FwSyncTicks = 0;
    std::int32_t PcSyncTicks = 0;

private:
    bool RefusedOrDeclined(const QString& question);
    void SendToDevice(const std::string& text);
    void Tick(SyncWait wait, std::atomic<std::int32_t>& flag, std::int32_t& ticks,
              const QString& completion);

    DeviceLink& Link;
    ParameterModel& Model;
    const QString& ProfilePath;
    UserPrompts& Prompts;
    SyncView& View;
};
