#pragma once

#include "ui/UserPrompts.h"

#include <QStringList>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

// Answers the editor's questions from a script and records everything shown.
// An unscripted question is answered No, an unscripted dialog is cancelled.
class FakeUserPrompts : public UserPrompts {
public:
    enum class Kind { Confirm, Notice, Error, OpenFile, SaveFile, Ports };
    struct Shown {
        Kind What;
        QString Text;
        FileDialogRequest Request;
        // A confirmation whose default button is No.
        bool DefaultNo = false;
    };

    std::deque<bool> ConfirmAnswers;
    // The files the dialogs return, in order; an empty text cancels.
    std::deque<QString> FileAnswers;
    // The choices the "MIDI Ports" dialog returns, in order; none cancels.
    std::deque<std::optional<DeviceChoice>> PortAnswers;
    std::vector<PortsRequest> PortRequests;
    std::vector<Shown> Log;
    // Runs while a notice is open, to look at the window behind it.
    std::function<void(const QString&)> WhileNoticeShown;

    bool Confirm(const QString& text) override;
    bool ConfirmDefaultNo(const QString& text) override;
    void Notice(const QString& text) override;
    void ShowError(const QString& text) override;
    std::optional<QString> OpenFile(const FileDialogRequest& request) override;
    std::optional<QString> SaveFile(const FileDialogRequest& request) override;
    std::optional<DeviceChoice> ChoosePorts(const PortsRequest& request) override;

    QStringList Texts(Kind kind) const;
    QStringList Errors() const { return Texts(Kind::Error); }
    QStringList Notices() const { return Texts(Kind::Notice); }
    const Shown* Last(Kind kind) const;

private:
    bool NextAnswer();
    std::optional<QString> NextFile();
};
