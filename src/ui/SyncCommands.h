#pragma once

#include "device/DeviceLink.h"
#include "device/HeldParameters.h"
#include "model/EditingSession.h"
#include "ui/UserPrompts.h"

#include <QCoreApplication>
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
    // The wait ran out without a reply: says so beside the command, briefly.
    virtual void ShowNoAnswer(SyncWait wait) = 0;
    // What the keyboard is known to hold has changed.
    virtual void ShowDifferences() = 0;
};

// SYNC TO PC, SYNC TO FW and RESET, and the waits for the keyboard's replies.
// Each command sends one message to the keyboard's port and watches its reply
// flag for eleven ticks; a reply in that time is announced, and its absence
// is shown without a box.
class SyncCommands {
    Q_DECLARE_TR_FUNCTIONS(SyncCommands)

public:
    // Each parameter set sent is told to `held`, which holds it once
    // acknowledged; one left unanswered leaves the keyboard unknown.
    SyncCommands(DeviceLink& link, EditingSession& session, UserPrompts& prompts, SyncView& view,
                 HeldParameters& held);

    void BtnSyncPcClick();
    void BtnSyncFwClick();
    void BtnResetClick();
    void TimerSyncPCTimer();
    void TimerSyncFWTimer();

    std::int32_t FwSyncTicks = 0;
    std::int32_t PcSyncTicks = 0;

private:
    bool RefusedOrDeclined(const QString& question);
    void Tick(SyncWait wait, bool replied, std::int32_t& ticks, const QString& completion);

    DeviceLink& Link;
    EditingSession& Session;
    UserPrompts& Prompts;
    SyncView& View;
    HeldParameters& Held;
};
