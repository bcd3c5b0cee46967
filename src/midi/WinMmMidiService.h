#pragma once

#include "midi/MidiService.h"
#include "midi/ProgramClients.h"

#include <memory>
#include <string>

// The machine's MIDI service on Windows, written against the multimedia MIDI
// functions (WinMM, winmm.dll).
//
// WinMM numbers the devices of each direction from 0, and the numbers move
// when a device comes or goes.
// - port name: the device's product name as the driver gives it (szPname up to
//   its first NUL, in UTF-8). The ServiceName counts the devices of one name
//   from the second on ("HBX740", "HBX740 #2"), so that it finds the same
//   device again when the numbering has moved. Devices named after the
//   project's programs are left out; there are no aliases.
// - capability query: Ok while a device of that ServiceName is listed; an open
//   port is lost once its driver has closed it (MIM_CLOSE, MOM_CLOSE) or its
//   handle no longer answers the capability query with the name it was opened
//   on (QueryOpen).
// - input: each open port has 32 receive buffers of 2048 bytes queued, so
//   that the driver, which drops what arrives with no buffer queued, has room
//   for a burst while returned buffers are on their way back to it. A SysEx
//   longer than a buffer comes in consecutive buffers, which the input relay
//   joins.
// - long-message send: each complete MIDI message of the bytes, a short one
//   with midiOutShortMsg, a SysEx with midiOutLongMsg from a copy that is
//   released only once the driver has marked it done; the zero padding after
//   0xF7 forms no message and is left out.
//
// Threads: the operations run on the window's thread. The drivers call the
// service's callbacks on threads of their own (and, during a reset or a close,
// on the caller's), where Windows allows only a few calls: the callbacks only
// copy a short message or a returned buffer's bytes into the port's
// preallocated lock-free ring, mark the buffer returned and signal events (the
// relay's wake-up, SetEvent), with no allocation, no lock and no midiIn* call.
// A thread of the service's queues the returned buffers again; the input
// relay's thread joins the parts of a long SysEx and runs the input callbacks.
// Closing an input port resets it, waits until the driver has returned every
// buffer and closed the port, and then until no callback for it still runs.
class WinMmMidiService final : public MidiService {
public:
    explicit WinMmMidiService(std::string clientName = std::string(EditorClientName));
    ~WinMmMidiService() override;

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
    MidiServiceKind Kind() override;

private:
    struct Impl;
    std::unique_ptr<Impl> Self;
};
