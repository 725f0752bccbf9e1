#include "widgets/app/QtPrompts.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <algorithm>

namespace zurval {
namespace {
const QString kTitle = QStringLiteral("Анализ РП ЗУРВАЛ");

SaveAnswer runFileDialog(QWidget* parent, const FileDialogRequest& request, bool save) {
    QFileDialog dialog(parent, request.title,
                       QDir(request.folder).exists() ? request.folder : QDir::currentPath());
    dialog.setNameFilters(request.filters);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return {QDir::toNativeSeparators(dialog.selectedFiles().first()),
            static_cast<int>(
                std::max<qsizetype>(request.filters.indexOf(dialog.selectedNameFilter()), 0))};
}
} // namespace

void QtPrompts::message(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, kTitle, text, QMessageBox::Ok, parent_);
    box.exec();
}

void QtPrompts::error(const QString& text) {
    QMessageBox::critical(parent_, QStringLiteral("Ошибка"), text);
}

void QtPrompts::information(const QString& text) {
    QMessageBox::information(parent_, QStringLiteral("Информация"), text);
}

bool QtPrompts::confirm(const QString& text) {
    return QMessageBox::information(parent_, QStringLiteral("Подтверждение"), text,
                                    QMessageBox::Ok | QMessageBox::Cancel,
                                    QMessageBox::Ok) == QMessageBox::Ok;
}

QString QtPrompts::openFileName(const FileDialogRequest& request) {
    return runFileDialog(parent_, request, false).path;
}

SaveAnswer QtPrompts::saveFile(const FileDialogRequest& request) {
    return runFileDialog(parent_, request, true);
}

QString QtPrompts::existingFolder(const QString& title, const QString& folder) {
    const QString chosen = QFileDialog::getExistingDirectory(
        parent_, title, QDir(folder).exists() ? folder : QDir::currentPath());
    return chosen.isEmpty() ? QString() : QDir::toNativeSeparators(chosen);
}

} // namespace zurval
