// hbx740ctl: the HBX740's parameter set from the command line, for scripts,
// backups and setups without a screen.

#include "cli/Commands.h"
#include "cli/CtlError.h"
#include "midi/MidiError.h"
#include "model/EditorError.h"

#include <CLI/CLI.hpp>
#include <QCoreApplication>
#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("HBX740"));

    CLI::App cli{"Reads, writes and checks the HBX740 keyboard's parameter set.", "hbx740ctl"};
    cli.set_version_flag("--version", "hbx740ctl " HBX740_VERSION);
    cli.require_subcommand(1);
    cli.fallthrough();
    std::string port;
    int timeout = 1100;
    bool json = false;
    cli.add_option("--port", port,
                   "use the input and output ports whose names contain NAME, without the USB "
                   "test")
        ->option_text("NAME");
    cli.add_option("--timeout", timeout, "how long to wait for the keyboard, in ms (default 1100)")
        ->check(CLI::Range(1, 600000))
        ->option_text("MS");
    cli.add_flag("--json", json, "machine-readable output where a command prints data");

    auto* ports = cli.add_subcommand("ports", "list the MIDI inputs and outputs");
    auto* detect =
        cli.add_subcommand("detect", "each step of finding the keyboard, and where it stops");
    auto* identity = cli.add_subcommand("identity", "the keyboard's firmware version");
    std::string output, base;
    auto* read = cli.add_subcommand("read", "read the keyboard's parameter set");
    read->add_option("-o,--output", output,
                     "write it to this file instead of printing it: a profile, or a SysEx file "
                     "when its name ends in .syx")
        ->option_text("FILE");
    read->add_option("--base", base,
                     "the profile whose names and other fields it is written over (default: the "
                     "factory defaults)")
        ->option_text("FILE");
    std::string file;
    bool noVerify = false, noBackup = false;
    auto* write = cli.add_subcommand(
        "write", "write a profile's parameter set to the keyboard, then read it back and compare");
    write->add_option("FILE", file, "the profile (.cus) or SysEx file (.syx)")->required();
    write->add_flag("--no-verify", noVerify, "do not read the keyboard back");
    write->add_flag("--no-backup", noBackup, "keep no copy of what the keyboard held");
    bool yes = false;
    auto* reset = cli.add_subcommand("reset", "put the factory defaults into the keyboard");
    reset->add_flag("--yes", yes, "confirm")->required();
    reset->add_flag("--no-backup", noBackup, "keep no copy of what the keyboard held");
    auto* show = cli.add_subcommand("show", "a profile as a table");
    show->add_option("FILE", file, "the profile (.cus) or SysEx file (.syx)")->required();
    std::string first, second;
    auto* diff = cli.add_subcommand(
        "diff", "compare field by field; each side is a profile file or \"keyboard\"");
    diff->add_option("A", first, "a profile, a SysEx file, or \"keyboard\"")->required();
    diff->add_option("B", second, "a profile, a SysEx file, or \"keyboard\"")->required();
    bool hex = false;
    auto* monitor = cli.add_subcommand("monitor", "incoming messages, one a line, until Ctrl+C");
    monitor->add_flag("--hex", hex, "hexadecimal rather than decimal");

    try {
        cli.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        return cli.exit(error) == 0 ? ExitStatus::Done : ExitStatus::Usage;
    }

    const CtlOptions options{{QString::fromStdString(port), std::chrono::milliseconds(timeout)},
                             json};
    const auto text = [](const std::string& s) { return QString::fromStdString(s); };
    try {
        if (ports->parsed())
            return PortsCommand(options);
        if (detect->parsed())
            return DetectCommand(options);
        if (identity->parsed())
            return IdentityCommand(options);
        if (read->parsed())
            return ReadCommand(options, text(output), text(base));
        if (write->parsed())
            return WriteCommand(options, text(file), !noVerify, !noBackup);
        if (reset->parsed())
            return ResetCommand(options, !noBackup);
        if (show->parsed())
            return ShowCommand(options, text(file));
        if (diff->parsed())
            return DiffCommand(options, text(first), text(second));
        if (monitor->parsed())
            return MonitorCommand(options, hex);
    } catch (const CtlError& error) {
        std::fprintf(stderr, "hbx740ctl: %s\n", error.what());
        return error.Status;
    } catch (const EditorError& error) {
        std::fprintf(stderr, "hbx740ctl: %s\n",
                     ErrorBoxText(QString::fromUtf8(error.what())).toUtf8().constData());
        return ExitStatus::FileError;
    } catch (const MidiError& error) {
        // The service failed (a port it cannot open): no keyboard was missing.
        std::fprintf(stderr, "hbx740ctl: %s\n", error.what());
        return ExitStatus::NoService;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "hbx740ctl: %s\n", error.what());
        return ExitStatus::NotFound;
    }
    return ExitStatus::Usage;
}
