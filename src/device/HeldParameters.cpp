#include "device/HeldParameters.h"

void HeldParameters::Acknowledged() {
    if (OnTheWay)
        Held = OnTheWay;
    OnTheWay.reset();
}

void HeldParameters::Forget() {
    Held.reset();
    OnTheWay.reset();
}

std::optional<ParameterDifferences> HeldParameters::Differences(const ParameterModel& model) const {
    if (!Held)
        return std::nullopt;
    return CompareParameters(EncodeParameters(model), *Held);
}
