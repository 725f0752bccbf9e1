#pragma once

#include "core/common/RecentFiles.h"

#include <QObject>

class QMenu;
class QSettings;

namespace zurval {

class Prompts;

// "Последние файлы": the files opened or saved last, newest first, one item each. Choosing
// one that is gone takes it off the list with a message instead of opening it.
class RecentFilesMenu : public QObject {
    Q_OBJECT
public:
    RecentFilesMenu(QMenu* menu, Prompts& prompts, QObject* parent);

    // Kept in settings from now on (nullptr: for this run only).
    void useSettings(QSettings* settings);
    void add(const QString& path);
    [[nodiscard]] const RecentFiles& files() const { return files_; }

signals:
    void openRequested(const QString& path);

private:
    void show();
    void choose(int index);

    QMenu* menu_;
    Prompts& prompts_;
    RecentFiles files_;
};

} // namespace zurval
