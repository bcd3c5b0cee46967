#pragma once

#include "midi/MidiService.h"

#include <memory>
#include <string>

// The machine's MIDI service on a JACK server, written against libjack.
//
// One JACK client, named after the editor, registers a MIDI port of its own
// for every port it opens and connects it to the port opened.
// - port name: the client part of the JACK port name, the text before the
//   first ':' ("HBX740:out" gives "HBX740"); the full name is the port's
//   ServiceName. The ports of the project's programs are left out.
// - capability query: Ok while a port of that full name is present; an open
//   port is lost once its connection has gone (QueryOpen).
// - matching: a port's aliases (a bridge's names for the device behind it,
//   jackd's ALSA bridge, a2jmidid, PipeWire) are its MidiPortInfo::Aliases.
// - long-message send: each complete MIDI message of the bytes, as one event
//   or, when longer than the server's largest event, in consecutive parts; the
//   zero padding after 0xF7 forms no message and is left out.
//
// Threads: the operations run on the window's thread. In each process cycle,
// JACK's real-time thread only copies events between the ports and
// preallocated lock-free rings: no allocation, no lock, no system call. After
// the cycle has been signalled done it wakes the input relay's thread, which
// joins the parts of a long SysEx and runs the input callbacks.
//
// Without a JACK server's socket, nothing connects and every port list is
// empty; a later call looks again, at most once a second. When the server
// goes away (JACK's shutdown callback only sets a flag), the next call on the
// window's thread closes the client, which ends JACK's threads, frees what
// they used and loses every open port, and the service then reaches a server
// again as at the start.
class JackMidiService final : public MidiService {
public:
    explicit JackMidiService(std::string clientName = "HBX740 MIDI Editor");
    ~JackMidiService() override;

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

    // Whether a server has been reached.
    bool Connected() const;
    MidiServiceKind Kind() override;

private:
    struct Impl;
    std::unique_ptr<Impl> Self;
};
