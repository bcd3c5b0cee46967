#include "device/PortMatcher.h"

#include <functional>
#include <string_view>

namespace {

using NameTest = std::function<bool(std::string_view name)>;

bool GoesBy(const TPortEntry& port, const NameTest& test) {
    if (test(port.Name) || test(port.ServiceName))
        return true;
    for (const std::string& alias : port.Aliases) {
        if (test(alias))
            return true;
    }
    return false;
}

std::vector<int> Indices(const std::vector<TPortEntry>& ports, const NameTest& test,
                         bool firstOnly) {
    std::vector<int> found;
    for (int i = 0; i < static_cast<int>(ports.size()); ++i) {
        if (GoesBy(ports[static_cast<std::size_t>(i)], test)) {
            found.push_back(i);
            if (firstOnly)
                break;
        }
    }
    return found;
}

// One step over both sets, with each direction's test.
KeyboardPorts Step(const std::vector<TPortEntry>& inputs, const std::vector<TPortEntry>& outputs,
                   PortMatch match, const NameTest& input, const NameTest& output,
                   bool firstOutputOnly) {
    return {match, Indices(outputs, output, firstOutputOnly), Indices(inputs, input, false)};
}

} // namespace

KeyboardPorts MatchPorts(const std::vector<TPortEntry>& inputs,
                         const std::vector<TPortEntry>& outputs, const PortQuery& query) {
    const auto equals = [](const std::string& wanted) {
        return [&wanted](std::string_view name) { return !wanted.empty() && name == wanted; };
    };
    KeyboardPorts found =
        Step(inputs, outputs, NamePortMatch, equals(query.Input), equals(query.Output), true);
    if (!found.Outputs.empty())
        return found;
    KeyboardPorts inputsOnly;
    if (!query.Prefix.empty()) {
        const auto begins = [&](std::string_view name) { return name.starts_with(query.Prefix); };
        KeyboardPorts prefixed = Step(inputs, outputs, UsbPortMatch, begins, begins, false);
        if (!prefixed.Outputs.empty())
            return prefixed;
        if (!prefixed.Inputs.empty())
            inputsOnly = std::move(prefixed);
    }
    if (query.Contains) {
        const auto contains = [](const std::string& wanted) {
            return [&wanted](std::string_view name) {
                return !wanted.empty() && name.find(wanted) != std::string_view::npos;
            };
        };
        KeyboardPorts contained = Step(inputs, outputs, NamePortMatch, contains(query.Input),
                                       contains(query.Output), false);
        if (!contained.Outputs.empty() || !contained.Inputs.empty())
            return contained;
    }
    return inputsOnly;
}
