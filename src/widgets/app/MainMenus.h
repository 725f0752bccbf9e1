#pragma once

class QAction;
class QMenu;
class QMenuBar;
class QObject;

namespace zurval {

// The menu bar of the main window: Файл and Справка with every item, its caption, shortcut
// and objectName. The window connects the commands to the items by name.
struct MainMenus {
    QAction* Menu_Open = nullptr;
    QAction* Menu_Parametr_Bank0 = nullptr;
    QAction* Menu_Parametr_Bank1 = nullptr;
    QMenu* Menu_Export = nullptr; // usable while a recording is shown
    QMenu* Menu_Read = nullptr;   // its Tag mirrors the port of the last ВРЛ-2 read
    QMenu* Menu_Recent = nullptr; // Menu_Recent1 .. Menu_Recent8
};

[[nodiscard]] MainMenus buildMainMenus(QMenuBar* bar);

// The item of the menus with that objectName.
[[nodiscard]] QAction* menuItem(const QObject* window, const char* name);

// Export is usable while a recording is shown, the menu and its items alike.
void setExportEnabled(const MainMenus& menus, bool enabled);

} // namespace zurval
