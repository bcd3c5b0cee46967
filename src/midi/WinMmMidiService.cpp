#include "midi/WinMmMidiService.h"

#include "midi/BackgroundErrors.h"
#include "midi/MidiInputRelay.h"
#include "midi/MidiMessages.h"
#include "midi/OpenedPorts.h"
#include "midi/ServiceFailure.h"

#include <windows.h>

#include <mmsystem.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cwchar>
#include <map>
#include <mutex>
#include <string_view>
#include <thread>

namespace {

constexpr std::size_t BufferLength = 2048;
// The driver fills the queued buffers in turn and drops what finds none, and
// each SysEx, however short, takes a buffer of its own; while one is on its
// way back and queued again, the others take a burst.
constexpr unsigned BufferCount = 32;
static_assert(BufferCount <= 32, "one bit a buffer in a 32-bit mask");
// Ports the editor can hold open at once, each way. The drivers' callbacks
// reach a port through its slot, which lives as long as the service.
constexpr std::size_t SlotCount = 64;
// How long a close waits for the driver to hand back its buffers, and a short
// message for the SysEx sent before it to be done.
constexpr auto DriverPatience = std::chrono::seconds(2);

struct HandleCloser {
    void operator()(HANDLE handle) const noexcept { CloseHandle(handle); }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

std::string Utf8(std::wstring_view text) {
    const int length = static_cast<int>(text.size());
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return {};
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), length, bytes.data(), size, nullptr, nullptr);
    return bytes;
}

// A fixed-size name field, up to its first NUL.
template <std::size_t N> std::string NameOf(const wchar_t (&name)[N]) {
    return Utf8({name, wcsnlen(name, N)});
}

// WinMM's text for a code, empty where it has none. The input side's texts
// cover the codes of the output functions too.
std::string WinMmText(MMRESULT code) {
    std::array<wchar_t, MAXERRORLENGTH> text{};
    if (midiInGetErrorTextW(code, text.data(), static_cast<UINT>(text.size())) != MMSYSERR_NOERROR)
        return {};
    return Utf8({text.data(), wcsnlen(text.data(), text.size())});
}

// A device number or, cast, an open handle.
std::optional<std::string> DeviceName(MidiDirection direction, UINT_PTR device) {
    if (direction == MidiDirection::Input) {
        MIDIINCAPSW caps{};
        if (midiInGetDevCapsW(device, &caps, sizeof caps) != MMSYSERR_NOERROR)
            return std::nullopt;
        return NameOf(caps.szPname);
    }
    MIDIOUTCAPSW caps{};
    if (midiOutGetDevCapsW(device, &caps, sizeof caps) != MMSYSERR_NOERROR)
        return std::nullopt;
    return NameOf(caps.szPname);
}

// Counts a driver's callback in its slot while it runs, so that a close can
// wait for the last one.
class CallbackScope {
public:
    explicit CallbackScope(std::atomic<int>& running) noexcept : Running(running) {
        Running.fetch_add(1);
    }
    ~CallbackScope() { Running.fetch_sub(1); }
    CallbackScope(const CallbackScope&) = delete;
    CallbackScope& operator=(const CallbackScope&) = delete;

private:
    std::atomic<int>& Running;
};

void WaitUntilIdle(const std::atomic<int>& running) {
    while (running.load() != 0)
        std::this_thread::yield();
}

// The driver answers on a thread of its own; a short poll, since it answers
// within milliseconds.
template <class Done> bool WaitForDriver(Done done) {
    const auto deadline = std::chrono::steady_clock::now() + DriverPatience;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        Sleep(1);
    }
    return true;
}

struct ReceiveBuffers {
    std::array<MIDIHDR, BufferCount> Headers{};
    std::array<std::array<char, BufferLength>, BufferCount> Bytes{};
};

struct InputSlot {
    // The open port; the callback ignores whatever comes for another handle
    // (the opening's MIM_OPEN, a late notice for a port closed before).
    std::atomic<HMIDIIN> Handle{nullptr};
    // Callbacks running now.
    std::atomic<int> Running{0};
    // One bit per buffer: those the driver holds, and those it has returned
    // that are not queued again yet.
    std::atomic<std::uint32_t> Held{0};
    std::atomic<std::uint32_t> Returned{0};
    // From the start of a close: nothing more goes to the ring, and no buffer
    // is queued again.
    std::atomic<bool> Closing{false};
    std::atomic<bool> DriverClosed{false};
    MidiInputRelay::Source* Source = nullptr;
    MidiInputRelay* Relay = nullptr;
    HANDLE Requeue = nullptr;
    // The requeueing thread's: a device that has gone fails every buffer,
    // which is said once.
    bool QueueFailureReported = false;
    // Changed under the service's SlotsLock, which the requeueing thread holds.
    std::unique_ptr<ReceiveBuffers> Buffers;
};

// A SysEx on its way out: its own copy of the bytes, kept until the driver is
// done with it.
struct Sent {
    MIDIHDR Header{};
    std::vector<std::uint8_t> Bytes;
    std::atomic<bool> Done{false};
};

struct OutputSlot {
    std::atomic<HMIDIOUT> Handle{nullptr};
    std::atomic<int> Running{0};
    std::atomic<bool> DriverClosed{false};
    // The window's thread only.
    std::vector<std::unique_ptr<Sent>> Sending;
};

void CALLBACK OnInput(HMIDIIN handle, UINT message, DWORD_PTR instance, DWORD_PTR param1,
                      DWORD_PTR) {
    auto& slot = *reinterpret_cast<InputSlot*>(instance);
    const CallbackScope running(slot.Running);
    if (slot.Handle.load() != handle)
        return;
    switch (message) {
    case MIM_DATA: {
        const std::array<std::uint8_t, 3> bytes{static_cast<std::uint8_t>(param1 & 0xFF),
                                                static_cast<std::uint8_t>((param1 >> 8) & 0xFF),
                                                static_cast<std::uint8_t>((param1 >> 16) & 0xFF)};
        const std::size_t length = MidiMessageLength(bytes[0]);
        if (length == 0 || slot.Closing.load())
            return;
        slot.Source->Push({bytes.data(), length});
        slot.Relay->Wake();
        return;
    }
    // A buffer comes back full, at the end of a SysEx, at a reset, or holding
    // a broken SysEx (MIM_LONGERROR), whose bytes are dropped.
    case MIM_LONGDATA:
    case MIM_LONGERROR: {
        const auto& header = *reinterpret_cast<const MIDIHDR*>(param1);
        // During a close the reset runs this on the closing thread, beside
        // the driver's: only the driver's thread ever pushes.
        if (message == MIM_LONGDATA && header.dwBytesRecorded > 0 && !slot.Closing.load()) {
            slot.Source->Push({reinterpret_cast<const std::uint8_t*>(header.lpData),
                               std::min<std::size_t>(header.dwBytesRecorded, BufferLength)});
            slot.Relay->Wake();
        }
        const std::uint32_t bit = std::uint32_t{1} << header.dwUser;
        slot.Held.fetch_and(~bit);
        slot.Returned.fetch_or(bit);
        SetEvent(slot.Requeue);
        return;
    }
    case MIM_CLOSE:
        slot.DriverClosed.store(true);
        return;
    default:
        return;
    }
}

void CALLBACK OnOutput(HMIDIOUT handle, UINT message, DWORD_PTR instance, DWORD_PTR param1,
                       DWORD_PTR) {
    auto& slot = *reinterpret_cast<OutputSlot*>(instance);
    const CallbackScope running(slot.Running);
    if (slot.Handle.load() != handle)
        return;
    if (message == MOM_DONE) {
        const auto& header = *reinterpret_cast<const MIDIHDR*>(param1);
        reinterpret_cast<Sent*>(header.dwUser)->Done.store(true);
    } else if (message == MOM_CLOSE) {
        slot.DriverClosed.store(true);
    }
}

struct Device {
    UINT Id = 0;
    MidiPortInfo Info;
};

struct Opened {
    MidiDirection Direction;
    std::size_t Slot;
    std::string Name;
    std::string ServiceName;
};

} // namespace

struct WinMmMidiService::Impl {
    std::string ClientName;
    ServiceFailure Failure;
    BackgroundErrors Errors;
    OpenedPorts<Opened> Handles;
    MidiHandle NextHandle = 1;
    // Between the window's thread and the requeueing thread.
    std::mutex SlotsLock;
    std::array<InputSlot, SlotCount> Inputs;
    std::array<OutputSlot, SlotCount> Outputs;
    // Made with the first input port.
    std::unique_ptr<MidiInputRelay> Relay;
    UniqueHandle RequeueEvent;
    // Last, so that it stops before the members above go.
    std::jthread Requeuer;

    ~Impl() {
        // The slots and buffers go with the service: every port is closed
        // first, so that no driver still holds them.
        for (InputSlot& slot : Inputs) {
            if (slot.Handle.load())
                ShutInput(slot);
        }
        for (OutputSlot& slot : Outputs) {
            if (slot.Handle.load())
                ShutOutput(slot);
        }
        if (Requeuer.joinable()) {
            Requeuer.request_stop();
            SetEvent(RequeueEvent.get());
            Requeuer.join();
        }
    }

    MidiResult Fail(MMRESULT code) {
        return Failure.Fail(static_cast<MidiResult>(code), WinMmText(code));
    }

    const Opened* OpenedAs(MidiHandle handle, MidiDirection direction) const {
        return ::OpenedAs(Handles, handle, direction);
    }

    std::vector<Device> Devices(MidiDirection direction) const {
        std::vector<Device> found;
        std::map<std::string, int> seen;
        const UINT count =
            direction == MidiDirection::Input ? midiInGetNumDevs() : midiOutGetNumDevs();
        for (UINT id = 0; id < count; ++id) {
            // A device that went between the count and the query is not listed.
            std::optional<std::string> name = DeviceName(direction, id);
            if (!name || IsProgramClient(*name) ||
                (!ClientName.empty() && name->starts_with(ClientName)))
                continue;
            const int occurrence = ++seen[*name];
            std::string serviceName =
                occurrence == 1 ? *name : *name + " #" + std::to_string(occurrence);
            found.push_back(Device{id, MidiPortInfo{std::move(*name), std::move(serviceName), {}}});
        }
        return found;
    }

    std::optional<Device> Find(MidiDirection direction, const std::string& serviceName) const {
        for (Device& device : Devices(direction)) {
            if (device.Info.ServiceName == serviceName)
                return std::move(device);
        }
        return std::nullopt;
    }

    // The relay and the thread that queues returned buffers again, made with
    // the first input port, so that an editor that only lists ports runs
    // neither.
    bool StartInput() {
        if (Relay)
            return true;
        RequeueEvent.reset(CreateEventW(nullptr, FALSE, FALSE, nullptr));
        if (!RequeueEvent)
            return false;
        Relay = std::make_unique<MidiInputRelay>(Errors);
        Requeuer = std::jthread([this](std::stop_token stop) { Requeue(stop); });
        return true;
    }

    // The requeueing thread. midiInAddBuffer may not be called in the
    // driver's callback; a returned header stays prepared, so it is queued
    // again as it is.
    void Requeue(std::stop_token stop) {
        for (;;) {
            WaitForSingleObject(RequeueEvent.get(), INFINITE);
            if (stop.stop_requested())
                return;
            const std::lock_guard hold(SlotsLock);
            for (InputSlot& slot : Inputs) {
                if (!slot.Buffers || slot.Closing.load())
                    continue;
                const std::uint32_t returned = slot.Returned.exchange(0);
                for (unsigned i = 0; i < BufferCount; ++i) {
                    if ((returned & (std::uint32_t{1} << i)) == 0)
                        continue;
                    const MMRESULT result = Queue(slot, i);
                    if (result != MMSYSERR_NOERROR && !slot.QueueFailureReported) {
                        slot.QueueFailureReported = true;
                        Errors.Report("A MIDI input buffer could not be queued again: " +
                                      WinMmText(result));
                    }
                }
            }
        }
    }

    static MMRESULT Queue(InputSlot& slot, unsigned index) {
        MIDIHDR& header = slot.Buffers->Headers[index];
        header.dwBytesRecorded = 0;
        // Marked held first: the driver may return it before the call does.
        const std::uint32_t bit = std::uint32_t{1} << index;
        slot.Held.fetch_or(bit);
        const MMRESULT result = midiInAddBuffer(slot.Handle.load(), &header, sizeof header);
        if (result != MMSYSERR_NOERROR)
            slot.Held.fetch_and(~bit);
        return result;
    }

    // Stops the port, takes its buffers back from the driver and closes it;
    // afterwards no callback for it runs. Where the driver keeps a buffer or
    // refuses the close, the port stays open, with its buffers, and the
    // driver's code is returned.
    MMRESULT ShutInput(InputSlot& slot) {
        {
            const std::lock_guard hold(SlotsLock);
            slot.Closing.store(true);
        }
        const HMIDIIN handle = slot.Handle.load();
        // A device that has gone fails these; its close still goes on.
        midiInStop(handle);
        midiInReset(handle);
        WaitForDriver([&] { return slot.Held.load() == 0; });
        for (MIDIHDR& header : slot.Buffers->Headers)
            midiInUnprepareHeader(handle, &header, sizeof header);
        if (const MMRESULT result = midiInClose(handle); result != MMSYSERR_NOERROR)
            return result;
        slot.Handle.store(nullptr);
        WaitUntilIdle(slot.Running);
        Relay->Remove(*slot.Source);
        const std::lock_guard hold(SlotsLock);
        slot.Source = nullptr;
        slot.Buffers.reset();
        return MMSYSERR_NOERROR;
    }

    static bool AllSent(const OutputSlot& slot) {
        return std::all_of(slot.Sending.begin(), slot.Sending.end(),
                           [](const auto& sent) { return sent->Done.load(); });
    }

    // Frees the SysEx copies the driver is done with.
    static void ReleaseSent(OutputSlot& slot) {
        const HMIDIOUT handle = slot.Handle.load();
        std::erase_if(slot.Sending, [&](const auto& sent) {
            return sent->Done.load() &&
                   midiOutUnprepareHeader(handle, &sent->Header, sizeof sent->Header) ==
                       MMSYSERR_NOERROR;
        });
    }

    MMRESULT ShutOutput(OutputSlot& slot) {
        const HMIDIOUT handle = slot.Handle.load();
        ReleaseSent(slot);
        // A reset hands back what is still queued, but also sends every
        // channel's notes-off and controller reset: only when needed.
        if (!slot.Sending.empty()) {
            midiOutReset(handle);
            WaitForDriver([&] { return AllSent(slot); });
            ReleaseSent(slot);
            if (!slot.Sending.empty())
                return MIDIERR_STILLPLAYING;
        }
        if (const MMRESULT result = midiOutClose(handle); result != MMSYSERR_NOERROR)
            return result;
        slot.Handle.store(nullptr);
        WaitUntilIdle(slot.Running);
        return MMSYSERR_NOERROR;
    }

    static MMRESULT SendSysEx(OutputSlot& slot, std::span<const std::uint8_t> message) {
        auto sent = std::make_unique<Sent>();
        sent->Bytes.assign(message.begin(), message.end());
        MIDIHDR& header = sent->Header;
        header.lpData = reinterpret_cast<LPSTR>(sent->Bytes.data());
        header.dwBufferLength = static_cast<DWORD>(sent->Bytes.size());
        header.dwUser = reinterpret_cast<DWORD_PTR>(sent.get());
        const HMIDIOUT handle = slot.Handle.load();
        if (const MMRESULT result = midiOutPrepareHeader(handle, &header, sizeof header);
            result != MMSYSERR_NOERROR)
            return result;
        if (const MMRESULT result = midiOutLongMsg(handle, &header, sizeof header);
            result != MMSYSERR_NOERROR) {
            midiOutUnprepareHeader(handle, &header, sizeof header);
            return result;
        }
        slot.Sending.push_back(std::move(sent));
        return MMSYSERR_NOERROR;
    }

    template <class Slots> static std::optional<std::size_t> FreeSlot(const Slots& slots) {
        for (std::size_t i = 0; i < slots.size(); ++i) {
            if (!slots[i].Handle.load())
                return i;
        }
        return std::nullopt;
    }
};

WinMmMidiService::WinMmMidiService(std::string clientName) : Self(std::make_unique<Impl>()) {
    Self->ClientName = std::move(clientName);
}

WinMmMidiService::~WinMmMidiService() = default;

MidiServiceKind WinMmMidiService::Kind() {
    return MidiServiceKind::WinMm;
}

MidiResult WinMmMidiService::ListPorts(MidiDirection direction, std::vector<MidiPortInfo>& ports) {
    ports.clear();
    for (Device& device : Self->Devices(direction))
        ports.push_back(std::move(device.Info));
    return MidiResultCode::Ok;
}

MidiResult WinMmMidiService::QueryPort(MidiDirection direction, const std::string& serviceName) {
    return Self->Find(direction, serviceName) ? MidiResultCode::Ok
                                              : Self->Failure.NotPresent(serviceName);
}

MidiResult WinMmMidiService::QueryOpen(MidiHandle handle) {
    const auto found = Self->Handles.find(handle);
    if (found == Self->Handles.end())
        return MidiResultCode::InvalidHandle;
    const Opened& opened = found->second;
    // A driver that loses its device closes the port; a re-plug gives the
    // device a new number, which the old handle does not reach.
    bool present = false;
    if (opened.Direction == MidiDirection::Input) {
        const InputSlot& slot = Self->Inputs[opened.Slot];
        present = !slot.DriverClosed.load() &&
                  DeviceName(MidiDirection::Input,
                             reinterpret_cast<UINT_PTR>(slot.Handle.load())) == opened.Name;
    } else {
        const OutputSlot& slot = Self->Outputs[opened.Slot];
        present = !slot.DriverClosed.load() &&
                  DeviceName(MidiDirection::Output,
                             reinterpret_cast<UINT_PTR>(slot.Handle.load())) == opened.Name;
    }
    return present ? MidiResultCode::Ok : Self->Failure.NotPresent(opened.ServiceName);
}

MidiResult WinMmMidiService::OpenInput(const std::string& serviceName,
                                       const MidiInputTarget& target, MidiHandle& handle) {
    const auto device = Self->Find(MidiDirection::Input, serviceName);
    if (!device)
        return Self->Failure.NotPresent(serviceName);
    const auto free = Self->FreeSlot(Self->Inputs);
    if (!free)
        return Self->Failure.Fail(MidiResultCode::Error, "Too many open MIDI input ports");
    if (!Self->StartInput())
        return Self->Failure.Fail(MidiResultCode::Error, "Cannot start MIDI input");
    InputSlot& slot = Self->Inputs[*free];
    {
        const std::lock_guard hold(Self->SlotsLock);
        slot.Buffers = std::make_unique<ReceiveBuffers>();
        slot.Source = &Self->Relay->Add(target);
        slot.Relay = Self->Relay.get();
        slot.Requeue = Self->RequeueEvent.get();
        slot.Held.store(0);
        slot.Returned.store(0);
        slot.DriverClosed.store(false);
        slot.QueueFailureReported = false;
        slot.Closing.store(false);
    }
    HMIDIIN opened = nullptr;
    if (const MMRESULT result =
            midiInOpen(&opened, device->Id, reinterpret_cast<DWORD_PTR>(&OnInput),
                       reinterpret_cast<DWORD_PTR>(&slot), CALLBACK_FUNCTION);
        result != MMSYSERR_NOERROR) {
        Self->Relay->Remove(*slot.Source);
        const std::lock_guard hold(Self->SlotsLock);
        slot.Source = nullptr;
        slot.Buffers.reset();
        return Self->Fail(result);
    }
    slot.Handle.store(opened);
    MMRESULT result = MMSYSERR_NOERROR;
    for (unsigned i = 0; i < BufferCount && result == MMSYSERR_NOERROR; ++i) {
        MIDIHDR& header = slot.Buffers->Headers[i];
        header.lpData = slot.Buffers->Bytes[i].data();
        header.dwBufferLength = BufferLength;
        header.dwUser = i;
        result = midiInPrepareHeader(opened, &header, sizeof header);
        if (result == MMSYSERR_NOERROR)
            result = Impl::Queue(slot, i);
    }
    if (result == MMSYSERR_NOERROR)
        result = midiInStart(opened);
    if (result != MMSYSERR_NOERROR) {
        Self->ShutInput(slot);
        return Self->Fail(result);
    }
    handle = Self->NextHandle++;
    Self->Handles.emplace(handle,
                          Opened{MidiDirection::Input, *free, device->Info.Name, serviceName});
    return MidiResultCode::Ok;
}

MidiResult WinMmMidiService::CloseInput(MidiHandle handle) {
    const Opened* found = Self->OpenedAs(handle, MidiDirection::Input);
    if (!found)
        return MidiResultCode::InvalidHandle;
    if (const MMRESULT result = Self->ShutInput(Self->Inputs[found->Slot]);
        result != MMSYSERR_NOERROR)
        return Self->Fail(result);
    Self->Handles.erase(handle);
    return MidiResultCode::Ok;
}

MidiResult WinMmMidiService::OpenOutput(const std::string& serviceName, MidiHandle& handle) {
    const auto device = Self->Find(MidiDirection::Output, serviceName);
    if (!device)
        return Self->Failure.NotPresent(serviceName);
    const auto free = Self->FreeSlot(Self->Outputs);
    if (!free)
        return Self->Failure.Fail(MidiResultCode::Error, "Too many open MIDI output ports");
    OutputSlot& slot = Self->Outputs[*free];
    slot.DriverClosed.store(false);
    HMIDIOUT opened = nullptr;
    if (const MMRESULT result =
            midiOutOpen(&opened, device->Id, reinterpret_cast<DWORD_PTR>(&OnOutput),
                        reinterpret_cast<DWORD_PTR>(&slot), CALLBACK_FUNCTION);
        result != MMSYSERR_NOERROR)
        return Self->Fail(result);
    slot.Handle.store(opened);
    handle = Self->NextHandle++;
    Self->Handles.emplace(handle,
                          Opened{MidiDirection::Output, *free, device->Info.Name, serviceName});
    return MidiResultCode::Ok;
}

MidiResult WinMmMidiService::CloseOutput(MidiHandle handle) {
    const Opened* found = Self->OpenedAs(handle, MidiDirection::Output);
    if (!found)
        return MidiResultCode::InvalidHandle;
    if (const MMRESULT result = Self->ShutOutput(Self->Outputs[found->Slot]);
        result != MMSYSERR_NOERROR)
        return Self->Fail(result);
    Self->Handles.erase(handle);
    return MidiResultCode::Ok;
}

MidiResult WinMmMidiService::SendLong(MidiHandle handle, std::span<const std::uint8_t> bytes) {
    const Opened* found = Self->OpenedAs(handle, MidiDirection::Output);
    if (!found)
        return MidiResultCode::InvalidHandle;
    OutputSlot& slot = Self->Outputs[found->Slot];
    Impl::ReleaseSent(slot);
    MMRESULT result = MMSYSERR_NOERROR;
    for (const auto message : CompleteMidiMessages(bytes)) {
        if (message[0] == 0xF0) {
            result = Impl::SendSysEx(slot, message);
        } else {
            // A short message would overtake a SysEx still going out.
            if (!WaitForDriver([&] { return Impl::AllSent(slot); }))
                return Self->Failure.Fail(MidiResultCode::Error, "The MIDI output cannot keep up");
            DWORD packed = 0;
            for (std::size_t i = 0; i < message.size(); ++i)
                packed |= static_cast<DWORD>(message[i]) << (8 * i);
            result = midiOutShortMsg(slot.Handle.load(), packed);
        }
        if (result != MMSYSERR_NOERROR)
            break;
    }
    Impl::ReleaseSent(slot);
    return result == MMSYSERR_NOERROR ? MidiResultCode::Ok : Self->Fail(result);
}

std::optional<std::string> WinMmMidiService::ErrorText(MidiResult code) {
    if (auto text = Self->Failure.Text(code))
        return text;
    std::string text = WinMmText(static_cast<MMRESULT>(code));
    if (text.empty())
        return std::nullopt;
    return text;
}
