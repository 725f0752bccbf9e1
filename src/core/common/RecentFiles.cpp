#include "core/common/RecentFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace zurval {
namespace {
const QString kFilesKey = QStringLiteral("recent/files");
const QString kFolderKey = QStringLiteral("recent/folder");
} // namespace

RecentFiles::RecentFiles(QSettings* settings) : settings_(settings) {
    if (!settings_)
        return;
    files_ = settings_->value(kFilesKey).toStringList().mid(0, kCapacity);
    lastFolder_ = settings_->value(kFolderKey).toString();
}

void RecentFiles::add(const QString& path) {
    const QString full = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
    files_.removeAll(full);
    files_.prepend(full);
    while (files_.size() > kCapacity)
        files_.removeLast();
    lastFolder_ = QFileInfo(full).absolutePath();
    save();
}

void RecentFiles::remove(const QString& path) {
    files_.removeAll(path);
    save();
}

void RecentFiles::save() const {
    if (!settings_)
        return;
    settings_->setValue(kFilesKey, files_);
    settings_->setValue(kFolderKey, lastFolder_);
}

} // namespace zurval
