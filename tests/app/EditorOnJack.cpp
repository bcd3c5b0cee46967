#include "EditorOnJack.h"

#include "Midi.h"
#include "RtMidiService.h"

#include <QDir>
#include <QTest>
#include <algorithm>
#include <cstdlib>

namespace {

bool SimulatorPortsListed() {
    RtMidiService probe(RtMidiBackend::Jack, "hbx740-e2e-probe");
    std::vector<MidiPortInfo> inputs, outputs;
    probe.ListPorts(MidiDirection::Input, inputs);
    probe.ListPorts(MidiDirection::Output, outputs);
    const auto named = [](const std::vector<MidiPortInfo>& ports) {
        return std::any_of(ports.begin(), ports.end(),
                           [](const MidiPortInfo& port) { return port.Name == "HBX740"; });
    };
    return named(inputs) && named(outputs);
}

} // namespace

void EditorOnJack::SetUp() {
    setenv("JACK_DEFAULT_SERVER", HBX_JACK_SERVER, 1);
    setenv("JACK_NO_START_SERVER", "1", 1);
    QLocale::setDefault(QLocale::c());

    ASSERT_TRUE(QDir(UsbTree.Path()).mkpath("1-4"));
    UsbTree.Write("1-4/idVendor", "5d2e\n");
    UsbTree.Write("1-4/idProduct", "9a47\n");
    UsbTree.Write("1-4/serial", "HBX740-0001\n");
    Usb = std::make_unique<SysfsUsbDeviceQuery>(UsbTree.Path());

    QObject::connect(&Simulator, &QProcess::readyReadStandardOutput, [this] {
        while (Simulator.canReadLine())
            SimulatorLines << QString::fromUtf8(Simulator.readLine()).trimmed();
    });
    Simulator.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    StartSimulator(SimulatorOptions());
    if (HasFatalFailure())
        return;

    UseMidiService(std::make_unique<RtMidiService>(RtMidiBackend::Jack));
    Window = std::make_unique<TForm1>(EditorServices{Prompts, *Usb, Folder.Path()});
    Window->show();
}

void EditorOnJack::TearDown() {
    Window.reset();
    ReleaseMidi();
    if (Simulator.state() != QProcess::NotRunning) {
        Simulator.terminate();
        if (!Simulator.waitForFinished(3000))
            KillSimulator();
    }
}

void EditorOnJack::StartSimulator(const QStringList& options) {
    SimulatorLines.clear();
    LinesSeen = 0;
    Simulator.start(HBX_SIMULATOR, QStringList{"--backend", "jack", "--commands"} + options);
    ASSERT_TRUE(Simulator.waitForStarted(5000));
    ASSERT_TRUE(QTest::qWaitFor(SimulatorPortsListed, 10000))
        << "the simulator's ports never appeared";
}

void EditorOnJack::KillSimulator() {
    Simulator.kill();
    Simulator.waitForFinished(3000);
}

void EditorOnJack::SimulatorCommand(const QString& line, int timeoutMs) {
    Simulator.write((line + u'\n').toUtf8());
    const QString verb = line.section(u' ', 0, 0);
    ASSERT_TRUE(WaitForSimulatorLine("done " + verb, timeoutMs))
        << line.left(80).toStdString() << ": " << SimulatorLine("error").toStdString();
}

QString EditorOnJack::SimulatorLine(const QString& prefix) const {
    for (auto it = SimulatorLines.crbegin(); it != SimulatorLines.crend(); ++it) {
        if (it->startsWith(prefix))
            return *it;
    }
    return {};
}

bool EditorOnJack::WaitForSimulatorLine(const QString& prefix, int timeoutMs) {
    return QTest::qWaitFor(
        [&] {
            for (; LinesSeen < SimulatorLines.size(); ++LinesSeen) {
                if (SimulatorLines[LinesSeen].startsWith(prefix)) {
                    ++LinesSeen;
                    return true;
                }
            }
            return false;
        },
        timeoutMs);
}

void EditorOnJack::Click(const char* name) {
    QWidget* widget = Get(name);
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
}

bool EditorOnJack::WaitForConnection(const QString& text, int timeoutMs) {
    return QTest::qWaitFor([&] { return LabelText("LbConnect") == text; }, timeoutMs);
}
