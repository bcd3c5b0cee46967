#include "midi/MachineMidiService.h"

#include "midi/AlsaMidiService.h"
#include "midi/JackMidiService.h"
#include "midi/ServiceFailure.h"

MachineMidiService::MachineMidiService(std::string clientName)
    : ClientName(std::move(clientName)) {}

MachineMidiService::~MachineMidiService() = default;

MidiService* MachineMidiService::Choose() {
    if (Service)
        return Service.get();
    if (auto alsa = std::make_unique<AlsaMidiService>(ClientName);
        alsa->Kind() == MidiServiceKind::AlsaSequencer) {
        Service = std::move(alsa);
        Chosen = MidiServiceKind::AlsaSequencer;
        JackCandidate.reset();
        return Service.get();
    }
    if (!JackCandidate)
        JackCandidate = std::make_unique<JackMidiService>(ClientName);
    if (JackCandidate->Kind() == MidiServiceKind::Jack) {
        Service = std::move(JackCandidate);
        Chosen = MidiServiceKind::Jack;
    }
    return Service.get();
}

MidiServiceKind MachineMidiService::Kind() {
    Choose();
    return Chosen;
}

MidiResult MachineMidiService::ListPorts(MidiDirection direction,
                                         std::vector<MidiPortInfo>& ports) {
    ports.clear();
    MidiService* service = Choose();
    return service ? service->ListPorts(direction, ports) : MidiResultCode::Ok;
}

MidiResult MachineMidiService::QueryPort(MidiDirection direction, const std::string& serviceName) {
    MidiService* service = Choose();
    return service ? service->QueryPort(direction, serviceName) : MidiResultCode::BadDeviceId;
}

MidiResult MachineMidiService::QueryOpen(MidiHandle handle) {
    return Service ? Service->QueryOpen(handle) : MidiResultCode::InvalidHandle;
}

MidiResult MachineMidiService::OpenInput(const std::string& serviceName,
                                         const MidiInputTarget& target, MidiHandle& handle) {
    MidiService* service = Choose();
    return service ? service->OpenInput(serviceName, target, handle) : MidiResultCode::BadDeviceId;
}

MidiResult MachineMidiService::CloseInput(MidiHandle handle) {
    return Service ? Service->CloseInput(handle) : MidiResultCode::InvalidHandle;
}

MidiResult MachineMidiService::OpenOutput(const std::string& serviceName, MidiHandle& handle) {
    MidiService* service = Choose();
    return service ? service->OpenOutput(serviceName, handle) : MidiResultCode::BadDeviceId;
}

MidiResult MachineMidiService::CloseOutput(MidiHandle handle) {
    return Service ? Service->CloseOutput(handle) : MidiResultCode::InvalidHandle;
}

MidiResult MachineMidiService::SendLong(MidiHandle handle, std::span<const std::uint8_t> bytes) {
    return Service ? Service->SendLong(handle, bytes) : MidiResultCode::InvalidHandle;
}

std::optional<std::string> MachineMidiService::ErrorText(MidiResult code) {
    if (Service)
        return Service->ErrorText(code);
    if (code == MidiResultCode::BadDeviceId)
        return "No MIDI service: neither the ALSA sequencer nor a JACK server is running";
    if (code == MidiResultCode::InvalidHandle)
        return PortNotOpenText;
    return std::nullopt;
}
