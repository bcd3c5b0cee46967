#include "RtMidiService.h"

#include "BackgroundErrors.h"
#include "JackServerProbe.h"
#include "MidiMessages.h"

#include <RtMidi.h>

#include <map>
#include <unistd.h>
#include <utility>

namespace {

// What RtMidi reported during the call running on this thread. RtMidi
// reports through the error callback instead of throwing once one is set.
struct CallReport {
    bool Active = false;
    bool WarningsFail = false;
    bool Failed = false;
    std::string Text;
};
thread_local CallReport Report;

// The last failure returned on this thread, for ErrorText.
struct Failure {
    MidiResult Code = MidiResultCode::Ok;
    std::string Text;
};
thread_local Failure LastFailure;

void OnRtMidiError(RtMidiError::Type type, const std::string& text, void*) {
    const bool warning = type == RtMidiError::WARNING || type == RtMidiError::DEBUG_WARNING;
    if (Report.Active) {
        if ((!warning || Report.WarningsFail) && !Report.Failed) {
            Report.Failed = true;
            Report.Text = text;
        }
        return;
    }
    // Outside any call: RtMidi's own threads.
    if (type != RtMidiError::DEBUG_WARNING)
        ReportBackgroundError(text);
}

MidiResult Fail(MidiResult code, std::string text) {
    LastFailure = Failure{code, std::move(text)};
    return code;
}

// Runs one service operation and turns what RtMidi reported or threw into a
// result code. Warnings count as failures where the operation cannot have
// done its work (opening, sending); while listing they only mean "no ports".
template <class Operation> MidiResult Attempt(bool warningsFail, Operation&& operation) {
    Report = CallReport{true, warningsFail, false, {}};
    MidiResult result = MidiResultCode::Ok;
    try {
        result = operation();
    } catch (const RtMidiError& error) {
        Report.Failed = true;
        Report.Text = error.getMessage();
    } catch (const std::exception& error) {
        Report.Failed = true;
        Report.Text = error.what();
    }
    CallReport report = std::exchange(Report, CallReport{});
    if (result == MidiResultCode::Ok && report.Failed)
        return Fail(MidiResultCode::Error, std::move(report.Text));
    return result;
}

template <class Port> std::vector<std::string> FullPortNames(Port& port) {
    std::vector<std::string> names;
    const unsigned int count = port.getPortCount();
    for (unsigned int i = 0; i < count; ++i)
        names.push_back(port.getPortName(i));
    return names;
}

// The index under which `port` numbers the port named `serviceName` now.
template <class Port>
std::optional<unsigned int> CurrentIndex(Port& port, const std::string& serviceName) {
    const auto names = FullPortNames(port);
    for (unsigned int i = 0; i < names.size(); ++i) {
        if (names[i] == serviceName)
            return i;
    }
    return std::nullopt;
}

MidiResult PortNotPresent(const std::string& serviceName) {
    return Fail(MidiResultCode::BadDeviceId, "MIDI port \"" + serviceName + "\" is not present");
}

struct InputConnection {
    MidiInputCallback Callback = nullptr;
    std::int32_t Instance = 0;
    // Last member, so that its thread stops before the fields above go.
    std::unique_ptr<RtMidiIn> Port;
};

void OnRtMidiInput(double, std::vector<unsigned char>* message, void* connection) {
    const auto& input = *static_cast<InputConnection*>(connection);
    input.Callback(input.Instance, std::span<const std::uint8_t>(message->data(), message->size()));
}

} // namespace

struct RtMidiService::Impl {
    RtMidiBackend Backend;
    std::string ClientName;
    std::optional<RtMidi::Api> Api;
    std::unique_ptr<RtMidiIn> InputLister;
    std::unique_ptr<RtMidiOut> OutputLister;
    std::map<MidiHandle, std::unique_ptr<InputConnection>> Inputs;
    std::map<MidiHandle, std::unique_ptr<RtMidiOut>> Outputs;
    MidiHandle NextHandle = 1;

    // Chooses the backend on first use. The ALSA sequencer is tried first;
    // RtMidi's own choice would throw without it rather than fall back. Where
    // its device is missing, trying would only print ALSA's and RtMidi's
    // complaints to stderr. Without a JACK server either, nothing connects and
    // every port list is empty; the next call looks again.
    MidiResult Connect() {
        if (Api)
            return MidiResultCode::Ok;
        return Attempt(false, [this] {
            std::unique_ptr<RtMidiIn> lister;
            RtMidi::Api api = RtMidi::UNIX_JACK;
            const bool sequencerPresent = access("/dev/snd/seq", R_OK | W_OK) == 0;
            if (Backend == RtMidiBackend::Alsa ||
                (Backend == RtMidiBackend::Automatic && sequencerPresent)) {
                try {
                    lister = std::make_unique<RtMidiIn>(RtMidi::LINUX_ALSA, ClientName);
                    api = RtMidi::LINUX_ALSA;
                } catch (const RtMidiError&) {
                    if (Backend == RtMidiBackend::Alsa)
                        throw;
                }
            }
            if (!lister) {
                if (!JackServerSocketPresent(JackServerPlaces::FromEnvironment()))
                    return MidiResultCode::Ok;
                lister = std::make_unique<RtMidiIn>(RtMidi::UNIX_JACK, ClientName);
            }
            lister->setErrorCallback(&OnRtMidiError, nullptr);
            auto outputLister = std::make_unique<RtMidiOut>(api, ClientName);
            outputLister->setErrorCallback(&OnRtMidiError, nullptr);
            InputLister = std::move(lister);
            OutputLister = std::move(outputLister);
            Api = api;
            return MidiResultCode::Ok;
        });
    }

    std::vector<std::string> FullNames(MidiDirection direction) {
        if (!Api)
            return {};
        return direction == MidiDirection::Input ? FullPortNames(*InputLister)
                                                 : FullPortNames(*OutputLister);
    }

    // The editor's own ports belong to clients named after it; JACK adds a
    // suffix when the name is taken.
    bool IsListed(const std::string& client) const {
        return !client.empty() && client != "Midi Through" && !client.starts_with(ClientName);
    }
};

RtMidiService::RtMidiService(RtMidiBackend backend, std::string clientName)
    : Self(std::make_unique<Impl>(Impl{backend, std::move(clientName), {}, {}, {}, {}, {}, 1})) {}

RtMidiService::~RtMidiService() = default;

std::optional<RtMidiBackend> RtMidiService::ActiveBackend() const {
    if (!Self->Api)
        return std::nullopt;
    return *Self->Api == RtMidi::LINUX_ALSA ? RtMidiBackend::Alsa : RtMidiBackend::Jack;
}

MidiResult RtMidiService::ListPorts(MidiDirection direction, std::vector<MidiPortInfo>& ports) {
    if (const MidiResult result = Self->Connect(); result != MidiResultCode::Ok)
        return result;
    return Attempt(false, [&] {
        ports.clear();
        for (auto& name : Self->FullNames(direction)) {
            std::string client = name.substr(0, name.find(':'));
            if (Self->IsListed(client))
                ports.push_back(MidiPortInfo{std::move(client), std::move(name)});
        }
        return MidiResultCode::Ok;
    });
}

MidiResult RtMidiService::QueryPort(MidiDirection direction, const std::string& serviceName) {
    if (const MidiResult result = Self->Connect(); result != MidiResultCode::Ok)
        return result;
    return Attempt(false, [&] {
        for (const auto& name : Self->FullNames(direction)) {
            if (name == serviceName)
                return MidiResultCode::Ok;
        }
        return PortNotPresent(serviceName);
    });
}

MidiResult RtMidiService::OpenInput(const std::string& serviceName, MidiInputCallback callback,
                                    std::int32_t instance, MidiHandle& handle) {
    if (const MidiResult result = Self->Connect(); result != MidiResultCode::Ok)
        return result;
    if (!Self->Api)
        return PortNotPresent(serviceName);
    auto connection = std::make_unique<InputConnection>();
    connection->Callback = callback;
    connection->Instance = instance;
    const MidiResult result = Attempt(true, [&] {
        connection->Port = std::make_unique<RtMidiIn>(*Self->Api, Self->ClientName);
        RtMidiIn& port = *connection->Port;
        port.setErrorCallback(&OnRtMidiError, nullptr);
        // The port's own numbering, just before opening, finds the port even
        // when ports came and went since the list was made.
        const auto index = CurrentIndex(port, serviceName);
        if (!index)
            return PortNotPresent(serviceName);
        port.ignoreTypes(false, false, false);
        port.setCallback(&OnRtMidiInput, connection.get());
        port.openPort(*index, "in");
        return MidiResultCode::Ok;
    });
    if (result != MidiResultCode::Ok)
        return result;
    handle = Self->NextHandle++;
    Self->Inputs.emplace(handle, std::move(connection));
    return MidiResultCode::Ok;
}

MidiResult RtMidiService::CloseInput(MidiHandle handle) {
    const auto found = Self->Inputs.find(handle);
    if (found == Self->Inputs.end())
        return MidiResultCode::InvalidHandle;
    return Attempt(false, [&] {
        Self->Inputs.erase(found);
        return MidiResultCode::Ok;
    });
}

MidiResult RtMidiService::OpenOutput(const std::string& serviceName, MidiHandle& handle) {
    if (const MidiResult result = Self->Connect(); result != MidiResultCode::Ok)
        return result;
    if (!Self->Api)
        return PortNotPresent(serviceName);
    std::unique_ptr<RtMidiOut> port;
    const MidiResult result = Attempt(true, [&] {
        port = std::make_unique<RtMidiOut>(*Self->Api, Self->ClientName);
        port->setErrorCallback(&OnRtMidiError, nullptr);
        const auto index = CurrentIndex(*port, serviceName);
        if (!index)
            return PortNotPresent(serviceName);
        port->openPort(*index, "out");
        return MidiResultCode::Ok;
    });
    if (result != MidiResultCode::Ok)
        return result;
    handle = Self->NextHandle++;
    Self->Outputs.emplace(handle, std::move(port));
    return MidiResultCode::Ok;
}

MidiResult RtMidiService::CloseOutput(MidiHandle handle) {
    const auto found = Self->Outputs.find(handle);
    if (found == Self->Outputs.end())
        return MidiResultCode::InvalidHandle;
    return Attempt(false, [&] {
        Self->Outputs.erase(found);
        return MidiResultCode::Ok;
    });
}

MidiResult RtMidiService::SendLong(MidiHandle handle, std::span<const std::uint8_t> bytes) {
    const auto found = Self->Outputs.find(handle);
    if (found == Self->Outputs.end())
        return MidiResultCode::InvalidHandle;
    return Attempt(true, [&] {
        for (const auto message : CompleteMidiMessages(bytes))
            found->second->sendMessage(message.data(), message.size());
        return MidiResultCode::Ok;
    });
}

std::optional<std::string> RtMidiService::ErrorText(MidiResult code) {
    if (code == LastFailure.Code && !LastFailure.Text.empty())
        return LastFailure.Text;
    if (code == MidiResultCode::InvalidHandle)
        return "The MIDI port is not open";
    return std::nullopt;
}
