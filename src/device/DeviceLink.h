#pragma once

#include "device/DeviceMessages.h"
#include "device/KeyboardSearch.h"
#include "device/ReceivedSysEx.h"
#include "device/UsbDeviceQuery.h"
#include "keyboard/Hbx740.h"
#include "midi/Midi.h"

#include <QObject>
#include <QString>
#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <vector>

class QTimer;

// Finds the keyboard, binds its port, polls its identity and watches the
// connection; reads the keyboard's replies; sends to it. While the keyboard
// is not bound, or has gone, it looks for it again once a second and binds it
// when it appears. It owns its state, its input lock (SysExLock) and its
// timers (Timer3, the identity poll; TimerCheckUSB, the connection check,
// running from creation; TimerFind, the look), and tells its owner what
// happened through its signals.
//
// Threads: everything runs on the thread that made the link (the window's, or
// the command line's main thread) except SysExDataIn, which the MIDI input
// thread calls, always inside SysExLock; Timer3Timer takes the same lock to
// read ReceivedSysEx, and nothing done under it waits for the owner's thread.
// The signals marked "MIDI input thread" are emitted there: connect them
// queued. The values both threads use are atomics.
class DeviceLink : public QObject {
    Q_OBJECT

public:
    // Flags are kept for output and input ports 0 to 10. A matching port with a
    // higher index is opened and ticked but carries no flag, so shutdown leaves
    // it to the release of the port sets.
    static constexpr int FlaggedPortCount = 11;

    DeviceLink(MidiPorts& midi, UsbDeviceQuery& usb, QObject* parent = nullptr,
               const KeyboardDescription& keyboard = Hbx740);
    ~DeviceLink() override;

    // Where the keyboard's short messages go once its ports are open; set
    // before DiscoverDevice.
    void SetShortMessageHandler(TMidiInput::TShortMessageHandler handler);
    // Sees every SysEx message the link receives, on the MIDI input thread,
    // after the link has read it; set before DiscoverDevice.
    using SysExObserver = std::function<void(std::int32_t port, std::span<const std::uint8_t>)>;
    void SetSysExObserver(SysExObserver observer);
    // Start-up's step: the lock exists before any input port opens.
    void CreateSysExLock();
    // The ports the user chose, by name (both empty: none chosen). When both
    // are listed, discovery binds them without the USB test; set before
    // DiscoverDevice.
    void SetPortChoice(const QString& input, const QString& output);
    // Binds only the ports that `text` names (hbx740ctl's --port), without the
    // USB test, also when they come back; set before DiscoverDevice.
    void SetNamedPorts(const QString& text);
    // Leaves the ports in use, lists the ports again and finds the keyboard
    // with the new choice.
    void ChangePortChoice(const QString& input, const QString& output);
    void DiscoverDevice();
    // Binds the keyboard to ports the user chose, without the USB test: opens
    // them, asks the identity on the output and polls as discovery does.
    void BindPorts(const std::vector<int>& inputs, int output);
    void CloseState();
    void FormDestroy();
    void Timer3Timer();
    void TimerCheckUSBTimer();
    // One look: the USB list and the port names, opening nothing; when the
    // keyboard is there, the ports are listed again and it is bound.
    void TimerFindTimer();
    // The SysEx handler's body; the installed handler runs it under SysExLock.
    void SysExDataIn(std::int32_t port, const TByteStream& stream);

    // Sends a message text to the keyboard's port.
    void SendToDevice(std::string_view text);
    // The waits for a reply: cleared before a request, so that a reply
    // arriving at any time after the send counts. Only an awaited reply is
    // taken (one each wait): a dump reply or acknowledgement that another
    // program asked for changes nothing here.
    void ExpectWriteAcknowledgement();
    void ExpectDumpReply();
    // The wait is over (answered, or given up): the flag is cleared and a
    // later reply is not taken.
    void EndAcknowledgementWait();
    void EndDumpWait();
    // Set once a dump reply has been taken into the model and shown.
    void MarkDumpReceived() { DumpReceivedFlag = 1; }

    std::int32_t DevicePort() const { return DevicePortValue; }
    std::int32_t DeviceDisconnected() const { return DeviceDisconnectedFlag; }
    std::int32_t WriteAcknowledged() const { return WriteAcknowledgedFlag; }
    std::int32_t DumpReceived() const { return DumpReceivedFlag; }
    std::int32_t PortMatchKind() const { return PortMatchKindValue; }
    std::int32_t KeyboardOnUsb() const { return KeyboardOnUsbFlag; }
    std::int32_t UsbPortCount() const { return UsbPortCountValue; }
    std::int32_t IdentityTicks() const { return IdentityTicksValue; }
    // Where finding the keyboard got to, in SearchLines' words.
    const KeyboardSearch& Search() const { return Found; }
    // The names of the ports listed now, not those of the sets.
    QStringList PresentPortNames(MidiDirection direction);
    const KeyboardDescription& Keyboard() const { return Description; }

signals:
    // "Connect" in lime green, or "Disconnect" in red.
    void ConnectionShown(bool connected);
    void FirmwareShown(const QString& text);
    void InputPortTicked(int index);
    void OutputPortTicked(int index);
    void DevicePortShown(int index);
    // MIDI input thread: the awaited dump reply's parameter bytes.
    void DumpReplyReceived(const ParameterBytes& bytes);
    // MIDI input thread: the keyboard acknowledged the awaited parameter set.
    void WriteAcknowledgementReceived();
    // MIDI input thread: the keyboard's identity reply, with its firmware
    // version ("1.05").
    void IdentityReceived(const QString& version);
    // An error raised in a timer's work, for the owner's error box.
    void ErrorRaised(const QString& text);
    // The port sets were listed again: their indices have changed and no port
    // is ticked. Emitted before discovery runs on them.
    void PortsRelisted();
    // Search() says something new: the search's lines (KeyboardSearch::Lines).
    void SearchChanged(const QStringList& lines);

private:
    void InstallHandlers();
    void OpenOutput(int index);
    void OpenInput(int index);
    void SendIdentityRequest(int index);
    void RepeatIdentityRequest();
    void RebindDevicePort(std::int32_t inputPort);
    MidiResult CheckKeyboardPorts(const TMidiInput& inputs);
    template <class Work> void Guarded(Work&& work);
    bool Bound() const { return !OpenedOutputs.empty(); }
    void Rediscover();
    void ResetState();
    // Tells a change of the search and runs the look while it is needed.
    void FollowSearch();

    MidiPorts& Midi;
    UsbDeviceQuery& Usb;
    const KeyboardDescription& Description;
    TMidiInput::TShortMessageHandler ShortMessages;
    SysExObserver SysExSeen;
    std::unique_ptr<std::mutex> SysExLock;
    QTimer* Timer3 = nullptr;
    QTimer* TimerCheckUSB = nullptr;
    QTimer* TimerFind = nullptr;
    SearchRule Rule;
    KeyboardSearch Found;
    QStringList ShownSearch;
    // A failed rebinding is shown once, not each second.
    QString LastLookError;

    std::atomic<std::int32_t> DevicePortValue{0};
    std::atomic<std::int32_t> DeviceDisconnectedFlag{0};
    std::atomic<std::int32_t> WriteAcknowledgedFlag{0};
    std::atomic<std::int32_t> DumpReceivedFlag{0};
    std::atomic<bool> AcknowledgementAwaited{false};
    std::atomic<bool> DumpAwaited{false};
    std::atomic<std::int32_t> PortMatchKindValue{NoPortMatch};
    std::atomic<std::int32_t> SysExSourcePort{0};
    std::int32_t KeyboardOnUsbFlag = 0;
    std::int32_t UsbPortCountValue = 0;
    std::int32_t IdentityTicksValue = 0;
    std::array<std::int32_t, FlaggedPortCount> OutputPortOpened{};
    std::array<std::int32_t, FlaggedPortCount> InputPortOpened{};
    std::vector<int> OpenedInputs;
    std::vector<int> OpenedOutputs;
    // The output ports that got the first identity request, in index order.
    std::vector<int> IdentityTargets;
    // Guarded by SysExLock.
    TReceivedSysEx ReceivedSysEx;
};
