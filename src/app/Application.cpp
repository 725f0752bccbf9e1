#include "Application.h"

#include <QMessageBox>
#include <exception>

namespace zurval {

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        QMessageBox::critical(activeWindow(), QStringLiteral("Ошибка"),
                              QString::fromLocal8Bit(e.what()));
    } catch (...) {
        QMessageBox::critical(activeWindow(), QStringLiteral("Ошибка"),
                              QStringLiteral("Непредвиденная ошибка."));
    }
    return false;
}

} // namespace zurval
