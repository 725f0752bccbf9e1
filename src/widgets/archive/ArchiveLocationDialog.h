#pragma once

#include <QDialog>
#include <memory>

class QLineEdit;

namespace zurval {

class FleetArchive;
class Prompts;

// The location as the window names it: the user's own archive's file for "", a server's
// address without its password.
[[nodiscard]] QString shownArchiveLocation(const QString& location);
// Opens the archive at location with the busy cursor showing (a server may keep the window
// waiting); nullptr and the message the user is told in *message when it cannot be used.
[[nodiscard]] std::unique_ptr<FleetArchive> openArchive(const QString& location, QString* message);

// Архив → "База архива...": an SQLite file or a PostgreSQL server's address, empty for the
// user's own archive. "Ok" opens the archive there first; one that cannot be used is told
// and the dialog stays open to mend the address.
class ArchiveLocationDialog : public QDialog {
    Q_OBJECT
public:
    ArchiveLocationDialog(QWidget* window, Prompts& prompts, const QString& location);

    [[nodiscard]] QString location() const;
    // The archive "Ok" opened.
    [[nodiscard]] std::shared_ptr<const FleetArchive> openedArchive() const { return opened_; }

private:
    void Button_ArchiveDbFileClick();
    void Button_ArchiveDbOkClick();

    Prompts& prompts_;
    QLineEdit* Edit_ArchiveDb;
    std::shared_ptr<const FleetArchive> opened_;
};

} // namespace zurval
