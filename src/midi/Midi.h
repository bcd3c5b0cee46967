#pragma once

#include "midi/BackgroundErrors.h"
#include "midi/ByteStream.h"
#include "midi/MidiService.h"

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The two MIDI port sets (all input ports, all output ports of the machine),
// each listed once and addressed by index, and MidiPorts, which owns them with
// the service they use.

// One port of a set.
struct TPortEntry {
    // The product name the device lists show.
    std::string Name;
    // The service's full name, so that opening the entry finds this very port.
    std::string ServiceName;
    // The port's other names, for matching (MidiPortInfo::Aliases).
    std::vector<std::string> Aliases;
    // The open connection; none while the port is closed.
    std::optional<MidiHandle> Handle;
};

// Base of the two port sets. The names are listed when the set is made and
// never refreshed, so indices stay valid for the whole run.
class TMidiDevices {
public:
    TMidiDevices(const TMidiDevices&) = delete;
    TMidiDevices& operator=(const TMidiDevices&) = delete;
    virtual ~TMidiDevices() = default;

    // Opens port `index` unless it is open already.
    virtual void OpenPort(std::int32_t index) = 0;
    virtual void ClosePort(std::int32_t index) = 0;
    // Closes every open port and drops any failure; before the set is released.
    virtual void CloseOpenPorts() noexcept = 0;

    const std::vector<TPortEntry>& PortNames() const { return Ports; }
    // The handle of entry `index`, none while the port is closed. An index
    // outside the list raises the connection error.
    std::optional<MidiHandle> PortHandle(std::int32_t index) const;
    // Raises a MidiError for a failing code: the service's text for it, or a
    // text naming the code when the service has none.
    void CheckResult(MidiResult code) const;
    // Ok while entry `index` is open and still connected to the port it was
    // opened on; BadDeviceId once that port has gone (MidiService::QueryOpen),
    // and for an entry that is not open.
    MidiResult QueryOpen(std::int32_t index) const;

protected:
    TMidiDevices(MidiService& service, MidiDirection direction, const char* className);

    MidiService& Service;
    std::vector<TPortEntry> Ports;

private:
    const char* ClassName;
};

// The receive buffer of one input port. The services hand over whole messages; this
// buffer keeps the platform's receive-buffer behaviour on top of them: a SysEx
// reaches the handler at most BufferLength bytes at a time. BytesRecorded is
// the service's count of bytes recorded, State its queued and done flags.
class TSysExData {
public:
    static constexpr std::size_t BufferLength = 2048;

    // Where the buffer is: not queued (port closed), queued with the service,
    // returned with bytes (being handled on the service's thread), or held back
    // because its port is being closed.
    enum class TState : std::uint8_t { Unqueued, Queued, Returned, Closing };

    TSysExData();

    // Collects the bytes of a returned buffer for the handler.
    TByteStream Stream;
    std::array<std::uint8_t, BufferLength> Buffer{};
    std::size_t BytesRecorded = 0;
    std::atomic<TState> State{TState::Unqueued};
};

// The input set.
//
// Threads: the window's thread makes the set, installs the handler slots and
// opens and closes ports. The service's MIDI input thread fills and hands back
// the receive buffers (FillSysExBuffer, HandleSysExBuffer) and runs the
// handlers, through InputCallback. The two sides share only each buffer's State, an atomic; a
// port's buffer and stream belong to the service's thread while the port is
// open, and ClosePort returns only after the service has finished every
// callback for the port. Handlers must not touch widgets.
class TMidiInput final : public TMidiDevices {
public:
    using TShortMessageHandler = std::function<void(std::int32_t port, std::uint8_t status,
                                                    std::uint8_t data1, std::uint8_t data2)>;
    // The stream holds one returned buffer, positioned at its start, and is
    // emptied when the handler returns.
    using TSysExMessageHandler = std::function<void(std::int32_t port, TByteStream& stream)>;

    explicit TMidiInput(MidiService& service);
    ~TMidiInput() override;

    void OpenPort(std::int32_t index) override;
    void ClosePort(std::int32_t index) override;
    void CloseOpenPorts() noexcept override;

    // The handler slots, empty until installed. They change only while no
    // input port is open (std::logic_error otherwise): the service's threads
    // read them without a lock.
    void SetOnShortMessage(TShortMessageHandler handler);
    void SetOnSysExMessage(TSysExMessageHandler handler);
    const TShortMessageHandler& OnShortMessage() const { return ShortMessageSlot; }
    const TSysExMessageHandler& OnSysExMessage() const { return SysExMessageSlot; }

    // Whether port `index` takes input: open and not being closed.
    bool IsReceiving(std::int32_t index) const;
    // The service's part of a SysEx delivery: takes the port's queued buffer
    // and records `bytes` (at most BufferLength) in it. False when the buffer
    // is not queued, so the bytes are dropped.
    bool FillSysExBuffer(std::int32_t index, std::span<const std::uint8_t> bytes);
    // The port's buffer came back: hands its bytes to OnSysExMessage and
    // queues it again, unless the port is being closed.
    void HandleSysExBuffer(std::int32_t index);

    // The connection check: Ok while the port listed at `index` is still
    // present, BadDeviceId when it has gone or was never listed.
    MidiResult QueryPort(std::int32_t index) const;

    const std::vector<std::unique_ptr<TSysExData>>& SysExBuffers() const { return Buffers; }

    // Where an error raised by a handler goes, having no caller on the MIDI
    // input thread.
    BackgroundErrors& Errors() { return HandlerErrors; }

private:
    void RequireNoOpenPort() const;

    BackgroundErrors HandlerErrors;
    TShortMessageHandler ShortMessageSlot;
    TSysExMessageHandler SysExMessageSlot;
    std::vector<std::unique_ptr<TSysExData>> Buffers;
};

// The output set. Sends happen on the window's thread.
class TMidiOutput final : public TMidiDevices {
public:
    // While `deviceCheck` holds BadDeviceId, SendStream sends nothing.
    TMidiOutput(MidiService& service, const std::atomic<std::int32_t>& deviceCheck);
    ~TMidiOutput() override;

    void OpenPort(std::int32_t index) override;
    void ClosePort(std::int32_t index) override;
    void CloseOpenPorts() noexcept override;

    // Sends the stream's whole content as one long message on port `index`.
    // Reports nothing: every failure is dropped, and while LastDeviceCheck is
    // BadDeviceId nothing is tried.
    void SendStream(std::int32_t index, TByteStream& stream);
    // Converts a SysEx hex text (HexTextToStream) and sends the bytes.
    void SendHexText(std::int32_t index, std::string_view text);

private:
    const std::atomic<std::int32_t>& DeviceCheck;
};

// The machine's MIDI ports: the service, the two port sets, each made by its
// first use (listing the ports at that moment), and the result of the last
// connection check. The program makes one and hands it to what needs the
// ports; tests make their own.
//
// Threads: the window's thread makes and releases the sets; once made, any
// thread may reach them. The MIDI input thread reaches the input set through
// the context its ports were opened with, never through this object.
class MidiPorts {
public:
    explicit MidiPorts(std::unique_ptr<MidiService> service);
    // Closes the ports still open, then releases the input set, the output
    // set and the service, in that order.
    ~MidiPorts();
    MidiPorts(const MidiPorts&) = delete;
    MidiPorts& operator=(const MidiPorts&) = delete;

    TMidiInput& InputPorts();
    TMidiOutput& OutputPorts();
    // The input set if it has been made.
    TMidiInput* ExistingInputPorts() noexcept { return Input.get(); }
    MidiService& Service() { return *Machine; }

    // Closes the ports still open and releases both sets, so that the next
    // use lists the ports anew; LastDeviceCheck returns to 0.
    void ReleaseSets() noexcept;

    // Result of the last connection check. While it is
    // MidiResultCode::BadDeviceId (2), SendStream sends nothing. Written on the
    // window's thread, read by senders.
    std::atomic<std::int32_t> LastDeviceCheck{0};

private:
    std::unique_ptr<MidiService> Machine;
    std::unique_ptr<TMidiInput> Input;
    std::unique_ptr<TMidiOutput> Output;
};
