#pragma once

#include "ui/UserPrompts.h"

#include <QCoreApplication>
#include <QPointer>
#include <QWidget>

// The user prompts as Qt's modal message boxes and file dialogs, owned by the
// main window once it is attached.
class QtUserPrompts : public UserPrompts {
    Q_DECLARE_TR_FUNCTIONS(QtUserPrompts)

public:
    void AttachOwner(QWidget* owner) { Owner = owner; }

    bool Confirm(const QString& text) override;
    bool ConfirmDefaultNo(const QString& text) override;
    void Notice(const QString& text) override;
    void ShowError(const QString& text) override;
    std::optional<QString> OpenFile(const FileDialogRequest& request) override;
    std::optional<QString> SaveFile(const FileDialogRequest& request) override;
    std::optional<DeviceChoice> ChoosePorts(const PortsRequest& request) override;

private:
    QPointer<QWidget> Owner;
};
