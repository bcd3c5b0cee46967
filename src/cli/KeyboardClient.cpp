#include "cli/KeyboardClient.h"

#include "cli/CtlError.h"
#include "device/DeviceMessages.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

KeyboardClient::KeyboardClient(MidiPorts& midi, UsbDeviceQuery& usb, Options options)
    : Midi(midi), Usb(usb), Settings(std::move(options)),
      Link(std::make_unique<DeviceLink>(midi, usb)) {
    Link->CreateSysExLock();
    // The link looks for the ports again by the same rule after the keyboard
    // has gone, so a monitor follows it through a re-plug.
    Link->SetNamedPorts(Settings.Port);
    // Threads: the replies are recognised on the MIDI input thread; the
    // queued connections hand them to this thread, whose waits look at them.
    QObject::connect(
        Link.get(), &DeviceLink::IdentityReceived, Link.get(),
        [this](const QString& version) {
            Firmware = version;
            Answered();
        },
        Qt::QueuedConnection);
    QObject::connect(
        Link.get(), &DeviceLink::DumpReplyReceived, Link.get(),
        [this](const ParameterBytes& bytes) {
            Dump = bytes;
            Answered();
        },
        Qt::QueuedConnection);
    QObject::connect(
        Link.get(), &DeviceLink::WriteAcknowledgementReceived, Link.get(),
        [this] {
            Acknowledged = true;
            Answered();
        },
        Qt::QueuedConnection);
}

KeyboardClient::~KeyboardClient() = default;

void KeyboardClient::SetShortMessageHandler(TMidiInput::TShortMessageHandler handler) {
    Link->SetShortMessageHandler(std::move(handler));
}

void KeyboardClient::SetSysExObserver(DeviceLink::SysExObserver observer) {
    Link->SetSysExObserver(std::move(observer));
}

void KeyboardClient::Find() {
    Found = SearchKeyboard(Midi, Usb, {{}, {}, Settings.Port});
    switch (Found.StoppedAt()) {
    case KeyboardSearch::Step::Service:
        throw CtlError(ExitStatus::NoService, Found.Why().toStdString());
    case KeyboardSearch::Step::Usb:
    case KeyboardSearch::Step::Ports:
        if (!Settings.Port.isEmpty())
            throw CtlError(ExitStatus::NotFound, "no MIDI output port's name contains \"" +
                                                     Settings.Port.toStdString() + "\"");
        throw CtlError(ExitStatus::NotFound, Found.Why().toStdString());
    default:
        break;
    }
    // Without an input the keyboard's answer could never be heard.
    if (!Settings.Port.isEmpty() && Found.Ports.Inputs.empty())
        throw CtlError(ExitStatus::NotFound, "no MIDI input port's name contains \"" +
                                                 Settings.Port.toStdString() + "\"");
    Link->DiscoverDevice();
    Found.Asked = true;
}

void KeyboardClient::Answered() {
    if (Waiting)
        Waiting->quit();
}

bool KeyboardClient::WaitUntil(const std::function<bool()>& done) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + Settings.Timeout;
    // Any answer wakes the wait; one that is not the awaited one waits on.
    while (!done()) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0)
            return false;
        QEventLoop loop;
        QTimer::singleShot(left, &loop, &QEventLoop::quit);
        Waiting = &loop;
        loop.exec();
        Waiting = nullptr;
    }
    return true;
}

std::optional<QString> KeyboardClient::Identity() {
    if (!WaitUntil([this] { return Firmware.has_value(); }))
        return std::nullopt;
    Found.Firmware = Firmware;
    return Firmware;
}

ParameterModel KeyboardClient::ReadParameters(const ParameterModel& base) {
    Dump.reset();
    Link->ExpectDumpReply();
    Link->SendToDevice(DumpRequest());
    const bool answered = WaitUntil([this] { return Dump.has_value(); });
    Link->EndDumpWait();
    if (!answered)
        throw CtlError(ExitStatus::NoAnswer, "the keyboard did not answer the dump request");
    ParameterModel model = base;
    DecodeDumpReply(*Dump, model);
    return model;
}

void KeyboardClient::WriteParameters(const ParameterModel& model) {
    Acknowledged = false;
    Link->ExpectWriteAcknowledgement();
    Link->SendToDevice(BuildParameterSet(model));
    const bool answered = WaitUntil([this] { return Acknowledged; });
    Link->EndAcknowledgementWait();
    if (!answered)
        throw CtlError(ExitStatus::NoAnswer, "the keyboard did not acknowledge the parameter set");
}
