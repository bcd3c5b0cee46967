#include "FakeUserPrompts.h"

bool FakeUserPrompts::Confirm(const QString& text) {
    Log.push_back({Kind::Confirm, text, {}});
    return NextAnswer();
}

bool FakeUserPrompts::ConfirmDefaultNo(const QString& text) {
    Log.push_back({Kind::Confirm, text, {}, true});
    return NextAnswer();
}

bool FakeUserPrompts::NextAnswer() {
    if (ConfirmAnswers.empty())
        return false;
    const bool answer = ConfirmAnswers.front();
    ConfirmAnswers.pop_front();
    return answer;
}

void FakeUserPrompts::Notice(const QString& text) {
    Log.push_back({Kind::Notice, text, {}});
    if (WhileNoticeShown)
        WhileNoticeShown(text);
}

void FakeUserPrompts::ShowError(const QString& text) {
    Log.push_back({Kind::Error, text, {}});
}

std::optional<QString> FakeUserPrompts::OpenFile(const FileDialogRequest& request) {
    Log.push_back({Kind::OpenFile, {}, request});
    return NextFile();
}

std::optional<QString> FakeUserPrompts::SaveFile(const FileDialogRequest& request) {
    Log.push_back({Kind::SaveFile, {}, request});
    return NextFile();
}

std::optional<DeviceChoice> FakeUserPrompts::ChoosePorts(const PortsRequest& request) {
    Log.push_back({Kind::Ports, request.Why, {}});
    PortRequests.push_back(request);
    if (PortAnswers.empty())
        return std::nullopt;
    const std::optional<DeviceChoice> answer = PortAnswers.front();
    PortAnswers.pop_front();
    return answer;
}

std::optional<QString> FakeUserPrompts::NextFile() {
    if (FileAnswers.empty())
        return std::nullopt;
    const QString answer = FileAnswers.front();
    FileAnswers.pop_front();
    if (answer.isEmpty())
        return std::nullopt;
    return answer;
}

QStringList FakeUserPrompts::Texts(Kind kind) const {
    QStringList texts;
    for (const Shown& shown : Log) {
        if (shown.What == kind)
            texts << shown.Text;
    }
    return texts;
}

const FakeUserPrompts::Shown* FakeUserPrompts::Last(Kind kind) const {
    for (auto it = Log.rbegin(); it != Log.rend(); ++it) {
        if (it->What == kind)
            return &*it;
    }
    return nullptr;
}
