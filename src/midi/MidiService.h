#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// Result codes of the MIDI service: 0 is success, every other value a failure
// whose text ErrorText gives, if the service knows one.
using MidiResult = std::int32_t;
namespace MidiResultCode {
inline constexpr MidiResult Ok = 0;
inline constexpr MidiResult Error = 1;
// The port is not (or no longer) present.
inline constexpr MidiResult BadDeviceId = 2;
inline constexpr MidiResult InvalidHandle = 5;
} // namespace MidiResultCode

// An open port, as the service numbers its connections; never 0.
using MidiHandle = std::uint32_t;

enum class MidiDirection { Input, Output };

// What a service stands on: the ALSA sequencer, a JACK server, Windows'
// multimedia MIDI functions, nothing (no service reached), or something else
// (a test's).
enum class MidiServiceKind { None, AlsaSequencer, Jack, WinMm, Other };

struct MidiPortInfo {
    // The product name the editor shows and matches the keyboard by.
    std::string Name;
    // The service's own full name of the port, which finds the same port again
    // when the service's numbering has moved.
    std::string ServiceName;
    // Other names the service knows the port by (a bridge's names of the
    // device behind it), for matching only.
    std::vector<std::string> Aliases;
};

// Called on a thread of the service for every message that arrives on an open
// input port, with the context and instance given when the port was opened. A
// SysEx message arrives whole, from 0xF0 through 0xF7; every other message is
// one short message of one to three bytes. The bytes are valid during the call
// only.
using MidiInputCallback = void (*)(void* context, std::int32_t instance,
                                   std::span<const std::uint8_t> message);

// Where an open input port delivers.
struct MidiInputTarget {
    MidiInputCallback Callback = nullptr;
    void* Context = nullptr;
    std::int32_t Instance = 0;
};

// The machine's MIDI service. Every operation is called from the window's
// thread; only the input callbacks run on the service's own threads.
class MidiService {
public:
    MidiService() = default;
    MidiService(const MidiService&) = delete;
    MidiService& operator=(const MidiService&) = delete;
    virtual ~MidiService() = default;

    // The ports present now, in the service's order.
    virtual MidiResult ListPorts(MidiDirection direction, std::vector<MidiPortInfo>& ports) = 0;
    // Ok while the port is present, BadDeviceId when it has gone.
    virtual MidiResult QueryPort(MidiDirection direction, const std::string& serviceName) = 0;
    // Ok while the port open as `handle` is still connected to the very port
    // it was opened on; BadDeviceId once that port has gone, also when a port
    // of the same name has appeared since (a quick re-plug, a restarted
    // server), InvalidHandle for a handle that is not open.
    virtual MidiResult QueryOpen(MidiHandle handle) = 0;
    // Opens an input port and starts delivery to `target`.
    virtual MidiResult OpenInput(const std::string& serviceName, const MidiInputTarget& target,
                                 MidiHandle& handle) = 0;
    // Stops delivery and closes the port. When it returns, no callback for the
    // port runs any more and none will.
    virtual MidiResult CloseInput(MidiHandle handle) = 0;
    virtual MidiResult OpenOutput(const std::string& serviceName, MidiHandle& handle) = 0;
    virtual MidiResult CloseOutput(MidiHandle handle) = 0;
    // Sends the bytes as one long message. The service is done with them when
    // the call returns.
    virtual MidiResult SendLong(MidiHandle handle, std::span<const std::uint8_t> bytes) = 0;
    // The text of a failure code returned to this thread, or nothing for a code
    // the service has no text for.
    virtual std::optional<std::string> ErrorText(MidiResult code) = 0;
    // What the service stands on; None while it reaches nothing.
    virtual MidiServiceKind Kind() { return MidiServiceKind::Other; }
};
