#include "widgets/app/RecentFilesMenu.h"

#include "core/common/Prompts.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>

namespace zurval {

RecentFilesMenu::RecentFilesMenu(QMenu* menu, Prompts& prompts, QObject* parent)
    : QObject(parent), menu_(menu), prompts_(prompts) {
    const QList<QAction*> items = menu_->actions();
    for (int i = 0; i < items.size(); ++i)
        connect(items[i], &QAction::triggered, this, [this, i] { choose(i); });
    show();
}

void RecentFilesMenu::useSettings(QSettings* settings) {
    files_ = RecentFiles(settings);
    show();
}

void RecentFilesMenu::add(const QString& path) {
    files_.add(path);
    show();
}

void RecentFilesMenu::show() {
    const QStringList& files = files_.files();
    const QList<QAction*> items = menu_->actions();
    for (int i = 0; i < items.size(); ++i) {
        items[i]->setVisible(i < files.size());
        items[i]->setText(i < files.size() ? QStringLiteral("&%1 %2").arg(i + 1).arg(files[i])
                                           : QString());
    }
    menu_->menuAction()->setEnabled(!files.isEmpty());
}

void RecentFilesMenu::choose(int index) {
    if (index < 0 || index >= files_.files().size())
        return;
    const QString path = files_.files()[index];
    if (!QFileInfo(path).isFile()) {
        files_.remove(path);
        show();
        prompts_.error(
            QStringLiteral("Файл не найден:\n%1\nОн убран из списка последних файлов.").arg(path));
        return;
    }
    emit openRequested(path);
}

} // namespace zurval
