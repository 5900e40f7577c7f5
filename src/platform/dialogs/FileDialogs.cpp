#include "platform/dialogs/FileDialogs.h"

#include <QApplication>
#include <QFileDialog>

QStringList QtFileDialogs::chooseFiles(const Request &request)
{
    QFileDialog dialog(QApplication::activeWindow(), request.title, request.folder);
    dialog.setNameFilters(request.nameFilters);
    if (!request.nameFilters.isEmpty())
        dialog.selectNameFilter(request.nameFilters.first());
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (request.kind == Kind::Save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(request.multipleFiles ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    }
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles();
}

QString QtFileDialogs::chooseFolder(const QString &title)
{
    return QFileDialog::getExistingDirectory(QApplication::activeWindow(), title);
}
