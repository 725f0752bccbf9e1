#include "widgets/app/Application.h"

#include "core/common/Prompts.h"

#include <exception>

namespace zurval {

void Application::report(const QString& text) {
    if (prompts_)
        prompts_->error(text);
    else
        qWarning("%s", qUtf8Printable(text));
}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        report(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        report(QStringLiteral("Непредвиденная ошибка."));
    }
    return false;
}

} // namespace zurval
