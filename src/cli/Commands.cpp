#include "cli/Commands.h"

#include "cli/CtlError.h"
#include "cli/InterruptStop.h"
#include "cli/ProfileTable.h"
#include "device/MachineUsbDeviceQuery.h"
#include "device/SysExFile.h"
#include "midi/MachineMidiService.h"
#include "midi/MidiMessages.h"
#include "model/EditorError.h"
#include "model/ProfileBackups.h"
#include "model/ProfileFile.h"
#include "model/ProgramFiles.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QStringList>

#include <array>
#include <cstdio>
#include <mutex>

namespace {

void Print(const QString& text) {
    std::fputs(text.toUtf8().constData(), stdout);
    std::fflush(stdout);
}

void Progress(const QString& text) {
    std::fprintf(stderr, "%s\n", text.toUtf8().constData());
}

void PrintJson(const QJsonObject& object) {
    Print(QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Indented)));
}

// A file's failure as the editor words it, with the file it concerns.
template <class Work> auto WithFile(const QString& path, Work&& work) {
    try {
        return work();
    } catch (const EditorError& error) {
        throw CtlError(ExitStatus::FileError,
                       (path + QStringLiteral(": ") + ErrorBoxText(QString::fromUtf8(error.what())))
                           .toStdString());
    }
}

// A profile to send, compare or show: only a whole one, so that an empty or
// foreign file never reaches the keyboard. It is read over the factory
// defaults, as the window's model is; a SysEx file gives its settings alone.
ParameterModel LoadProfile(const QString& path) {
    return WithFile(path, [&] {
        ParameterModel model = FactoryModel();
        if (IsSysExFileName(path))
            LoadSysExFile(model, path);
        else
            LoadParaFromFile(model, path, false, ProfileSizeRule::ExactlyEightRecords);
        return model;
    });
}

void SaveProfile(const ParameterModel& model, const QString& path) {
    WithFile(path, [&] {
        if (IsSysExFileName(path))
            SaveSysExFile(model, path);
        else
            SaveParaToFile(model, path);
    });
}

// The machine's MIDI ports, the USB devices (from $HBX740_USB_DEVICES when
// set, the tests' synthetic tree) and the keyboard client over them.
struct Machine {
    explicit Machine(const CtlOptions& options) : Keyboard(Midi, *Usb, options.Keyboard) {}

    MidiPorts Midi{std::make_unique<MachineMidiService>("hbx740ctl")};
    std::unique_ptr<UsbDeviceQuery> Usb = MachineUsbDeviceQuery();
    KeyboardClient Keyboard;
};

// What the keyboard holds now, kept as a profile before it is overwritten.
void BackUp(KeyboardClient& keyboard) {
    const ParameterModel held = keyboard.ReadParameters(FactoryModel());
    // Where the editor run from the same folder keeps its backups.
    const ProfileBackups backups(ProgramFiles::ForThisProgram().BackupFolder());
    const QString path = WithFile(backups.Path(), [&] {
        return backups.Keep(QStringLiteral("keyboard"), EncodeProfile(held));
    });
    Progress(QStringLiteral("backup: %1").arg(path));
}

int PrintDifferences(const CtlOptions& options, const ParameterModel& a, const ParameterModel& b,
                     bool transferredOnly) {
    const auto first = ProfileFields(a, transferredOnly);
    const auto second = ProfileFields(b, transferredOnly);
    QJsonArray differences;
    QString text;
    for (std::size_t i = 0; i < first.size(); ++i) {
        if (first[i].Value == second[i].Value)
            continue;
        differences.append(
            QJsonObject{{"field", first[i].Label}, {"a", first[i].Value}, {"b", second[i].Value}});
        text +=
            QStringLiteral("%1: %2 -> %3\n").arg(first[i].Label, first[i].Value, second[i].Value);
    }
    if (options.Json)
        PrintJson({{"differences", differences}});
    else
        Print(text);
    return differences.isEmpty() ? ExitStatus::Done : ExitStatus::Differs;
}

} // namespace

int PortsCommand(const CtlOptions& options) {
    MidiPorts midi(std::make_unique<MachineMidiService>("hbx740ctl"));
    if (midi.Service().Kind() == MidiServiceKind::None)
        throw CtlError(ExitStatus::NoService,
                       "no MIDI service (no ALSA sequencer, no JACK server)");
    QJsonArray list;
    QString text;
    const auto add = [&](const char* direction, const std::vector<TPortEntry>& ports) {
        for (std::size_t i = 0; i < ports.size(); ++i) {
            const QString name = QString::fromStdString(ports[i].Name);
            const QString service = QString::fromStdString(ports[i].ServiceName);
            list.append(QJsonObject{{"direction", direction},
                                    {"index", static_cast<int>(i)},
                                    {"name", name},
                                    {"serviceName", service}});
            text += QStringLiteral("%1 %2 %3 %4\n")
                        .arg(QString::fromLatin1(direction).leftJustified(6),
                             QString::number(i).rightJustified(3), name.leftJustified(24), service);
        }
    };
    add("input", midi.InputPorts().PortNames());
    add("output", midi.OutputPorts().PortNames());
    if (options.Json)
        PrintJson({{"ports", list}});
    else
        Print(text);
    return ExitStatus::Done;
}

int DetectCommand(const CtlOptions& options) {
    Machine machine(options);
    int status = ExitStatus::Done;
    try {
        machine.Keyboard.Find();
        if (!machine.Keyboard.Identity())
            status = ExitStatus::NoAnswer;
    } catch (const CtlError& error) {
        status = error.Status;
    }
    const KeyboardSearch& search = machine.Keyboard.Search();
    if (options.Json)
        PrintJson({{"steps", QJsonArray::fromStringList(search.Lines())},
                   {"found", search.StoppedAt() == KeyboardSearch::Step::Found}});
    else
        Print(search.Lines().join(u'\n') + u'\n');
    return status;
}

int IdentityCommand(const CtlOptions& options) {
    Machine machine(options);
    machine.Keyboard.Find();
    const auto version = machine.Keyboard.Identity();
    if (!version)
        throw CtlError(ExitStatus::NoAnswer, "the keyboard did not answer the identity request");
    if (options.Json)
        PrintJson({{"firmware", *version}});
    else
        Print(*version + u'\n');
    return ExitStatus::Done;
}

int ReadCommand(const CtlOptions& options, const QString& output, const QString& base) {
    const ParameterModel start = base.isEmpty() ? FactoryModel() : LoadProfile(base);
    Machine machine(options);
    machine.Keyboard.Find();
    const ParameterModel model = machine.Keyboard.ReadParameters(start);
    if (!output.isEmpty()) {
        SaveProfile(model, output);
        Progress(QStringLiteral("written: %1").arg(output));
    } else if (options.Json) {
        PrintJson(ProfileJson(model));
    } else {
        Print(ProfileTableText(model));
    }
    return ExitStatus::Done;
}

int WriteCommand(const CtlOptions& options, const QString& file, bool verify, bool backup) {
    const ParameterModel model = LoadProfile(file);
    Machine machine(options);
    machine.Keyboard.Find();
    if (backup)
        BackUp(machine.Keyboard);
    machine.Keyboard.WriteParameters(model);
    Progress(QStringLiteral("written to the keyboard: %1").arg(file));
    if (!verify)
        return ExitStatus::Done;
    const ParameterModel held = machine.Keyboard.ReadParameters(model);
    const int status = PrintDifferences(options, model, held, true);
    if (status != ExitStatus::Done)
        Progress(QStringLiteral("the keyboard holds something else than was written"));
    return status;
}

int ResetCommand(const CtlOptions& options, bool backup) {
    Machine machine(options);
    machine.Keyboard.Find();
    if (backup)
        BackUp(machine.Keyboard);
    machine.Keyboard.WriteParameters(FactoryModel());
    Progress(QStringLiteral("the keyboard holds the factory defaults"));
    return ExitStatus::Done;
}

int ShowCommand(const CtlOptions& options, const QString& file) {
    const ParameterModel model = LoadProfile(file);
    if (options.Json)
        PrintJson(ProfileJson(model));
    else
        Print(ProfileTableText(model));
    return ExitStatus::Done;
}

int DiffCommand(const CtlOptions& options, const QString& first, const QString& second) {
    const QString keyboardWord = QStringLiteral("keyboard");
    const bool firstIsKeyboard = first == keyboardWord;
    const bool secondIsKeyboard = second == keyboardWord;
    // The keyboard and a SysEx file hold no names.
    const bool transferredOnly =
        firstIsKeyboard || secondIsKeyboard || IsSysExFileName(first) || IsSysExFileName(second);
    ParameterModel a = firstIsKeyboard ? FactoryModel() : LoadProfile(first);
    ParameterModel b = secondIsKeyboard ? FactoryModel() : LoadProfile(second);
    if (firstIsKeyboard || secondIsKeyboard) {
        Machine machine(options);
        machine.Keyboard.Find();
        // Read over the other side, so that only the transferred fields count.
        const ParameterModel held = machine.Keyboard.ReadParameters(firstIsKeyboard ? b : a);
        (firstIsKeyboard ? a : b) = held;
        if (firstIsKeyboard && secondIsKeyboard)
            b = held;
    }
    return PrintDifferences(options, a, b, transferredOnly);
}

int MonitorCommand(const CtlOptions& options, bool hex) {
    Machine machine(options);
    std::mutex printing;
    const auto byteText = [hex](std::uint8_t byte) {
        return hex ? QStringLiteral("%1").arg(byte, 2, 16, QChar(u'0')).toUpper()
                   : QString::number(byte);
    };
    const auto printMessage = [&](std::span<const std::uint8_t> bytes) {
        QStringList words;
        for (std::uint8_t byte : bytes)
            words << byteText(byte);
        const std::lock_guard hold(printing);
        Print(words.join(u' ') + u'\n');
    };
    // Both run on the MIDI input thread; the lock keeps their lines whole.
    machine.Keyboard.SetShortMessageHandler(
        [&](std::int32_t, std::uint8_t status, std::uint8_t data1, std::uint8_t data2) {
            // The port hands over two data bytes for every message, zeros where it
            // has fewer; its status byte says how many are its own. A status that
            // begins no message of known length is shown alone.
            const std::array<std::uint8_t, 3> given{status, data1, data2};
            const auto messages = CompleteMidiMessages(given);
            printMessage(messages.empty() ? std::span(given).first(1) : messages.front());
        });
    machine.Keyboard.SetSysExObserver(
        [&](std::int32_t, std::span<const std::uint8_t> bytes) { printMessage(bytes); });
    machine.Keyboard.Find();
    Progress(QStringLiteral("monitoring; Ctrl+C ends"));

    // Ctrl+C ends the monitor through the event loop.
    const InterruptStop stop;
    QCoreApplication::exec();
    return ExitStatus::Done;
}
