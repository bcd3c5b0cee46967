#include "midi/JackServerProbe.h"

#include <cstdlib>
#include <system_error>
#include <unistd.h>

namespace {

std::optional<std::string> Variable(const char* name) {
    const char* value = std::getenv(name);
    if (!value || !*value)
        return std::nullopt;
    return std::string(value);
}

bool Exists(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::exists(path, error);
}

} // namespace

JackServerPlaces JackServerPlaces::FromEnvironment() {
    JackServerPlaces places;
    if (const auto name = Variable("JACK_DEFAULT_SERVER"))
        places.ServerName = *name;
    places.Promiscuous = Variable("JACK_PROMISCUOUS_SERVER").has_value();
    places.UserId = static_cast<unsigned int>(getuid());

    const std::string remote = Variable("PIPEWIRE_REMOTE").value_or("pipewire-0");
    if (remote.starts_with('/')) {
        places.PipeWireSocket = remote;
    } else if (const auto folder = Variable("PIPEWIRE_RUNTIME_DIR")) {
        places.PipeWireSocket = std::filesystem::path(*folder) / remote;
    } else if (const auto runtime = Variable("XDG_RUNTIME_DIR")) {
        places.PipeWireSocket = std::filesystem::path(*runtime) / remote;
    }
    return places;
}

bool JackServerSocketPresent(const JackServerPlaces& places) {
    const std::string uid = std::to_string(places.UserId);
    const std::string& name = places.ServerName;
    // jack2: <folder>/jack_<server>_<uid>_0, or without the user when shared.
    const std::string jack2 =
        places.Promiscuous ? "jack_" + name + "_0" : "jack_" + name + "_" + uid + "_0";
    // jack1: <folder>/jack-<uid>/<server>/jack_0, or jack/<server> when shared.
    const std::filesystem::path jack1 =
        places.ServerFolder / (places.Promiscuous ? "jack" : "jack-" + uid) / name / "jack_0";
    return Exists(places.ServerFolder / jack2) || Exists(jack1) ||
           (places.PipeWireSocket && Exists(*places.PipeWireSocket));
}
