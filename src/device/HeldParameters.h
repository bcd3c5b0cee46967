#pragma once

#include "device/DeviceMessages.h"

#include <optional>

// What the keyboard holds, as far as the editor knows: the parameter set it
// last read from it, or wrote into it and had acknowledged. Unknown before
// the first exchange and again once the keyboard has gone.
class HeldParameters {
public:
    // A parameter set sent; the keyboard holds it once it acknowledges.
    void Sending(const ParameterBytes& bytes) { OnTheWay = bytes; }
    void Acknowledged();
    void Read(const ParameterBytes& bytes) { Held = bytes; }
    void Forget();

    // Where the model's stored bytes differ from the keyboard's; nothing
    // while the keyboard's are not known.
    std::optional<ParameterDifferences> Differences(const ParameterModel& model) const;

private:
    std::optional<ParameterBytes> Held;
    std::optional<ParameterBytes> OnTheWay;
};
