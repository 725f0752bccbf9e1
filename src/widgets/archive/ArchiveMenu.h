#pragma once

#include <QObject>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QSettings;
class QWidget;

namespace zurval {

class AddingJob;
struct ArchivedReadingToOpen;
class FleetArchive;
class FleetArchiveWindow;
class Prompts;

// Файл → Архив: the recordings added to the fleet archive, the window "Парк кранов" and the
// choice of the archive's database. The archive is opened when a command first needs it.
// Adding runs on a worker thread, so the window goes on taking commands, and ends with one
// message: how many were added, how many were there already, which were refused and why.
class ArchiveMenu : public QObject {
    Q_OBJECT
public:
    // The menu items are window's, found by their names.
    ArchiveMenu(QWidget* window, Prompts& prompts);
    ~ArchiveMenu() override;

    // The database and "Добавлять считанные в архив" are kept in settings from now on
    // (nullptr: for this run only).
    void useSettings(QSettings* settings);
    // The database for this run only, over the one kept in the settings: a file, a
    // postgresql:// address, or "" for the user's own archive.
    void useLocation(const QString& location);
    [[nodiscard]] const QString& location() const { return location_; }
    // Where the folder dialog starts.
    void setStartFolder(std::function<QString()> folder) { startFolder_ = std::move(folder); }

    // The recording the window shows ("" when none): what "Добавить в архив" adds.
    void setShownFile(const QString& path);
    // A recording saved from a device, added when "Добавлять считанные в архив" is checked.
    void recordingSaved(const QString& path);

    void Menu_ArchiveAddClick();
    void Menu_ArchiveAddFolderClick();
    void Menu_FleetClick();
    void Menu_ArchiveDbClick();

    // Where a reading of the crane window goes: the main window opens it.
    void setReadingOpener(std::function<void(const ArchivedReadingToOpen&)> opener) {
        opener_ = std::move(opener);
    }

    // Blocks until every adding started has ended and told its outcome.
    void waitUntilAdded();
    // The window "Парк кранов" once it has been opened; nullptr before.
    [[nodiscard]] FleetArchiveWindow* fleetWindow() const { return fleetWindow_; }

private:
    [[nodiscard]] std::shared_ptr<const FleetArchive> archive();
    void add(const QStringList& paths, const QString& folder);
    void addingEnded(AddingJob* job);

    QWidget* window_;
    Prompts& prompts_;
    QSettings* settings_ = nullptr;
    QString location_;  // as kept and shown: without a password
    QString connectTo_; // as typed for this run
    std::function<QString()> startFolder_;
    QString shownFile_;
    QAction* Menu_ArchiveAdd;
    QAction* Menu_ArchiveAddRead;
    std::shared_ptr<const FleetArchive> archive_;
    std::vector<std::unique_ptr<AddingJob>> jobs_;
    std::vector<std::unique_ptr<AddingJob>> ended_;
    FleetArchiveWindow* fleetWindow_ = nullptr;
    std::function<void(const ArchivedReadingToOpen&)> opener_;
};

} // namespace zurval
