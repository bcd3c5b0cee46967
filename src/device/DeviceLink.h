#pragma once

#include "ByteStream.h"
#include "ConnectionView.h"
#include "DeviceMessages.h"
#include "Midi.h"
#include "ReceivedSysEx.h"
#include "UsbDeviceQuery.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>

enum PortMatch : std::int32_t { NoPortMatch, NamePortMatch, UsbPortMatch };

// Finds the keyboard, binds its port, polls its identity and watches the
// connection; and reads the keyboard's replies.
//
// Threads: DiscoverDevice, CloseState, Timer3Timer, TimerCheckUSBTimer and
// FormDestroy run on the window's thread. SysExDataIn runs on the MIDI
// service's thread, always inside the window's SysExLock, which Timer3Timer
// also takes to read ReceivedSysEx; nothing done under the lock waits for the
// window's thread. A dump reply's bytes leave the MIDI thread through
// OnDumpReply, whose receiver hands them to the window's thread. The values
// both threads use are atomics; the rest belongs to the window's thread.
class DeviceLink {
public:
    // Flags are kept for output and input ports 0 to 10. A matching port with a
    // higher index is opened and ticked but carries no flag, so shutdown leaves
    // it to the release of the port sets.
    static constexpr int FlaggedPortCount = 11;

    struct Handlers {
        TMidiInput::TShortMessageHandler ShortMessage;
        TMidiInput::TSysExMessageHandler SysEx;
        // Receives a dump reply's parameter bytes on the MIDI thread.
        std::function<void(const ParameterBytes&)> OnDumpReply;
    };

    DeviceLink(ConnectionView& view, Handlers handlers);

    void DiscoverDevice(UsbDeviceQuery& usb);
    void CloseState();
    void SysExDataIn(std::int32_t port, const TByteStream& stream);
    void Timer3Timer(std::mutex& SysExLock);
    void TimerCheckUSBTimer();
    void FormDestroy();

    std::atomic<std::int32_t> DevicePort{0};
    std::atomic<std::int32_t> DeviceDisconnected{0};
    std::atomic<std::int32_t> WriteAcknowledged{0};
    std::atomic<std::int32_t> DumpReceived{0};
    std::atomic<std::int32_t> PortMatchKind{NoPortMatch};
    std::atomic<std::int32_t> SysExSourcePort{0};
    std::int32_t KeyboardOnUsb = 0;
    std::int32_t UsbPortCount = 0;
    std::int32_t IdentityTicks = 0;
    std::array<std::int32_t, FlaggedPortCount> OutputPortOpened{};
    std::array<std::int32_t, FlaggedPortCount> InputPortOpened{};
    // Guarded by the window's SysExLock.
    TReceivedSysEx ReceivedSysEx;

private:
    void OpenOutput(int index);
    void OpenInput(int index);
    void SendIdentityRequest(int index);
    void RebindDevicePort(std::int32_t inputPort);

    ConnectionView& View;
    Handlers InputHandlers;
};
