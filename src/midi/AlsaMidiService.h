#pragma once

#include "midi/MidiService.h"

#include <memory>
#include <string>

// The machine's MIDI service on the ALSA sequencer, written against alsa-lib.
//
// One sequencer client, named after the editor, makes a port of its own for
// every port it opens and subscribes it to the port opened.
// - port name: the client name ("HBX740"); the full name is the client and
//   port name with their numbers ("HBX740:HBX740 MIDI Out 128:1"), the port's
//   ServiceName. The kernel's "Midi Through" and the ports of the project's
//   programs are left out.
// - capability query: Ok while a port of that full name is present; an open
//   port is lost once its subscription has gone (QueryOpen).
// - matching: the port's own name is its MidiPortInfo::Aliases.
// - long-message send: each complete MIDI message of the bytes as one event
//   (a SysEx whole, from 0xF0 through 0xF7); the zero padding after 0xF7 forms
//   no message and is left out.
// - the client's input pool is the largest the sequencer allows, so that a
//   burst from the keyboard or a long SysEx is not lost while the editor is
//   busy; a receiver with the default pool takes no SysEx over 5,572 bytes.
//
// Threads: the operations run on the window's thread. A reader thread of the
// service's takes the events from the sequencer, turns them into bytes and
// hands them to the input relay's thread through preallocated rings, as the
// JACK service does; the relay joins the parts of a long SysEx and runs the
// input callbacks.
//
// Without a sequencer every port list is empty and every open fails.
class AlsaMidiService final : public MidiService {
public:
    explicit AlsaMidiService(std::string clientName = "HBX740 MIDI Editor");
    ~AlsaMidiService() override;

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

    // Whether the sequencer has been reached.
    bool Connected() const;
    MidiServiceKind Kind() override;

private:
    struct Impl;
    std::unique_ptr<Impl> Self;
};
