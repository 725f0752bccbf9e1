#include "widgets/archive/ArchiveMenu.h"

#include "core/archive/FleetArchive.h"
#include "core/common/Prompts.h"
#include "widgets/archive/ArchiveLocationDialog.h"
#include "widgets/archive/FleetArchiveWindow.h"

#include <QAction>
#include <QDir>
#include <QPointer>
#include <QProgressDialog>
#include <QSettings>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <vector>

namespace zurval {
namespace {

const QString kLocationKey = QStringLiteral("archive/location");
const QString kAddReadKey = QStringLiteral("archive/addRead");
constexpr int kProgressMilliseconds = 100;
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
        : archive_(std::move(archive)), adding_(*archive_, paths), folder_(std::move(folder)) {
        thread_ = QThread::create([this] { adding_.run(); });
    }
    ~AddingJob() {
        adding_.cancel();
        thread_->wait();
        delete thread_;
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
        QObject::connect(progress_, &QProgressDialog::canceled, [this] { adding_.cancel(); });
        auto* timer = new QTimer(progress_);
        QObject::connect(timer, &QTimer::timeout, [this] {
            if (adding_.total() < 0)
                return;
            progress_->setMaximum(std::max(adding_.total(), 1));
            progress_->setValue(adding_.done());
        });
        timer->start(kProgressMilliseconds);
        progress_->show();
    }

    [[nodiscard]] QThread* thread() const { return thread_; }
    [[nodiscard]] QString message() const { return addedText(adding_.result(), folder_); }
    [[nodiscard]] bool failed() const { return !adding_.result().error.isEmpty(); }

private:
    std::shared_ptr<const FleetArchive> archive_;
    ArchiveAdding adding_;
    QString folder_;
    QThread* thread_;
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
    useLocation(settings->value(kLocationKey).toString());
    Menu_ArchiveAddRead->setChecked(settings->value(kAddReadKey, false).toBool());
}

void ArchiveMenu::useLocation(const QString& location) {
    if (location == location_)
        return;
    location_ = location;
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
    if (!fleetWindow_)
        fleetWindow_ = new FleetArchiveWindow(prompts_, window_);
    fleetWindow_->show();
    fleetWindow_->raise();
    fleetWindow_->showArchive(opened);
}

void ArchiveMenu::Menu_ArchiveDbClick() {
    ArchiveLocationDialog dialog(window_, prompts_, location_);
    if (dialog.exec() != QDialog::Accepted)
        return;
    useLocation(dialog.location());
    archive_ = dialog.openedArchive();
    if (settings_)
        settings_->setValue(kLocationKey, location_);
    if (fleetWindow_ && fleetWindow_->isVisible())
        fleetWindow_->showArchive(archive_);
}

std::shared_ptr<const FleetArchive> ArchiveMenu::archive() {
    if (!archive_) {
        QString message;
        archive_ = openArchive(location_, &message);
        if (!archive_)
            prompts_.error(message);
    }
    return archive_;
}

void ArchiveMenu::add(const QStringList& paths, const QString& folder) {
    const std::shared_ptr<const FleetArchive> opened = archive();
    if (!opened)
        return;
    auto job = std::make_unique<AddingJob>(opened, paths, folder);
    AddingJob* running = job.get();
    connect(running->thread(), &QThread::finished, this, [this, running] { addingEnded(running); });
    if (!folder.isEmpty())
        running->showProgress(window_);
    jobs_.push_back(std::move(job));
    running->thread()->start();
}

void ArchiveMenu::waitUntilAdded() {
    while (!jobs_.empty()) {
        jobs_.front()->thread()->wait();
        addingEnded(jobs_.front().get());
    }
}

void ArchiveMenu::addingEnded(AddingJob* job) {
    // The finished signal may still be queued after waitUntilAdded() has told the outcome.
    const auto it =
        std::find_if(jobs_.begin(), jobs_.end(),
                     [job](const std::unique_ptr<AddingJob>& j) { return j.get() == job; });
    if (it == jobs_.end())
        return;
    // The thread sends finished just before it ends, so isFinished() may still be false here:
    // wait the moment out rather than leave the outcome untold.
    job->thread()->wait();
    const bool failed = job->failed();
    const QString message = job->message();
    jobs_.erase(it); // and its progress window with it, before the outcome is told
    if (fleetWindow_ && fleetWindow_->isVisible())
        fleetWindow_->refresh();
    if (failed)
        prompts_.error(message);
    else
        prompts_.information(message);
}

} // namespace zurval
