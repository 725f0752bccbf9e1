#include "QtPrompts.h"

#include <QMessageBox>

namespace zurval {
namespace {
const QString kTitle = QStringLiteral("Анализ РП ЗУРВАЛ");
}

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

} // namespace zurval
