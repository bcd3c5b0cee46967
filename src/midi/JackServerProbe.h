#pragma once

#include <filesystem>
#include <optional>
#include <string>

// Where a JACK client library looks for a running server, as libjack (jack2
// and jack1) and PipeWire's libjack read it off the environment.
struct JackServerPlaces {
    std::filesystem::path ServerFolder = "/dev/shm";
    std::string ServerName = "default";
    bool Promiscuous = false;
    unsigned int UserId = 0;
    std::optional<std::filesystem::path> PipeWireSocket;

    static JackServerPlaces FromEnvironment();
};

// Whether a server's socket is there to connect to. Opening a JACK client
// without a server fails only after libjack has set up its own state, which
// costs milliseconds and megabytes every time, so without a socket the service
// is taken as absent at once. A stale socket only costs that attempt.
bool JackServerSocketPresent(const JackServerPlaces& places);
