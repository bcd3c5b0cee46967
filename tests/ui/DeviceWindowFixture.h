#pragma once

#include "WindowFixture.h"
#include "device/DeviceMessages.h"
#include "midi/SysExHexText.h"

#include <QListWidget>
#include <QTimer>
#include <functional>

// The window with a keyboard on the fake MIDI service, answered by hand.

using Bytes = std::vector<std::uint8_t>;

inline const Bytes IdentityRequestBytes = {0xF0, 0x7E, 0x00, 0x06, 0x01, 0xF7, 0x00, 0x00, 0x00};
inline const Bytes IdentityReply105 = {0xF0, 0x7E, 0x7F, 0x06, 0x02, 0x4A, 0x33, 0x01, 0x05, 0xF7};
inline const Bytes Acknowledgement = {0xF0, 0x33, 0x01, 0x00, 0x08, 0xF7};
inline const QString KeyboardUsb = QStringLiteral("USB\\VID_5D2E&PID_9A47\\5&1A2B3C&0&2");

inline Bytes DumpReplyOf(const ParameterModel& model) {
    TByteStream stream;
    HexTextToStream(BuildParameterSet(model), stream);
    Bytes reply(stream.Bytes().begin(), stream.Bytes().begin() + 48);
    reply[2] = 0x01;
    std::swap(reply[44], reply[45]);
    return reply;
}

class DeviceWindowTest : public WindowTest {
protected:
    std::vector<std::string> Inputs;
    std::vector<std::string> Outputs;

    void AddPorts(std::initializer_list<const char*> inputs,
                  std::initializer_list<const char*> outputs) {
        for (const char* name : inputs)
            Inputs.push_back(Midi->AddInputPort(name));
        for (const char* name : outputs)
            Outputs.push_back(Midi->AddOutputPort(name));
    }

    // The keyboard on USB with one input and one output port named as on the
    // real device.
    void StartWithKeyboard() {
        Usb.Ids = {QStringLiteral("USB\\VID_1D6B&PID_0002\\1"), KeyboardUsb};
        AddPorts({"HBX740"}, {"HBX740"});
        Start();
    }

    void Reply(const Bytes& message, int input = 0) {
        Midi->Inject(Inputs.at(static_cast<std::size_t>(input)), message);
        Midi->WaitUntilDelivered();
    }

    std::vector<int> IdentityRequestTargets() const {
        std::vector<int> targets;
        for (const FakeSentMessage& sent : Midi->Sent()) {
            if (sent.Bytes == IdentityRequestBytes) {
                const auto at = std::find(Outputs.begin(), Outputs.end(), sent.Port);
                targets.push_back(static_cast<int>(at - Outputs.begin()));
            }
        }
        return targets;
    }

    bool Ticked(const char* list, int row) const {
        return Get<QListWidget>(list)->item(row)->checkState() == Qt::Checked;
    }

    bool TimerRuns(const char* name) const {
        return Window->findChild<QTimer*>(QString::fromLatin1(name))->isActive();
    }

    bool WaitFor(const std::function<bool()>& condition, int ms = 3000) {
        return QTest::qWaitFor(condition, ms);
    }
};
