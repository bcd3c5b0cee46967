#include "ui/PortsCommand.h"

#include "device/DeviceLink.h"
#include "model/SettingsFile.h"
#include "ui/UserPrompts.h"

void ChooseKeyboardPorts(DeviceLink& link, UserPrompts& prompts, const QString& settingsFile) {
    const QStringList search = link.Search().Lines();
    const PortsRequest request{
        link.PresentPortNames(MidiDirection::Input), link.PresentPortNames(MidiDirection::Output),
        ReadDeviceChoice(settingsFile), search.isEmpty() ? QString() : search.constLast()};
    const std::optional<DeviceChoice> chosen = prompts.ChoosePorts(request);
    if (!chosen)
        return;
    WriteDeviceChoice(settingsFile, *chosen);
    link.ChangePortChoice(chosen->InputPort, chosen->OutputPort);
}
