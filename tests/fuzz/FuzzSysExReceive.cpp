// Any bytes as a received SysEx message: through the port's receive buffer
// into the device link's handler, the identity and parameter-reply tests, the
// decode of a dump reply into a model, the monitor's display rule and the
// parameter set built from that model, whose bytes must all stay 7-bit.
#include "DeviceLink.h"
#include "FakeMidiService.h"
#include "Midi.h"
#include "MonitorLine.h"
#include "SysExHexText.h"

#include <cstdlib>

namespace {

class NoView : public ConnectionView {
public:
    void ShowConnection(bool) override {}
    void ShowFirmware(const QString&) override {}
    void TickInputPort(int) override {}
    void TickOutputPort(int) override {}
    void ShowDevicePort(int) override {}
    void StartIdentityPoll() override {}
    void StopIdentityPoll() override {}
    void StopConnectionCheck() override {}
};

struct Harness {
    NoView View;
    ParameterModel Model;
    DeviceLink Link{View, {nullptr, nullptr, [this](const ParameterBytes& bytes) {
                               DecodeDumpReply(bytes, Model);
                           }}};

    Harness() {
        auto service = std::make_unique<FakeMidiService>();
        service->AddInputPort("USB Keys");
        service->AddOutputPort("USB Keys");
        UseMidiService(std::move(service));
        InputPorts().SetOnSysExMessage(
            [this](std::int32_t port, TByteStream& stream) { Link.SysExDataIn(port, stream); });
        ResetPara(Model);
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Harness harness;
    TMidiInput& inputs = InputPorts();
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
    return 0;
}
