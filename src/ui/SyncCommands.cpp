#include "ui/SyncCommands.h"

#include <algorithm>

namespace {
const char* const DisconnectedNotice =
    QT_TRANSLATE_NOOP("SyncCommands", "       The Device is disconnected, please check!     ");
const char* const SyncToPcQuestion = QT_TRANSLATE_NOOP(
    "SyncCommands", "    Do you want to synchronize device  data to Editor software?    ");
const char* const SyncToFwQuestion = QT_TRANSLATE_NOOP(
    "SyncCommands", "   Do you want to synchronize data to the device firmware?   ");
const char* const ResetQuestion =
    QT_TRANSLATE_NOOP("SyncCommands", "Do you want to reset the factory parameters?");
const char* const SyncedToDevice = QT_TRANSLATE_NOOP(
    "SyncCommands", "      Editor data successfully synchronized to the device.     ");
const char* const SyncedToEditor = QT_TRANSLATE_NOOP(
    "SyncCommands", "      Device data successfully synchronized to the Editor software.     ");
constexpr std::int32_t LastTick = 10;
} // namespace

SyncCommands::SyncCommands(DeviceLink& link, EditingSession& session, UserPrompts& prompts,
                           SyncView& view, HeldParameters& held)
    : Link(link), Session(session), Prompts(prompts), View(view), Held(held) {}

bool SyncCommands::RefusedOrDeclined(const QString& question) {
    if (Link.DeviceDisconnected() > 0) {
        Prompts.Notice(tr(DisconnectedNotice));
        return true;
    }
    return !Prompts.Confirm(question);
}

void SyncCommands::BtnSyncPcClick() {
    if (RefusedOrDeclined(tr(SyncToPcQuestion)))
        return;
    Link.ExpectDumpReply();
    PcSyncTicks = 0;
    Link.SendToDevice(DumpRequest());
    View.StartWait(SyncWait::ToPc);
}

void SyncCommands::BtnSyncFwClick() {
    if (RefusedOrDeclined(tr(SyncToFwQuestion)))
        return;
    View.SaveCurrentPara();
    const std::string text = BuildParameterSet(Session.Model());
    Link.ExpectWriteAcknowledgement();
    FwSyncTicks = 0;
    Held.Sending(EncodeParameters(Session.Model()));
    Link.SendToDevice(text);
    View.StartWait(SyncWait::ToFw);
    Session.Save();
}

void SyncCommands::BtnResetClick() {
    if (RefusedOrDeclined(tr(ResetQuestion)))
        return;
    ParameterModel& model = Session.Model();
    model.SelectedControl = std::clamp(model.SelectedControl, 1, ControlCount);
    View.ResetPara();
    const std::string text = BuildParameterSet(model);
    Session.Save();
    Link.ExpectWriteAcknowledgement();
    FwSyncTicks = 0;
    Held.Sending(EncodeParameters(model));
    Link.SendToDevice(text);
    View.StartWait(SyncWait::ToFw);
}

void SyncCommands::TimerSyncPCTimer() {
    Tick(SyncWait::ToPc, Link.DumpReceived() == 1, PcSyncTicks, tr(SyncedToEditor));
}

void SyncCommands::TimerSyncFWTimer() {
    Tick(SyncWait::ToFw, Link.WriteAcknowledged() == 1, FwSyncTicks, tr(SyncedToDevice));
}

void SyncCommands::Tick(SyncWait wait, bool replied, std::int32_t& ticks,
                        const QString& completion) {
    const auto endWait = [&] {
        if (wait == SyncWait::ToPc)
            Link.EndDumpWait();
        else
            Link.EndAcknowledgementWait();
    };
    if (replied) {
        View.StopWait(wait);
        View.SetProgress(wait, 100);
        Prompts.Notice(completion);
        endWait();
        View.SetProgress(wait, 0);
    }
    ++ticks;
    if (ticks > LastTick) {
        View.StopWait(wait);
        // A reply after this is not the keyboard answering the command: what
        // another program asked for must not change the editor.
        endWait();
        if (!replied)
            View.ShowNoAnswer(wait);
        // It may have stored the set without saying so, or not.
        if (!replied && wait == SyncWait::ToFw) {
            Held.Forget();
            View.ShowDifferences();
        }
    }
}
