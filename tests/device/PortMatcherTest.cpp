#include "device/PortMatcher.h"

#include <gtest/gtest.h>

namespace {

struct MatchCase {
    const char* What;
    std::vector<TPortEntry> Inputs;
    std::vector<TPortEntry> Outputs;
    PortQuery Query;
    KeyboardPorts Expected;
};

TPortEntry Port(const std::string& name, std::vector<std::string> aliases = {}) {
    return {name, name + ":port", std::move(aliases), {}};
}

const PortQuery Keyboard{"HBX740", "HBX740", "USB", false};
const PortQuery Named{"HBX740", "HBX740", {}, true};

class PortMatcher : public testing::TestWithParam<MatchCase> {};

TEST_P(PortMatcher, TakesThePortsOfTheFirstStepThatFindsAny) {
    const MatchCase& c = GetParam();
    const KeyboardPorts found = MatchPorts(c.Inputs, c.Outputs, c.Query);
    EXPECT_EQ(found.Match, c.Expected.Match);
    EXPECT_EQ(found.Outputs, c.Expected.Outputs);
    EXPECT_EQ(found.Inputs, c.Expected.Inputs);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PortMatcher,
    testing::Values(MatchCase{"the exact name before the prefix, the first output, every input",
                              {Port("USB MIDI"), Port("HBX740"), Port("HBX740")},
                              {Port("USB MIDI"), Port("HBX740"), Port("HBX740")},
                              Keyboard,
                              {NamePortMatch, {1}, {1, 2}}},
                    MatchCase{"every port by the prefix, case and all",
                              {Port("Synth"), Port("USB MIDI A")},
                              {Port("usb midi"), Port("USB MIDI A"), Port("USB MIDI B")},
                              Keyboard,
                              {UsbPortMatch, {1, 2}, {1}}},
                    MatchCase{"inputs alone by the prefix when nothing else matches",
                              {Port("USB MIDI A")},
                              {Port("Synth")},
                              Keyboard,
                              {UsbPortMatch, {}, {0}}},
                    MatchCase{"a bridged device by the name in its alias",
                              {Port("system", {"alsa_pcm:HBX740/midi_capture_1", "HBX740"})},
                              {Port("system", {"alsa_pcm:HBX740/midi_playback_1", "HBX740"})},
                              Keyboard,
                              {NamePortMatch, {0}, {0}}},
                    MatchCase{"a name only containing the keyboard's is not the keyboard",
                              {Port("HBX740 Clone")},
                              {Port("HBX740 Clone")},
                              Keyboard,
                              {NoPortMatch, {}, {}}},
                    MatchCase{"--port: the exact name before one that contains it",
                              {Port("HBX740 Clone"), Port("HBX740")},
                              {Port("HBX740 Clone"), Port("HBX740")},
                              Named,
                              {NamePortMatch, {1}, {1}}},
                    MatchCase{"--port: else every port whose name contains it",
                              {Port("Synth"), Port("My HBX740")},
                              {Port("My HBX740"), Port("Synth")},
                              Named,
                              {NamePortMatch, {0}, {1}}}),
    [](const testing::TestParamInfo<MatchCase>& info) {
        return "Case" + std::to_string(info.index);
    });

} // namespace
