#include "EditorWithSimulator.h"

#include "midi/AlsaMidiService.h"
#include "midi/JackMidiService.h"
#include "midi/Midi.h"

#include <QDir>
#include <QTest>
#include <algorithm>
#include <cstdlib>

namespace {

std::unique_ptr<MidiService> ServiceOf(SimulatorBackend backend, const std::string& clientName) {
    if (backend == SimulatorBackend::Alsa)
        return std::make_unique<AlsaMidiService>(clientName);
    return std::make_unique<JackMidiService>(clientName);
}

} // namespace

void EditorWithSimulator::SetUp() {
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
    BeforeSimulator();
    StartSimulator(SimulatorOptions());
    if (HasFatalFailure())
        return;

    UseMidiService(ServiceOf(Backend(), "HBX740 MIDI Editor"));
    Window = std::make_unique<TForm1>(EditorServices{Prompts, *Usb, *Ports, Folder.Path()});
    Window->show();
}

void EditorWithSimulator::TearDown() {
    Window.reset();
    ReleaseMidi();
    if (Simulator.state() != QProcess::NotRunning) {
        Simulator.terminate();
        if (!Simulator.waitForFinished(3000))
            KillSimulator();
    }
}

void EditorWithSimulator::StartSimulator(const QStringList& options) {
    SimulatorLines.clear();
    LinesSeen = 0;
    const bool alsa = Backend() == SimulatorBackend::Alsa;
    Simulator.start(HBX_SIMULATOR,
                    QStringList{"--backend", alsa ? "alsa" : "jack", "--commands"} + options);
    ASSERT_TRUE(Simulator.waitForStarted(5000));
    // Said once its ports are there. No client of the test's own asks the
    // server: libjack's state, which a process's clients share, breaks when a
    // new client meets a restarted server while an older one is still open.
    ASSERT_TRUE(WaitForSimulatorLine("ready", 10000)) << "the simulator's ports never appeared";
}

void EditorWithSimulator::KillSimulator() {
    Simulator.kill();
    Simulator.waitForFinished(3000);
}

void EditorWithSimulator::SimulatorCommand(const QString& line, int timeoutMs) {
    Simulator.write((line + u'\n').toUtf8());
    const QString verb = line.section(u' ', 0, 0);
    ASSERT_TRUE(WaitForSimulatorLine("done " + verb, timeoutMs))
        << line.left(80).toStdString() << ": " << SimulatorLine("error").toStdString();
}

QString EditorWithSimulator::SimulatorLine(const QString& prefix) const {
    for (auto it = SimulatorLines.crbegin(); it != SimulatorLines.crend(); ++it) {
        if (it->startsWith(prefix))
            return *it;
    }
    return {};
}

bool EditorWithSimulator::WaitForSimulatorLine(const QString& prefix, int timeoutMs) {
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

void EditorWithSimulator::Click(const char* name) {
    QWidget* widget = Get(name);
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
}

bool EditorWithSimulator::WaitForConnection(const QString& text, int timeoutMs) {
    return QTest::qWaitFor([&] { return LabelText("LbConnect") == text; }, timeoutMs);
}

bool EditorWithSimulator::Hears(const std::function<bool()>& heard) {
    for (int tries = 0; tries < 12; ++tries) {
        SimulatorCommand("send 90 3C 64");
        if (QTest::qWaitFor(heard, 500))
            return true;
    }
    return false;
}
