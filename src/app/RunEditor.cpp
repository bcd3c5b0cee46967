#include "app/RunEditor.h"

#include "midi/MachineMidiService.h"
#include "midi/Midi.h"
#include "ui/QtUserPrompts.h"
#include "ui/Translations.h"
#include "ui/Unit1.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>

namespace {

void Describe(QCommandLineParser& parser) {
    parser.setApplicationDescription(
        QStringLiteral("Edits the HBX740 keyboard's controls and settings, and its profiles."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(
        QStringLiteral("profile"),
        QStringLiteral("A profile (.cus) to open for this run, or a SysEx file (.syx) whose "
                       "settings to load, as OPEN does."),
        QStringLiteral("[profile]"));
}

// --help and --version answer without a display, as a terminal asks them.
bool AsksForInformation(int argc, char* argv[]) {
    QCommandLineParser parser;
    Describe(parser);
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    parser.parse(arguments);
    return parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("version"));
}

} // namespace

int RunEditor(int argc, char* argv[], UsbDeviceQuery& usb) {
    QCoreApplication::setApplicationName(QStringLiteral("HBX740"));
    QCoreApplication::setApplicationVersion(QStringLiteral(HBX740_VERSION));
    if (AsksForInformation(argc, argv)) {
        QCoreApplication information(argc, argv);
        QCommandLineParser parser;
        Describe(parser);
        parser.process(information);
    }
    QApplication application(argc, argv);
    InstallTranslations(application, QLocale::system());
    // Ties the window to its desktop entry (Wayland's app id, the taskbar's icon).
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.hbx740.Editor"));
    QIcon icon;
    for (const int size : {32, 64, 128})
        icon.addFile(QStringLiteral(":/icons/editor-%1.png").arg(size), QSize(size, size));
    QApplication::setWindowIcon(icon);
    QCommandLineParser parser;
    Describe(parser);
    parser.process(application);

    MidiPorts midi(std::make_unique<MachineMidiService>());
    QtUserPrompts prompts;
    const ProgramFiles files = ProgramFiles::ForThisProgram();
    // The window closes the keyboard's ports; the port sets go after it.
    TForm1 window(EditorServices{prompts, usb, midi, files});
    if (!parser.positionalArguments().isEmpty())
        window.OpenProfile(parser.positionalArguments().constFirst());
    prompts.AttachOwner(&window);
    window.show();
    return QApplication::exec();
}
