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
// waiting): for reading, or for adding when write. Where there is no archive yet the user is
// asked whether to make one (the user's own is made without a question). nullptr when it
// cannot be used, with the message the user is to be told in *message ("" when the user
// chose not to make one).
[[nodiscard]] std::unique_ptr<FleetArchive> openArchive(const QString& location, bool write,
                                                        Prompts& prompts, QString* message);

// Архив → "База архива...": an SQLite file or a PostgreSQL server's address, empty for the
// user's own archive. "Ok" opens the archive there first; one that cannot be used is told
// and the dialog stays open to mend the address. A password typed into the address serves
// this run only: the address is kept without it, and the user is told where it belongs.
class ArchiveLocationDialog : public QDialog {
    Q_OBJECT
public:
    ArchiveLocationDialog(QWidget* window, Prompts& prompts, const QString& location);

    // The address without a password, as it may be kept.
    [[nodiscard]] QString location() const;
    // The address "Ok" opened, a password typed into it included: for this run only.
    [[nodiscard]] const QString& typedLocation() const { return typed_; }
    // The archive "Ok" opened.
    [[nodiscard]] std::shared_ptr<const FleetArchive> openedArchive() const { return opened_; }

private:
    void Button_ArchiveDbFileClick();
    void Button_ArchiveDbOkClick();

    Prompts& prompts_;
    QLineEdit* Edit_ArchiveDb;
    QString typed_;
    std::shared_ptr<const FleetArchive> opened_;
};

} // namespace zurval
