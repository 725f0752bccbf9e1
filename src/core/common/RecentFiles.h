#pragma once

#include <QString>
#include <QStringList>

class QSettings;

namespace zurval {

// The files opened or saved last, newest first, and the folder of the newest one. Kept in
// the settings when there are any, else for this run only (the headless commands).
class RecentFiles {
public:
    static constexpr int kCapacity = 8;

    explicit RecentFiles(QSettings* settings = nullptr);

    [[nodiscard]] const QStringList& files() const { return files_; }
    [[nodiscard]] QString lastFolder() const { return lastFolder_; }
    // Puts path at the front (once), drops the oldest beyond the capacity.
    void add(const QString& path);
    void remove(const QString& path);

private:
    void save() const;

    QSettings* settings_;
    QStringList files_;
    QString lastFolder_;
};

} // namespace zurval
