#include "ui/QtUserPrompts.h"

#include "ui/PortsDialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace {

const QString ApplicationTitle = QStringLiteral("HBX740");

QString NameFilter(const FileFilter& filter) {
    // "*.*" means every file to Windows users; here it would hide the files
    // without an extension.
    const QString pattern =
        filter.Pattern == QStringLiteral("*.*") ? QStringLiteral("*") : filter.Pattern;
    return QStringLiteral("%1 (%2)").arg(filter.Name, pattern);
}

QStringList NameFilters(const FileDialogRequest& request) {
    QStringList filters{NameFilter({request.FilterName, request.FilterPattern})};
    for (const FileFilter& filter : request.MoreFilters)
        filters << NameFilter(filter);
    return filters;
}

std::optional<QString> RunFileDialog(QWidget* owner, const FileDialogRequest& request,
                                     QFileDialog::AcceptMode mode) {
    QFileDialog dialog(owner, request.Title);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setNameFilters(NameFilters(request));
    const QFileInfo initial(request.FileName);
    const bool hasFolder = request.FileName.contains(u'/');
    dialog.setDirectory(hasFolder ? initial.absolutePath() : request.Folder);
    if (!initial.fileName().contains(u'*'))
        dialog.selectFile(initial.fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

// The texts begin and end with blanks that belong to them; plain text keeps
// them and never reads a text as markup.
int ShowBox(QWidget* owner, QMessageBox::Icon icon, const QString& title, const QString& text,
            QMessageBox::StandardButtons buttons, QMessageBox::StandardButton preset) {
    QMessageBox box(icon, title, text, buttons, owner);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(preset);
    return box.exec();
}

} // namespace

bool QtUserPrompts::Confirm(const QString& text) {
    return ShowBox(Owner, QMessageBox::NoIcon, tr("Hint"), text, QMessageBox::Yes | QMessageBox::No,
                   QMessageBox::Yes) == QMessageBox::Yes;
}

bool QtUserPrompts::ConfirmDefaultNo(const QString& text) {
    return ShowBox(Owner, QMessageBox::NoIcon, tr("Hint"), text, QMessageBox::Yes | QMessageBox::No,
                   QMessageBox::No) == QMessageBox::Yes;
}

void QtUserPrompts::Notice(const QString& text) {
    ShowBox(Owner, QMessageBox::NoIcon, ApplicationTitle, text, QMessageBox::Ok, QMessageBox::Ok);
}

void QtUserPrompts::ShowError(const QString& text) {
    ShowBox(Owner, QMessageBox::Critical, ApplicationTitle, text, QMessageBox::Ok, QMessageBox::Ok);
}

std::optional<QString> QtUserPrompts::OpenFile(const FileDialogRequest& request) {
    return RunFileDialog(Owner, request, QFileDialog::AcceptOpen);
}

std::optional<QString> QtUserPrompts::SaveFile(const FileDialogRequest& request) {
    return RunFileDialog(Owner, request, QFileDialog::AcceptSave);
}

std::optional<DeviceChoice> QtUserPrompts::ChoosePorts(const PortsRequest& request) {
    PortsDialog dialog(request, Owner);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Choice();
}
