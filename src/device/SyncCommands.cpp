#include "SyncCommands.h"

#include "ProfileFile.h"

#include <algorithm>

namespace {
const QString DisconnectedNotice =
    QStringLiteral("       The Device is disconnected, please check!     ");
const QString SyncToPcQuestion =
    QStringLiteral("    Do you want to synchronize device  data to Editor software?    ");
const QString SyncToFwQuestion =
    QStringLiteral("   Do you want to synchronize data to the device firmware?   ");
const QString ResetQuestion = QStringLiteral("Do you want to reset the factory parameters?");
const QString SyncedToDevice =
    QStringLiteral("      Editor data successfully synchronized to the device.     ");
const QString SyncedToEditor =
    QStringLiteral("      Device data successfully synchronized to the Editor software.     ");
constexpr std::int32_t LastTick = 10;
} // namespace

SyncCommands::SyncCommands(DeviceLink& link, ParameterModel& model, const QString& profilePath,
                           UserPrompts& prompts, SyncView& view)
    : Link(link), Model(model), ProfilePath(profilePath), Prompts(prompts), View(view) {}

bool SyncCommands::RefusedOrDeclined(const QString& question) {
    if (Link.DeviceDisconnected > 0) {
        Prompts.Notice(DisconnectedNotice);
        return true;
    }
    return !Prompts.Confirm(question);
}

void SyncCommands::SendToDevice(const std::string& text) {
    OutputPorts().SendHexText(Link.DevicePort, text);
}

void SyncCommands::BtnSyncPcClick() {
    if (RefusedOrDeclined(SyncToPcQuestion))
        return;
    Link.DumpReceived = 0;
    PcSyncTicks = 0;
    SendToDevice(DumpRequest);
    View.StartWait(SyncWait::ToPc);
}

void SyncCommands::BtnSyncFwClick() {
    if (RefusedOrDeclined(SyncToFwQuestion))
        return;
    View.SaveCurrentPara();
    const std::string text = BuildParameterSet(Model);
    Link.WriteAcknowledged = 0;
    FwSyncTicks = 0;
    SendToDevice(text);
    View.StartWait(SyncWait::ToFw);
    SaveParaToFile(Model, ProfilePath);
}

void SyncCommands::BtnResetClick() {
    if (RefusedOrDeclined(ResetQuestion))
        return;
    Model.SelectedControl = std::clamp(Model.SelectedControl, 1, ControlCount);
    View.ResetPara();
    const std::string text = BuildParameterSet(Model);
    SaveParaToFile(Model, ProfilePath);
    Link.WriteAcknowledged = 0;
    FwSyncTicks = 0;
    SendToDevice(text);
    View.StartWait(SyncWait::ToFw);
}

void SyncCommands::TimerSyncPCTimer() {
    Tick(SyncWait::ToPc, Link.DumpReceived, PcSyncTicks, SyncedToEditor);
}

void SyncCommands::TimerSyncFWTimer() {
    Tick(SyncWait::ToFw, Link.WriteAcknowledged, FwSyncTicks, SyncedToDevice);
}

void SyncCommands::Tick(SyncWait wait, std::atomic<std::int32_t>& flag, std::int32_t& ticks,
                        const QString& completion) {
    if (flag == 1) {
        View.StopWait(wait);
        View.SetProgress(wait, 100);
        Prompts.Notice(completion);
        flag = 0;
        View.SetProgress(wait, 0);
    }
    ++ticks;
    if (ticks > LastTick)
        View.StopWait(wait);
}
