#include "ParameterModel.h"

#include <stdexcept>
#include <utility>

ControlRecord& ParameterModel::Record(int n) {
    return const_cast<ControlRecord&>(std::as_const(*this).Record(n));
}

const ControlRecord& ParameterModel::Record(int n) const {
    if (n < 1 || n > ControlCount)
        throw std::out_of_range("control number out of range");
    return Records[static_cast<std::size_t>(n - 1)];
}

void ResetPara(ParameterModel& model) {
    static constexpr std::array<std::int32_t, ControlCount> defaultValues = {10, 21,  22,  23,
                                                                             7,  105, 106, 107};
    // Only the Stop button is momentary by default.
    static constexpr std::array<std::int32_t, ControlCount> defaultModes = {0, 0, 0, 0, 0, 0, 1, 0};
    static constexpr SettingsArray defaultSettings = {0, 5, 1, 0, 0, 0, 12, 0};

    for (int n = 1; n <= ControlCount; ++n) {
        ControlRecord& record = model.Record(n);
        const auto i = static_cast<std::size_t>(n - 1);
        record.Value = defaultValues[i];
        record.DataType = 4;
        record.Channel = 0;
        record.Disable = 0;
        record.ControlMode = defaultModes[i];
        record.ParaName.Assign(QString::fromLatin1(ControlNames[i]));
    }
    model.GlobalSettings() = defaultSettings;
}
