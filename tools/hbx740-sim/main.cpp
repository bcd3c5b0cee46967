// hbx740-sim: plays the HBX740 keyboard's side of the editor's protocol on
// the machine's MIDI service, so the editor can be tried without the keyboard.

#include "KeyboardCore.h"
#include "MidiBackend.h"
#include "SimCommands.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <iostream>
#include <string>

#include <poll.h>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t StopRequested = 0;

void RequestStop(int) {
    StopRequested = 1;
}

struct Options {
    std::string Backend = "auto";
    std::string Name = "HBX740";
    std::string PortName;
    KeyboardCore::Firmware Firmware;
    int DelayMs = 0;
    bool Silent = false;
    bool SendNote = false;
    bool SendClock = false;
    bool PrintParams = false;
    bool StoresWrong = false;
    bool Commands = false;
};

const char* const Usage =
    "Usage: hbx740-sim [options]\n"
    "Plays the HBX740 keyboard on the machine's MIDI service: one client \"HBX740\"\n"
    "with one input and one output port.\n"
    "\n"
    "  --backend alsa|jack  MIDI service (default: ALSA sequencer, else JACK)\n"
    "  --name NAME          the client's name (default HBX740), as a keyboard behind\n"
    "                       a MIDI interface or renamed by the system would show\n"
    "  --port-name NAME     name both ALSA ports NAME, as a keyboard's ports are\n"
    "                       named on Windows (default: HBX740 MIDI In and Out)\n"
    "  --firmware M.mm      firmware version in the identity reply (default 1.05)\n"
    "  --delay-ms N         wait N milliseconds before each reply\n"
    "  --silent             never answer\n"
    "  --send-note          send a note on and off every second\n"
    "  --send-clock         send MIDI clock (0xF8) at 120 BPM\n"
    "  --print-params       print the parameter set after every change\n"
    "  --store-wrong        acknowledge a parameter set but store its first value\n"
    "                       one higher, as a faulty keyboard would\n"
    "  --commands           take commands on standard input, one a line:\n"
    "                         send HEX...             send these bytes as one message\n"
    "                         burst COUNT HEX...      send that message COUNT times\n"
    "                         random-sysex LENGTH [SEED]\n"
    "                                                 send a SysEx of random data\n"
    "                         largest-sysex [SEED]    the same, as long as the\n"
    "                                                 service's largest event\n"
    "  --help               show this text\n"
    "\n"
    "Every message received is printed as \"recv <hex bytes>\", every message\n"
    "sent as \"send <hex bytes>\"; a command prints \"done <command> <messages>\"\n"
    "once its messages are on their way, or \"error <command>: <reason>\" when the\n"
    "MIDI service refused one (the rest of that command is not sent).\n";

int Fail(const std::string& text) {
    std::cerr << "hbx740-sim: " << text << '\n' << Usage;
    return 2;
}

std::unique_ptr<MidiBackend> OpenBackend(const std::string& choice, const std::string& name,
                                         const std::string& portName) {
    if (choice == "alsa")
        return OpenAlsaBackend(name, portName);
    if (choice == "jack")
        return OpenJackBackend(name);
    try {
        return OpenAlsaBackend(name, portName);
    } catch (const BackendError& error) {
        std::cout << "note " << error.what() << "; trying JACK" << std::endl;
        return OpenJackBackend(name);
    }
}

void Print(const char* what, std::span<const std::uint8_t> bytes) {
    std::cout << what << ' ' << HexText(bytes) << std::endl;
}

// Runs the commands whose lines have arrived on standard input, without
// waiting for more.
void RunPendingCommands(MidiBackend& backend, std::string& pending) {
    pollfd input{STDIN_FILENO, POLLIN, 0};
    if (poll(&input, 1, 0) <= 0)
        return;
    char chunk[4096];
    const ssize_t size = read(STDIN_FILENO, chunk, sizeof chunk);
    if (size <= 0)
        return;
    pending.append(chunk, static_cast<std::size_t>(size));
    for (const std::string& line : TakeLines(pending)) {
        const auto parsed = ParseSimCommand(line, backend.LargestEvent());
        if (const auto* error = std::get_if<std::string>(&parsed)) {
            std::cout << "error " << *error << std::endl;
            continue;
        }
        const auto& command = std::get<SimCommand>(parsed);
        try {
            for (const auto& message : command.Messages)
                backend.Send(message);
        } catch (const BackendError& error) {
            std::cout << "error " << command.Name << ": " << error.what() << std::endl;
            continue;
        }
        std::cout << "done " << command.Name << ' ' << command.Messages.size() << std::endl;
    }
}

} // namespace

int main(int argc, char* argv[]) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const auto value = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
        if (arg == "--help") {
            std::cout << Usage;
            return 0;
        } else if (arg == "--backend") {
            const char* backend = value();
            if (!backend ||
                (std::strcmp(backend, "alsa") != 0 && std::strcmp(backend, "jack") != 0))
                return Fail("--backend takes alsa or jack");
            options.Backend = backend;
        } else if (arg == "--name") {
            const char* name = value();
            if (!name || *name == '\0')
                return Fail("--name takes a client name");
            options.Name = name;
        } else if (arg == "--port-name") {
            const char* name = value();
            if (!name || *name == '\0')
                return Fail("--port-name takes a port name");
            options.PortName = name;
        } else if (arg == "--firmware") {
            const char* text = value();
            const auto firmware = text ? KeyboardCore::ParseFirmware(text) : std::nullopt;
            if (!firmware)
                return Fail("--firmware takes a version such as 1.05");
            options.Firmware = *firmware;
        } else if (arg == "--delay-ms") {
            const char* text = value();
            char* end = nullptr;
            const long delay = text ? std::strtol(text, &end, 10) : -1;
            if (!text || *end != '\0' || delay < 0 || delay > 60000)
                return Fail("--delay-ms takes a number of milliseconds up to 60000");
            options.DelayMs = static_cast<int>(delay);
        } else if (arg == "--silent") {
            options.Silent = true;
        } else if (arg == "--send-note") {
            options.SendNote = true;
        } else if (arg == "--send-clock") {
            options.SendClock = true;
        } else if (arg == "--print-params") {
            options.PrintParams = true;
        } else if (arg == "--store-wrong") {
            options.StoresWrong = true;
        } else if (arg == "--commands") {
            options.Commands = true;
        } else {
            return Fail("unknown option " + arg);
        }
    }

    struct sigaction action {};
    action.sa_handler = RequestStop;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);

    std::unique_ptr<MidiBackend> backend;
    try {
        backend = OpenBackend(options.Backend, options.Name, options.PortName);
    } catch (const BackendError& error) {
        std::cerr << "hbx740-sim: " << error.what() << '\n';
        return 1;
    }
    std::cout << "ready " << backend->Description() << ", firmware " << int(options.Firmware.Major)
              << '.' << (options.Firmware.Minor < 10 ? "0" : "") << int(options.Firmware.Minor)
              << ", largest event " << backend->LargestEvent() << " bytes" << std::endl;

    KeyboardCore keyboard(options.Firmware);
    keyboard.StoresWrong = options.StoresWrong;
    if (options.PrintParams)
        std::cout << keyboard.Describe() << std::flush;

    using Clock = std::chrono::steady_clock;
    const auto clockPeriod = std::chrono::microseconds(20833); // 24 per beat at 120 BPM
    auto nextClock = Clock::now();
    auto nextNote = Clock::now();
    bool noteOn = false;
    std::vector<std::uint8_t> message;
    std::string pendingCommands;
    // Each reply leaves its delay after its request, while later requests
    // keep coming in.
    struct DueReply {
        Clock::time_point Due;
        std::vector<std::uint8_t> Bytes;
    };
    std::deque<DueReply> replies;
    while (!StopRequested) {
        if (options.Commands)
            RunPendingCommands(*backend, pendingCommands);
        if (backend->Receive(message, 5)) {
            Print("recv", message);
            if (!options.Silent) {
                const KeyboardCore::Parameters before = keyboard.Stored();
                std::vector<std::uint8_t> reply = keyboard.Answer(message);
                if (!reply.empty())
                    replies.push_back({Clock::now() + std::chrono::milliseconds(options.DelayMs),
                                       std::move(reply)});
                if (options.PrintParams && keyboard.Stored() != before)
                    std::cout << keyboard.Describe() << std::flush;
            }
        }
        const auto now = Clock::now();
        for (; !replies.empty() && replies.front().Due <= now; replies.pop_front()) {
            try {
                backend->Send(replies.front().Bytes);
                Print("send", replies.front().Bytes);
            } catch (const BackendError& error) {
                std::cout << "error reply: " << error.what() << std::endl;
            }
        }
        try {
            if (options.SendClock && now >= nextClock) {
                const std::uint8_t clock[] = {0xF8};
                nextClock += clockPeriod;
                backend->Send(clock);
            }
            if (options.SendNote && now >= nextNote) {
                const std::vector<std::uint8_t> note = {std::uint8_t(noteOn ? 0x80 : 0x90), 0x3C,
                                                        std::uint8_t(noteOn ? 0x40 : 0x64)};
                noteOn = !noteOn;
                nextNote += std::chrono::milliseconds(500);
                backend->Send(note);
                Print("send", note);
            }
        } catch (const BackendError& error) {
            std::cout << "error traffic: " << error.what() << std::endl;
        }
    }
    std::cout << "stopped" << std::endl;
    return 0;
}
