#include "widgets/archive/ArchiveLocationDialog.h"

#include "core/archive/ArchiveDatabase.h"
#include "core/archive/FleetArchive.h"
#include "core/common/Prompts.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zurval {
namespace {

QPushButton* button(const char* name, const QString& caption) {
    auto* b = new QPushButton(caption);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

} // namespace

QString shownArchiveLocation(const QString& location) {
    if (isServerAddress(location))
        return withoutPassword(location);
    return QDir::toNativeSeparators(location.isEmpty() ? FleetArchive::defaultLocation()
                                                       : location);
}

std::unique_ptr<FleetArchive> openArchive(const QString& location, bool write, Prompts& prompts,
                                          QString* message) {
    // The window's own archive is made without a question, even to be looked at.
    const ArchiveAccess access = location.isEmpty() ? ArchiveAccess::Create
                                 : write            ? ArchiveAccess::Write
                                                    : ArchiveAccess::Read;
    ArchiveOpening opening;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    std::unique_ptr<FleetArchive> archive = FleetArchive::open(location, access, &opening);
    QApplication::restoreOverrideCursor();
    // Making an archive, or bringing one of an earlier version of the program up to date, is
    // a write to a database that only was to be read: the user says so first.
    const bool none = opening.problem == ArchiveProblem::NoArchive;
    if (!archive && (none || opening.problem == ArchiveProblem::Outdated)) {
        message->clear();
        const QString question =
            none ? QStringLiteral("%1: архива здесь нет.\nСоздать новый архив?")
                 : QStringLiteral("%1: архив прежней версии программы.\nОбновить его? Прежняя "
                                  "версия программы его затем не откроет.");
        if (!prompts.confirm(question.arg(shownArchiveLocation(location))))
            return nullptr;
        QApplication::setOverrideCursor(Qt::WaitCursor);
        archive = FleetArchive::open(location, none ? ArchiveAccess::Create : ArchiveAccess::Write,
                                     &opening);
        QApplication::restoreOverrideCursor();
    }
    if (!archive)
        *message = QStringLiteral("Архив %1 не открывается:\n%2")
                       .arg(shownArchiveLocation(location), opening.error);
    return archive;
}

ArchiveLocationDialog::ArchiveLocationDialog(QWidget* window, Prompts& prompts,
                                             const QString& location)
    : QDialog(window), prompts_(prompts) {
    setObjectName("Form_ArchiveDb");
    setWindowTitle(QStringLiteral("База архива"));

    auto* hint = new QLabel(
        QStringLiteral("Файл архива или адрес сервера PostgreSQL:\n"
                       "postgresql://ПОЛЬЗОВАТЕЛЬ@СЕРВЕР[:ПОРТ]/БАЗА[?sslmode=verify-full&...]\n"
                       "Пароль здесь не хранится: его место — ~/.pgpass, PGPASSFILE,\n"
                       "PGPASSWORD или файл служб (?service=ИМЯ).\n"
                       "Пустая строка — свой архив: %1")
            .arg(shownArchiveLocation(QString())));
    hint->setObjectName("Label_ArchiveDb");
    hint->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Edit_ArchiveDb = new QLineEdit(withoutPassword(location));
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
    return withoutPassword(Edit_ArchiveDb->text().trimmed());
}

void ArchiveLocationDialog::Button_ArchiveDbFileClick() {
    const QString shown = isServerAddress(location()) ? QString() : location();
    const QString chosen = prompts_.openFileName(
        {QStringLiteral("База архива"),
         QFileInfo(shown.isEmpty() ? FleetArchive::defaultLocation() : shown).path(),
         {QStringLiteral("Архив (*.sqlite)"), QStringLiteral("Все файлы (*)")},
         QString()});
    if (!chosen.isEmpty())
        Edit_ArchiveDb->setText(chosen);
}

void ArchiveLocationDialog::Button_ArchiveDbOkClick() {
    const QString typed = Edit_ArchiveDb->text().trimmed();
    QString message;
    opened_ = openArchive(typed, false, prompts_, &message);
    if (!opened_) {
        if (!message.isEmpty())
            prompts_.error(message);
        return;
    }
    typed_ = typed;
    if (location() != typed) {
        Edit_ArchiveDb->setText(location());
        prompts_.information(
            QStringLiteral("Пароль служит только до выхода из программы и в настройках не "
                           "хранится.\nЕго место — файл ~/.pgpass (или PGPASSFILE), переменная "
                           "PGPASSWORD или файл служб PostgreSQL."));
    }
    accept();
}

} // namespace zurval
