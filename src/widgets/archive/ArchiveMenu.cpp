#include "widgets/archive/ArchiveMenu.h"

#include "core/archive/ArchiveDatabase.h"
#include "core/archive/FleetArchive.h"
#include "core/common/Prompts.h"
#include "widgets/archive/ArchiveLocationDialog.h"
#include "widgets/archive/FleetArchiveWindow.h"
#include "widgets/fleet/FleetJobRunner.h"

#include <QAction>
#include <QDir>
#include <QPointer>
#include <QProgressDialog>
#include <QSettings>
#include <QWidget>
#include <vector>

namespace zurval {
namespace {

const QString kLocationKey = QStringLiteral("archive/location");
const QString kAddReadKey = QStringLiteral("archive/addRead");
constexpr int kListedRefusals = 10; // a message box has room for no more

// "Добавлено в архив: 3", then the files already there and those refused with their
// reasons, paths under folder told relative to it.
QString addedText(const AddResult& r, const QString& folder) {
    QStringList lines;
    if (r.cancelled)
        lines << QStringLiteral("Добавление прервано.");
    lines << QStringLiteral("Добавлено в архив: %1").arg(r.added)
          << QStringLiteral("Уже были в архиве: %1").arg(r.known);
    if (!r.refused.empty()) {
        lines << QStringLiteral("Не добавлены: %1").arg(r.refused.size());
        for (std::size_t i = 0; i < r.refused.size() && i < kListedRefusals; ++i) {
            const QString& path = r.refused[i].path;
            const QString name = folder.isEmpty() ? path : QDir(folder).relativeFilePath(path);
            lines << QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(name),
                                                  r.refused[i].reason);
        }
        if (r.refused.size() > kListedRefusals)
            lines << QStringLiteral("и ещё %1").arg(r.refused.size() - kListedRefusals);
    }
    if (!r.error.isEmpty())
        lines << QStringLiteral("Архив недоступен: %1").arg(r.error);
    return lines.join('\n');
}

} // namespace

// One adding on its worker thread, with a progress dialog for a folder.
class AddingJob {
public:
    AddingJob(std::shared_ptr<const FleetArchive> archive, const QStringList& paths, QString folder)
        : archive_(std::move(archive)), adding_(std::make_shared<ArchiveAdding>(*archive_, paths)),
          folder_(std::move(folder)) {}
    ~AddingJob() {
        runner_.stop();
        delete progress_;
    }
    AddingJob(const AddingJob&) = delete;
    AddingJob& operator=(const AddingJob&) = delete;

    void showProgress(QWidget* window) {
        progress_ = new QProgressDialog(
            QStringLiteral("Добавление в архив:\n%1").arg(QDir::toNativeSeparators(folder_)),
            QStringLiteral("Прервать"), 0, 0, window);
        progress_->setObjectName("ProgressDialog_Archive");
        progress_->setWindowTitle(QStringLiteral("Архив"));
        progress_->setMinimumDuration(0);
        progress_->setAutoReset(false);
        QObject::connect(progress_, &QProgressDialog::canceled, &runner_, &FleetJobRunner::cancel);
        QObject::connect(&runner_, &FleetJobRunner::progress, progress_,
                         [this](int done, int total) {
                             if (total < 0 || !progress_)
                                 return;
                             progress_->setMaximum(std::max(total, 1));
                             progress_->setValue(done);
                         });
        progress_->show();
    }

    [[nodiscard]] FleetJobRunner& runner() { return runner_; }
    void closeProgress() { delete progress_; }
    void start() { runner_.start(adding_); }
    [[nodiscard]] QString message() const { return addedText(adding_->result(), folder_); }
    [[nodiscard]] bool failed() const { return !adding_->result().error.isEmpty(); }

private:
    std::shared_ptr<const FleetArchive> archive_;
    std::shared_ptr<ArchiveAdding> adding_;
    QString folder_;
    FleetJobRunner runner_;
    QPointer<QProgressDialog> progress_; // a child of the window, which may go first
};

ArchiveMenu::ArchiveMenu(QWidget* window, Prompts& prompts)
    : QObject(window), window_(window), prompts_(prompts) {
    auto item = [window](const char* name) {
        return window->findChild<QAction*>(QString::fromLatin1(name));
    };
    Menu_ArchiveAdd = item("Menu_ArchiveAdd");
    Menu_ArchiveAddRead = item("Menu_ArchiveAddRead");
    Menu_ArchiveAddRead->setCheckable(true);
    connect(Menu_ArchiveAdd, &QAction::triggered, this, &ArchiveMenu::Menu_ArchiveAddClick);
    connect(item("Menu_ArchiveAddFolder"), &QAction::triggered, this,
            &ArchiveMenu::Menu_ArchiveAddFolderClick);
    connect(item("Menu_Fleet"), &QAction::triggered, this, &ArchiveMenu::Menu_FleetClick);
    connect(item("Menu_ArchiveDb"), &QAction::triggered, this, &ArchiveMenu::Menu_ArchiveDbClick);
    connect(Menu_ArchiveAddRead, &QAction::toggled, this, [this](bool on) {
        if (settings_)
            settings_->setValue(kAddReadKey, on);
    });
    setShownFile(QString());
}

ArchiveMenu::~ArchiveMenu() = default;

void ArchiveMenu::useSettings(QSettings* settings) {
    settings_ = settings;
    if (!settings)
        return;
    // Earlier versions kept a password typed into the address: it goes now.
    const QString kept = settings->value(kLocationKey).toString();
    if (withoutPassword(kept) != kept)
        settings->setValue(kLocationKey, withoutPassword(kept));
    useLocation(withoutPassword(kept));
    Menu_ArchiveAddRead->setChecked(settings->value(kAddReadKey, false).toBool());
}

void ArchiveMenu::useLocation(const QString& location) {
    if (location == location_ && location == connectTo_)
        return;
    location_ = withoutPassword(location);
    connectTo_ = location;
    archive_.reset();
}

void ArchiveMenu::setShownFile(const QString& path) {
    shownFile_ = path;
    Menu_ArchiveAdd->setEnabled(!path.isEmpty());
}

void ArchiveMenu::recordingSaved(const QString& path) {
    if (!path.isEmpty() && Menu_ArchiveAddRead->isChecked())
        add({path}, QString());
}

void ArchiveMenu::Menu_ArchiveAddClick() {
    if (!shownFile_.isEmpty())
        add({shownFile_}, QString());
}

void ArchiveMenu::Menu_ArchiveAddFolderClick() {
    const QString folder = prompts_.existingFolder(QStringLiteral("Добавить папку в архив"),
                                                   startFolder_ ? startFolder_() : QString());
    if (!folder.isEmpty())
        add({folder}, folder);
}

void ArchiveMenu::Menu_FleetClick() {
    const std::shared_ptr<const FleetArchive> opened = archive();
    if (!opened)
        return;
    if (!fleetWindow_) {
        fleetWindow_ = new FleetArchiveWindow(prompts_, window_);
        fleetWindow_->setReadingOpener(opener_);
    }
    fleetWindow_->show();
    fleetWindow_->raise();
    fleetWindow_->showArchive(opened);
}

void ArchiveMenu::Menu_ArchiveDbClick() {
    ArchiveLocationDialog dialog(window_, prompts_, location_);
    if (dialog.exec() != QDialog::Accepted)
        return;
    useLocation(dialog.typedLocation());
    archive_ = dialog.openedArchive();
    if (settings_)
        settings_->setValue(kLocationKey, location_);
    if (fleetWindow_ && fleetWindow_->isVisible())
        fleetWindow_->showArchive(archive_);
}

std::shared_ptr<const FleetArchive> ArchiveMenu::archive() {
    if (!archive_) {
        QString message;
        archive_ = openArchive(connectTo_, false, prompts_, &message);
        if (!archive_ && !message.isEmpty())
            prompts_.error(message);
    }
    return archive_;
}

void ArchiveMenu::add(const QStringList& paths, const QString& folder) {
    // Opened for writing each time: an older archive is brought up to date first.
    QString message;
    const std::shared_ptr<const FleetArchive> opened =
        openArchive(connectTo_, true, prompts_, &message);
    if (!opened) {
        if (!message.isEmpty())
            prompts_.error(message);
        return;
    }
    ended_.clear();
    auto job = std::make_unique<AddingJob>(opened, paths, folder);
    AddingJob* running = job.get();
    connect(&running->runner(), &FleetJobRunner::finished, this,
            [this, running] { addingEnded(running); });
    if (!folder.isEmpty())
        running->showProgress(window_);
    jobs_.push_back(std::move(job));
    running->start();
}

void ArchiveMenu::waitUntilAdded() {
    while (!jobs_.empty())
        jobs_.front()->runner().wait();
}

void ArchiveMenu::addingEnded(AddingJob* job) {
    const auto it =
        std::find_if(jobs_.begin(), jobs_.end(),
                     [job](const std::unique_ptr<AddingJob>& j) { return j.get() == job; });
    if (it == jobs_.end())
        return;
    const bool failed = job->failed();
    const QString message = job->message();
    // Its progress window goes before the outcome is told; the job itself only at the next
    // adding, as its runner is still telling the end.
    (*it)->closeProgress();
    ended_.push_back(std::move(*it));
    jobs_.erase(it);
    if (fleetWindow_ && fleetWindow_->isVisible())
        fleetWindow_->refresh();
    if (failed)
        prompts_.error(message);
    else
        prompts_.information(message);
}

} // namespace zurval
