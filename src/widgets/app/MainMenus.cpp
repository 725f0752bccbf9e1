#include "widgets/app/MainMenus.h"

#include "core/common/RecentFiles.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QVariant>

namespace zurval {
namespace {

// One line of a menu, top to bottom: an item, a submenu that the next lines fill up to its
// End, or a separator.
struct Line {
    enum Kind { Item, Submenu, End, Separator } kind;
    const char* name;
    const char* caption;
    const char* shortcut;
};

constexpr Line kFileMenu[] = {
    {Line::Item, "Menu_Open", "Открыть...", "Ctrl+O"},
    {Line::Item, "Menu_Clear", "Очистить", "Ctrl+W"},
    {Line::Submenu, "Menu_Print", "Печать", "Ctrl+P"},
    {Line::Item, "M_IK", "Информационная карта", ""},
    {Line::Item, "M_Grf", "График параметров", ""},
    {Line::Item, "M_KZ", "График работы КЗ", ""},
    {Line::Item, "M_CRP", "Схема рабочей площадки", ""},
    {Line::Item, "M_Oper", "Оперативная информация", ""},
    {Line::Item, "M_Per", "Перегрузки", ""},
    {Line::End, "", "", ""},
    {Line::Submenu, "Menu_Export", "Экспорт в CSV", ""},
    {Line::Item, "Menu_ExportFrames", "Кадры...", ""},
    {Line::Item, "Menu_ExportOverloads", "Перегрузки...", ""},
    {Line::End, "", "", ""},
    {Line::Item, "Menu_Summary", "Сводка по папке...", ""},
    {Line::Submenu, "Menu_Archive", "Архив", ""},
    {Line::Item, "Menu_ArchiveAdd", "Добавить в архив", ""},
    {Line::Item, "Menu_ArchiveAddFolder", "Добавить папку...", ""},
    {Line::Item, "Menu_ArchiveAddRead", "Добавлять считанные в архив", ""},
    {Line::Separator, "Menu_R3", "", ""},
    {Line::Item, "Menu_Fleet", "Парк кранов", ""},
    {Line::Item, "Menu_ArchiveDb", "База архива...", ""},
    {Line::End, "", "", ""},
    {Line::Item, "Menu_VRL3", "Считать ГМЕ-3", "Ctrl+E"},
    {Line::Submenu, "Menu_Read", "Считать ГМЕ-2", ""},
    {Line::Item, "Menu_COM1", "COM1", ""},
    {Line::Item, "Menu_COM2", "COM2", ""},
    {Line::End, "", "", ""},
    {Line::Separator, "Menu_R1", "", ""},
    {Line::Submenu, "Menu_Parametr", "Память", ""},
    {Line::Item, "Menu_Parametr_Bank0", "Банк-0", ""},
    {Line::Item, "Menu_Parametr_Bank1", "Банк-1", ""},
    {Line::End, "", "", ""},
    {Line::Separator, "Menu_R2", "", ""},
    {Line::Submenu, "Menu_Recent", "Последние файлы", ""},
    {Line::End, "", "", ""},
    {Line::Item, "Menu_Exit", "Выход", "Ctrl+Q"},
};

constexpr Line kHelpMenu[] = {
    {Line::Item, "M_Help", "Справка", "F1"},
    {Line::Item, "M_About", "О программе...", ""},
};

template <std::size_t N> void fill(QMenu* top, const Line (&lines)[N]) {
    QMenu* menu = top;
    for (const Line& line : lines) {
        switch (line.kind) {
        case Line::Item: {
            QAction* item = menu->addAction(QString::fromUtf8(line.caption));
            item->setObjectName(QString::fromLatin1(line.name));
            if (*line.shortcut)
                item->setShortcut(QKeySequence(QString::fromLatin1(line.shortcut)));
            break;
        }
        case Line::Submenu:
            menu = top->addMenu(QString::fromUtf8(line.caption));
            menu->setObjectName(QString::fromLatin1(line.name));
            if (*line.shortcut)
                menu->menuAction()->setShortcut(QKeySequence(QString::fromLatin1(line.shortcut)));
            break;
        case Line::End:
            menu = top;
            break;
        case Line::Separator:
            menu->addSeparator()->setObjectName(QString::fromLatin1(line.name));
            break;
        }
    }
}

} // namespace

MainMenus buildMainMenus(QMenuBar* bar) {
    QMenu* file = bar->addMenu(QStringLiteral("Файл"));
    file->setObjectName("Menu_File");
    fill(file, kFileMenu);
    QMenu* help = bar->addMenu(QStringLiteral("Справка"));
    help->setObjectName("N1");
    fill(help, kHelpMenu);

    MainMenus menus;
    menus.Menu_Open = menuItem(bar, "Menu_Open");
    menus.Menu_Parametr_Bank0 = menuItem(bar, "Menu_Parametr_Bank0");
    menus.Menu_Parametr_Bank1 = menuItem(bar, "Menu_Parametr_Bank1");
    menus.Menu_Export = bar->findChild<QMenu*>("Menu_Export");
    menus.Menu_Read = bar->findChild<QMenu*>("Menu_Read");
    menus.Menu_Recent = bar->findChild<QMenu*>("Menu_Recent");
    // The Tags the state dump shows: the loaded mark, the port of a read, and the report
    // items' 0, which nothing changes any more.
    for (const char* name : {"Menu_Open", "M_IK", "M_CRP", "M_Oper", "M_Per"})
        menuItem(bar, name)->setProperty("Tag", 0);
    menus.Menu_Read->setProperty("Tag", 0);
    // The marks show the bank displayed; only the commands move them.
    menus.Menu_Parametr_Bank0->setCheckable(true);
    menus.Menu_Parametr_Bank1->setCheckable(true);
    for (int i = 0; i < RecentFiles::kCapacity; ++i)
        menus.Menu_Recent->addAction(QString())->setObjectName(
            QStringLiteral("Menu_Recent%1").arg(i + 1));
    return menus;
}

QAction* menuItem(const QObject* window, const char* name) {
    return window->findChild<QAction*>(QString::fromLatin1(name));
}

void setExportEnabled(const MainMenus& menus, bool enabled) {
    menus.Menu_Export->menuAction()->setEnabled(enabled);
    for (QAction* item : menus.Menu_Export->actions())
        item->setEnabled(enabled);
}

} // namespace zurval
