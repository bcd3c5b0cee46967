#pragma once

#include "MidiService.h"

#include <memory>
#include <string>

enum class RtMidiBackend {
    // The ALSA sequencer, or JACK when the sequencer cannot be opened.
    Automatic,
    Alsa,
    Jack,
};

// The machine's MIDI service, through RtMidi.
//
// Mapping of the service's terms:
// - port name: the client part of RtMidi's port name, the text before the
//   first ':' (ALSA "HBX740:HBX740 MIDI 1 20:0" and JACK "HBX740:out" both
//   give "HBX740"); the full name is the port's ServiceName. ALSA's "Midi
//   Through" client and the editor's own ports are left out.
// - capability query: Ok while a port of that full name is present,
//   BadDeviceId when it has gone.
// - open/start and stop/reset/close of an input: one RtMidiIn per open port,
//   with SysEx, timing clock and active sensing enabled; destroying it stops
//   its thread, so no callback outlives CloseInput.
// - long-message send: the complete MIDI messages in the bytes, each sent
//   whole (a SysEx from 0xF0 through 0xF7); bytes that form no message, such
//   as the zero padding after 0xF7, are left out, because ALSA and JACK carry
//   whole messages only.
// - error text: RtMidi's own text of the failure, reported through its error
//   callback, so nothing goes only to stderr.
//
// The backend is chosen by the first call that finds a service, so making the
// service never fails and a machine without any MIDI service simply shows no
// ports.
class RtMidiService final : public MidiService {
public:
    explicit RtMidiService(RtMidiBackend backend = RtMidiBackend::Automatic,
                           std::string clientName = "HBX740 MIDI Editor");
    ~RtMidiService() override;

    MidiResult ListPorts(MidiDirection direction, std::vector<MidiPortInfo>& ports) override;
    MidiResult QueryPort(MidiDirection direction, const std::string& serviceName) override;
    MidiResult OpenInput(const std::string& serviceName, MidiInputCallback callback,
                         std::int32_t instance, MidiHandle& handle) override;
    MidiResult CloseInput(MidiHandle handle) override;
    MidiResult OpenOutput(const std::string& serviceName, MidiHandle& handle) override;
    MidiResult CloseOutput(MidiHandle handle) override;
    MidiResult SendLong(MidiHandle handle, std::span<const std::uint8_t> bytes) override;
    std::optional<std::string> ErrorText(MidiResult code) override;

    // The backend in use, once a call has chosen it: Alsa or Jack.
    std::optional<RtMidiBackend> ActiveBackend() const;

private:
    struct Impl;
    std::unique_ptr<Impl> Self;
};
