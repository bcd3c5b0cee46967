// Any bytes as a received SysEx message: through the port's receive buffer
// into the device link's handler, the identity and parameter-reply tests, the
// decode of a dump reply into a model, the monitor's display rule and the
// parameter set built from that model, whose bytes must all stay 7-bit; and
// the same bytes as a SysEx file, refused or read so that the file written
// from the model reads back as the same settings.
#include "FakeMidiService.h"
#include "FakeUsbDeviceQuery.h"
#include "device/DeviceLink.h"
#include "device/SysExFile.h"
#include "midi/Midi.h"
#include "midi/SysExHexText.h"
#include "model/EditorError.h"
#include "ui/MonitorLine.h"

#include <QCoreApplication>
#include <cstdlib>

namespace {

struct Harness {
    // The link's timers want an event dispatcher, though none ever fires here.
    int Argc = 1;
    char Name[16] = "fuzz";
    char* Argv[2] = {Name, nullptr};
    QCoreApplication Application{Argc, Argv};
    MidiPorts Midi{[] {
        auto service = std::make_unique<FakeMidiService>();
        service->AddInputPort("USB Keys");
        service->AddOutputPort("USB Keys");
        return service;
    }()};
    FakeUsbDeviceQuery Usb;
    ParameterModel Model;
    DeviceLink Link{Midi, Usb};

    Harness() {
        QObject::connect(&Link, &DeviceLink::DumpReplyReceived,
                         [this](const ParameterBytes& bytes) { DecodeDumpReply(bytes, Model); });
        Midi.InputPorts().SetOnSysExMessage(
            [this](std::int32_t port, TByteStream& stream) { Link.SysExDataIn(port, stream); });
        ResetPara(Model);
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Harness harness;
    TMidiInput& inputs = harness.Midi.InputPorts();
    for (std::size_t at = 0; at < size || at == 0; at += TSysExData::BufferLength) {
        const std::size_t piece = std::min(size - at, TSysExData::BufferLength);
        inputs.SysExBuffers()[0]->State.store(TSysExData::TState::Queued);
        if (inputs.FillSysExBuffer(0, std::span(data + at, piece)))
            inputs.HandleSysExBuffer(0);
        if (size == 0)
            break;
    }
    for (int form = -1; form <= 2; ++form)
        MonitorText(harness.Model.Record(1).Value, form);
    TByteStream stream;
    HexTextToStream(BuildParameterSet(harness.Model), stream);
    for (std::uint8_t byte : stream.Bytes().subspan(1, 46))
        if (byte > 0x7F)
            std::abort();

    ParameterModel read = harness.Model;
    try {
        DecodeSysExFile(
            QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)), read);
    } catch (const EditorError&) {
        return 0;
    }
    ParameterModel again;
    DecodeSysExFile(EncodeSysExFile(read), again);
    if (EncodeSysExFile(again) != EncodeSysExFile(read))
        std::abort();
    return 0;
}
