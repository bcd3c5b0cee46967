#include "cli/ProfileTable.h"

#include "model/Vocabulary.h"

#include <QJsonArray>
#include <QStringList>
#include <array>

namespace {

struct Setting {
    const char* Caption;
    const QStringList& (*Items)();
};

const std::array<Setting, GlobalSettingCount> Settings = {{
    {"ARP MODE", &ArpModeItems},
    {"ARP TIME", &ArpTimeItems},
    {"ARP OCTAVE", &ArpOctaveItems},
    {"SCALE", &ScaleItems},
    {"VELOCITY", &VelocityItems},
    {"REVERB", &ReverbItems},
    {"TRANSPOSE", &TransposeItems},
    {"KEY CHANNEL", &KeyChannelItems},
}};

// The list item an index stands for, or the bare number where it stands for
// none (a damaged profile).
QString ItemOf(const QStringList& items, std::int32_t index) {
    return index >= 0 && index < items.size() ? items[index] : QString::number(index);
}

QString ControlName(int n) {
    const std::string_view name = ControlNames[static_cast<std::size_t>(n - 1)];
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

bool IsButton(int n) {
    return Hbx740.Controls[static_cast<std::size_t>(n - 1)].IsButton;
}

} // namespace

std::vector<ProfileField> ProfileFields(const ParameterModel& model, bool transferredOnly) {
    std::vector<ProfileField> fields;
    for (int n = 1; n <= ControlCount; ++n) {
        const ControlRecord& record = model.Record(n);
        const QString control = ControlName(n);
        const auto add = [&](const char* what, const QString& value) {
            fields.push_back({control + u' ' + QString::fromLatin1(what), value});
        };
        if (!transferredOnly) {
            add("name", record.ParaName.Text());
            add("editor text", record.EditorText.Text());
        }
        add("value", QString::number(record.Value));
        add("type", ItemOf(MessageTypeItems(n), record.DataType));
        add("channel", QString::number(record.Channel));
        add("enabled", record.Disable == 0 ? QStringLiteral("yes") : QStringLiteral("no"));
        if (!transferredOnly || IsButton(n))
            add("button", ItemOf(ButtonModeItems(), record.ControlMode));
        if (!transferredOnly && n > 1) {
            for (std::size_t i = 0; i < record.Settings.size(); ++i)
                add(QStringLiteral("setting %1").arg(i + 1).toLatin1().constData(),
                    QString::number(record.Settings[i]));
        }
    }
    for (std::size_t i = 0; i < Settings.size(); ++i)
        fields.push_back({QString::fromLatin1(Settings[i].Caption),
                          ItemOf(Settings[i].Items(), model.GlobalSettings()[i])});
    return fields;
}

QString ProfileTableText(const ParameterModel& model) {
    // One arg call a line: a name holding "%1" is then printed as it stands.
    const QString line = QStringLiteral("%1 %2 %3 %4 %5 %6 %7");
    QStringList lines;
    lines << line.arg(
        QStringLiteral("CONTROL").leftJustified(14), QStringLiteral("NAME").leftJustified(20),
        QStringLiteral("TYPE").leftJustified(13), QStringLiteral("CHANNEL").leftJustified(7),
        QStringLiteral("VALUE").leftJustified(5), QStringLiteral("ENABLE").leftJustified(6),
        QStringLiteral("BUTTON"));
    for (int n = 1; n <= ControlCount; ++n) {
        const ControlRecord& record = model.Record(n);
        lines << line.arg(ControlName(n).leftJustified(14),
                          record.ParaName.Text().leftJustified(20),
                          ItemOf(MessageTypeItems(n), record.DataType).leftJustified(13),
                          QString::number(record.Channel).leftJustified(7),
                          QString::number(record.Value).leftJustified(5),
                          (record.Disable == 0 ? QStringLiteral("yes") : QStringLiteral("no"))
                              .leftJustified(6),
                          IsButton(n) ? ItemOf(ButtonModeItems(), record.ControlMode)
                                      : QStringLiteral("-"))
                     .trimmed();
    }
    lines << QString();
    for (std::size_t i = 0; i < Settings.size(); ++i)
        lines << QStringLiteral("%1 %2").arg(
            QString::fromLatin1(Settings[i].Caption).leftJustified(12),
            ItemOf(Settings[i].Items(), model.GlobalSettings()[i]));
    return lines.join(u'\n') + u'\n';
}

QJsonObject ProfileJson(const ParameterModel& model) {
    QJsonArray controls;
    for (int n = 1; n <= ControlCount; ++n) {
        const ControlRecord& record = model.Record(n);
        QJsonObject control{{"control", ControlName(n)},
                            {"name", record.ParaName.Text()},
                            {"editorText", record.EditorText.Text()},
                            {"type", record.DataType},
                            {"typeName", ItemOf(MessageTypeItems(n), record.DataType)},
                            {"channel", record.Channel},
                            {"value", record.Value},
                            {"enabled", record.Disable == 0}};
        control.insert("button", IsButton(n) ? QJsonValue(record.ControlMode) : QJsonValue());
        controls.append(control);
    }
    QJsonObject settings;
    for (std::size_t i = 0; i < Settings.size(); ++i)
        settings.insert(
            QString::fromLatin1(Settings[i].Caption),
            QJsonObject{{"index", model.GlobalSettings()[i]},
                        {"text", ItemOf(Settings[i].Items(), model.GlobalSettings()[i])}});
    return {{"controls", controls}, {"settings", settings}};
}
