#pragma once

#ifdef _WIN32

#include "midi/WinMmMidiService.h"

// Windows has one MIDI service, the multimedia functions.
using MachineMidiService = WinMmMidiService;

#else

#include "midi/MidiService.h"

#include <memory>
#include <string>

class JackMidiService;

// The machine's MIDI service: the ALSA sequencer where its device can be
// opened, else a running JACK server, else none. The choice is made by the
// first call that finds a service; until then every port list is empty and
// the next call looks again (the JACK side at most once a second), so making
// it never fails and a service started after the program is still found. A
// JACK server chosen once is followed through its restarts by the JACK
// service itself.
class MachineMidiService final : public MidiService {
public:
    explicit MachineMidiService(std::string clientName = "HBX740 MIDI Editor");
    ~MachineMidiService() override;

    MidiServiceKind Kind() override;

    MidiResult ListPorts(MidiDirection direction, std::vector<MidiPortInfo>& ports) override;
    MidiResult QueryPort(MidiDirection direction, const std::string& serviceName) override;
    MidiResult QueryOpen(MidiHandle handle) override;
    MidiResult OpenInput(const std::string& serviceName, const MidiInputTarget& target,
                         MidiHandle& handle) override;
    MidiResult CloseInput(MidiHandle handle) override;
    MidiResult OpenOutput(const std::string& serviceName, MidiHandle& handle) override;
    MidiResult CloseOutput(MidiHandle handle) override;
    MidiResult SendLong(MidiHandle handle, std::span<const std::uint8_t> bytes) override;
    std::optional<std::string> ErrorText(MidiResult code) override;

private:
    MidiService* Choose();

    std::string ClientName;
    MidiServiceKind Chosen = MidiServiceKind::None;
    std::unique_ptr<MidiService> Service;
    // Kept while nothing is chosen, so that its own pace of connecting holds.
    std::unique_ptr<JackMidiService> JackCandidate;
};

#endif
