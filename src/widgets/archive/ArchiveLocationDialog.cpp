#include "widgets/archive/ArchiveLocationDialog.h"

#include "core/archive/FleetArchive.h"
#include "core/common/Prompts.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace zurval {
namespace {

const QString kServerScheme = QStringLiteral("postgresql://");

QPushButton* button(const char* name, const QString& caption) {
    auto* b = new QPushButton(caption);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

} // namespace

QString shownArchiveLocation(const QString& location) {
    if (location.startsWith(kServerScheme))
        return QUrl(location).toString(QUrl::RemovePassword);
    return QDir::toNativeSeparators(location.isEmpty() ? FleetArchive::defaultLocation()
                                                       : location);
}

std::unique_ptr<FleetArchive> openArchive(const QString& location, QString* message) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QString error;
    std::unique_ptr<FleetArchive> archive = FleetArchive::open(location, &error);
    QApplication::restoreOverrideCursor();
    if (!archive)
        *message = QStringLiteral("Архив %1 не открывается:\n%2")
                       .arg(shownArchiveLocation(location), error);
    return archive;
}

ArchiveLocationDialog::ArchiveLocationDialog(QWidget* window, Prompts& prompts,
                                             const QString& location)
    : QDialog(window), prompts_(prompts) {
    setObjectName("Form_ArchiveDb");
    setWindowTitle(QStringLiteral("База архива"));

    auto* hint = new QLabel(QStringLiteral("Файл архива или адрес сервера PostgreSQL:\n"
                                           "postgresql://ПОЛЬЗОВАТЕЛЬ@СЕРВЕР[:ПОРТ]/БАЗА\n"
                                           "Пустая строка — свой архив: %1")
                                .arg(shownArchiveLocation(QString())));
    hint->setObjectName("Label_ArchiveDb");
    hint->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Edit_ArchiveDb = new QLineEdit(location);
    Edit_ArchiveDb->setObjectName("Edit_ArchiveDb");
    Edit_ArchiveDb->setMinimumWidth(420);
    QPushButton* file = button("Button_ArchiveDbFile", QStringLiteral("Файл..."));
    QPushButton* ok = button("Button_ArchiveDbOk", QStringLiteral("Ok"));
    QPushButton* cancel = button("Button_ArchiveDbCancel", QStringLiteral("Отмена"));
    ok->setDefault(true);
    connect(file, &QPushButton::clicked, this, &ArchiveLocationDialog::Button_ArchiveDbFileClick);
    connect(ok, &QPushButton::clicked, this, &ArchiveLocationDialog::Button_ArchiveDbOkClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* line = new QHBoxLayout;
    line->addWidget(Edit_ArchiveDb, 1);
    line->addWidget(file);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* column = new QVBoxLayout(this);
    column->addWidget(hint);
    column->addLayout(line);
    column->addSpacing(8);
    column->addLayout(buttons);
}

QString ArchiveLocationDialog::location() const {
    return Edit_ArchiveDb->text().trimmed();
}

void ArchiveLocationDialog::Button_ArchiveDbFileClick() {
    const QString shown = location().startsWith(kServerScheme) ? QString() : location();
    const QString chosen = prompts_.openFileName(
        {QStringLiteral("База архива"),
         QFileInfo(shown.isEmpty() ? FleetArchive::defaultLocation() : shown).path(),
         {QStringLiteral("Архив (*.sqlite)"), QStringLiteral("Все файлы (*)")},
         QString()});
    if (!chosen.isEmpty())
        Edit_ArchiveDb->setText(chosen);
}

void ArchiveLocationDialog::Button_ArchiveDbOkClick() {
    QString message;
    opened_ = openArchive(location(), &message);
    if (!opened_) {
        prompts_.error(message);
        return;
    }
    accept();
}

} // namespace zurval
