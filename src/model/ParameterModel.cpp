#include "model/ParameterModel.h"

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

void ResetPara(ParameterModel& model, const KeyboardDescription& keyboard) {
    for (int n = 1; n <= ControlCount; ++n) {
        ControlRecord& record = model.Record(n);
        const ControlDescription& control = keyboard.Controls[static_cast<std::size_t>(n - 1)];
        record.Value = control.DefaultValue;
        record.DataType = control.DefaultDataType;
        record.Channel = 0;
        record.Disable = 0;
        record.ControlMode = control.DefaultMode;
        record.ParaName.Assign(
            QString::fromLatin1(control.Name.data(), static_cast<qsizetype>(control.Name.size())));
    }
    model.GlobalSettings() = keyboard.DefaultSettings;
}

ParameterModel FactoryModel() {
    ParameterModel model;
    model.SelectedControl = 1;
    ResetPara(model);
    return model;
}
