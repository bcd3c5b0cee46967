#pragma once

#include "FakeMidiService.h"
#include "TestMidiPorts.h"
#include "midi/Midi.h"

#include <gtest/gtest.h>

#include <memory>

// Lends a service to the MIDI module without handing it over, so that a test
// can still inspect it after the module has released its service.
class LentMidiService final : public MidiService {
public:
    explicit LentMidiService(MidiService& service) : Service(service) {}

    MidiResult ListPorts(MidiDirection direction, std::vector<MidiPortInfo>& ports) override {
        return Service.ListPorts(direction, ports);
    }
    MidiResult QueryPort(MidiDirection direction, const std::string& serviceName) override {
        return Service.QueryPort(direction, serviceName);
    }
    MidiResult QueryOpen(MidiHandle handle) override { return Service.QueryOpen(handle); }
    MidiResult OpenInput(const std::string& serviceName, const MidiInputTarget& target,
                         MidiHandle& handle) override {
        return Service.OpenInput(serviceName, target, handle);
    }
    MidiResult CloseInput(MidiHandle handle) override { return Service.CloseInput(handle); }
    MidiResult OpenOutput(const std::string& serviceName, MidiHandle& handle) override {
        return Service.OpenOutput(serviceName, handle);
    }
    MidiResult CloseOutput(MidiHandle handle) override { return Service.CloseOutput(handle); }
    MidiResult SendLong(MidiHandle handle, std::span<const std::uint8_t> bytes) override {
        return Service.SendLong(handle, bytes);
    }
    std::optional<std::string> ErrorText(MidiResult code) override {
        return Service.ErrorText(code);
    }

private:
    MidiService& Service;
};

// Runs each test with fresh ports on a fake service and releases them before
// the fake goes.
class FakeMidiTest : public testing::Test, protected TestMidiPorts {
protected:
    void SetUp() override { UseMidiService(std::make_unique<LentMidiService>(*Fake)); }
    void TearDown() override { ReleaseMidi(); }

    std::unique_ptr<FakeMidiService> Fake = std::make_unique<FakeMidiService>();
};
