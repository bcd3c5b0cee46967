// The profile file and the keyboard's messages: saving and loading a profile
// in a scratch folder (beside a plain write and read of the same bytes),
// building the parameter-set message, and receiving a 48-byte dump reply from
// the service's callback through the SysEx handling, SysExDataIn and the
// queued hand-over into the window's model and panel, including the repaint
// of what changed, which is most of it.

#include "BenchWindow.h"
#include "TempFolder.h"
#include "device/DeviceMessages.h"
#include "midi/ByteStream.h"
#include "midi/MidiDispatch.h"
#include "midi/SysExHexText.h"
#include "model/ProfileFile.h"

#include <QApplication>
#include <QFile>
#include <benchmark/benchmark.h>
#include <functional>
#include <vector>

namespace {

ParameterModel FactoryModel() {
    ParameterModel model;
    ResetPara(model);
    return model;
}

void SaveProfile(benchmark::State& state, const QString& path) {
    const ParameterModel model = FactoryModel();
    for (auto _ : state)
        SaveParaToFile(model, path);
}

// What saving costs without the safe replacement: the same bytes written over
// the file in place.
void WriteInPlace(benchmark::State& state, const QString& path) {
    QByteArray bytes;
    const ParameterModel model = FactoryModel();
    for (const ControlRecord& record : model.Records) {
        const RecordBytes encoded = EncodeRecord(record);
        bytes.append(encoded.data(), RecordSize);
    }
    for (auto _ : state) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(bytes) != bytes.size())
            state.SkipWithError("cannot write the profile");
    }
}

void LoadProfile(benchmark::State& state, const QString& path) {
    SaveParaToFile(FactoryModel(), path);
    ParameterModel model;
    for (auto _ : state)
        LoadParaFromFile(model, path, true);
}

void ReadWhole(benchmark::State& state, const QString& path) {
    SaveParaToFile(FactoryModel(), path);
    for (auto _ : state) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            state.SkipWithError("cannot read the profile");
        benchmark::DoNotOptimize(file.readAll());
    }
}

void BuildMessage(benchmark::State& state) {
    const ParameterModel model = FactoryModel();
    for (auto _ : state)
        benchmark::DoNotOptimize(BuildParameterSet(model));
}

// The keyboard's answer to the dump request: the parameter-set message with
// the reply's marker.
std::vector<std::uint8_t> DumpReply() {
    TByteStream stream;
    HexTextToStream(BuildParameterSet(FactoryModel()), stream);
    std::vector<std::uint8_t> reply(stream.Bytes().begin(), stream.Bytes().begin() + 48);
    reply[2] = 0x01;
    return reply;
}

void ReceiveDumpReply(benchmark::State& state, BenchWindow& bench) {
    TMidiInput& inputs = bench.Inputs();
    const TForm1& window = bench.Window();
    std::vector<std::uint8_t> reply = DumpReply();
    std::uint8_t value = 0;
    for (auto _ : state) {
        // A different Encoder value each time, so every reply changes the model.
        value = static_cast<std::uint8_t>((value + 1) % 128);
        reply[4] = value;
        InputCallback(&inputs, 0, reply);
        QCoreApplication::sendPostedEvents();
    }
    if (window.Model().Record(1).Value != value)
        state.SkipWithError("the dump reply did not reach the model");
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    const TempFolder folder;
    const QString profile = folder.FilePath(QStringLiteral("bench.cus"));
    BenchWindow bench;

    benchmark::RegisterBenchmark("Profile/Save", SaveProfile, profile);
    benchmark::RegisterBenchmark("Profile/WriteInPlace", WriteInPlace, profile);
    benchmark::RegisterBenchmark("Profile/Load", LoadProfile, profile);
    benchmark::RegisterBenchmark("Profile/ReadWhole", ReadWhole, profile);
    benchmark::RegisterBenchmark("Message/BuildParameterSet", BuildMessage);
    benchmark::RegisterBenchmark("Message/ReceiveDumpReply", ReceiveDumpReply, std::ref(bench));
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
