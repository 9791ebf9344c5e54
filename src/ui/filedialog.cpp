#include "filedialog.h"

#include <QFileDialog>
#include <QGuiApplication>
#include <QPointer>
#include <QTimer>
#include <QWindow>

namespace {

std::optional<QString> run(QFileDialog& dialog)
{
    // The window that asked, normally the panel: the dialog belongs to it and stays above it.
    const QPointer<QWindow> owner = QGuiApplication::focusWindow();
    dialog.setWindowFlag(Qt::WindowStaysOnTopHint);
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.winId();
    if (owner && dialog.windowHandle())
        dialog.windowHandle()->setTransientParent(owner);
    // Once shown: to the front, even when another program had the focus.
    QTimer::singleShot(0, &dialog, [&dialog] {
        dialog.raise();
        dialog.activateWindow();
    });
    const bool confirmed = dialog.exec() == QDialog::Accepted;
    if (owner) {
        owner->show();
        owner->raise();
        owner->requestActivate();
    }
    const QStringList chosen = dialog.selectedFiles();
    if (!confirmed || chosen.isEmpty() || chosen.constFirst().isEmpty())
        return std::nullopt;
    return chosen.constFirst();
}

} // namespace

std::optional<QString> FileDialog::choose(const Request& request)
{
    QFileDialog dialog(nullptr, request.title);
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.choosesFolder ? QFileDialog::Directory
            : request.save                   ? QFileDialog::AnyFile
                                             : QFileDialog::ExistingFile);
    if (request.choosesFolder)
        dialog.setOption(QFileDialog::ShowDirsOnly);
    else
        dialog.setNameFilter(request.nameFilter);
    if (!request.folder.isEmpty())
        dialog.setDirectory(request.folder);
    if (!request.proposedName.isEmpty())
        dialog.selectFile(request.proposedName);
    return run(dialog);
}
