#include "widgets/app/MainWindow.h"

#include "core/common/Prompts.h"
#include "widgets/app/AboutBox.h"
#include "widgets/archive/ArchiveMenu.h"
#include "widgets/archive/FleetArchiveWindow.h"
#include "widgets/common/ControlColours.h"
#include "widgets/common/PanelStatusBar.h"
#include "widgets/export/FleetSummaryWindow.h"
#include "widgets/frames/ChartPages.h"
#include "widgets/recorder/ServicePages.h"
#include "widgets/reports/FrameRangeDialog.h"

#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QSettings>
#include <QStatusTipEvent>

namespace zurval {
namespace {

// Visits a variant with one lambda per alternative.
template <class... Ts> struct overloaded : Ts... { using Ts::operator()...; };
template <class... Ts> overloaded(Ts...) -> overloaded<Ts...>;

constexpr int kClientWidth = 794;
constexpr int kClientHeight = 517;

QString openDialog(Prompts& prompts, const QString& folder) {
    const FileDialogRequest request{
        QStringLiteral("Открыть"),
        folder,
        {QStringLiteral("Бинарные (*.vrl)"), QStringLiteral("Все файлы (*)")},
        QString()};
    return prompts.openFileName(request);
}

// The first of the things dropped, when it is a local file.
QString droppedFile(const QMimeData* data) {
    const QList<QUrl> urls = data->urls();
    return !urls.isEmpty() && urls.first().isLocalFile() ? urls.first().toLocalFile() : QString();
}

} // namespace

TForm_Main::TForm_Main(Prompts& prompts, QWidget* parent) : QMainWindow(parent), prompts_(prompts) {
    setObjectName("Form_Main");
    setWindowTitle(QStringLiteral("Анализ данных регистратора параметров ЗУРВАЛ"));
    setAcceptDrops(true);
    // Liberation Sans has the metrics of the small sans serif the form was laid out for.
    setFont(QFont(QStringLiteral("Liberation Sans"), 8));
    menus_ = buildMainMenus(menuBar());
    pages_ = buildMainPages(session_, prompts_);
    navigator_ = new PageNavigator(pages_, this);
    setCentralWidget(pages_.central);
    StatusBar_Main = new PanelStatusBar({150, 500, 50});
    StatusBar_Main->setObjectName("StatusBar_Main");
    setStatusBar(StatusBar_Main);
    deviceReads_ = new DeviceReads(this, session_, prompts_, StatusBar_Main,
                                   pages_.ProgressBar_Read, pages_.Button_Abort);
    recentFiles_ = new RecentFilesMenu(menus_.Menu_Recent, prompts_, this);
    deviceReads_->setStartFolder([this] { return recentFiles_->files().lastFolder(); });
    archive_ = new ArchiveMenu(this, prompts_);
    archive_->setReadingOpener([this](const ArchivedReadingToOpen& reading) {
        if (reading.fileBytes)
            openRecordingBytes(reading.name, *reading.fileBytes);
        else
            openFile(reading.path);
    });
    archive_->setStartFolder([this] { return dialogFolder(); });
    AboutBox = new TAboutBox(this); // dialogs start hidden
    setFixedSize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
    connectCommands();
    ClearAll();
}

TForm_Main::~TForm_Main() = default;

void TForm_Main::connectCommands() {
    using Handler = void (TForm_Main::*)();
    const std::pair<const char*, Handler> commands[] = {
        {"Menu_Open", &TForm_Main::Menu_OpenClick},
        {"Menu_Clear", &TForm_Main::ClearAll},
        {"M_IK", &TForm_Main::M_IKClick},
        {"M_Grf", &TForm_Main::M_GrfClick},
        {"M_KZ", &TForm_Main::M_KZClick},
        {"M_CRP", &TForm_Main::M_CRPClick},
        {"M_Oper", &TForm_Main::M_OperClick},
        {"M_Per", &TForm_Main::M_PerClick},
        {"Menu_Summary", &TForm_Main::Menu_SummaryClick},
        {"Menu_VRL3", &TForm_Main::Menu_VRL3Click},
        {"Menu_COM1", &TForm_Main::Menu_COM1Click},
        {"Menu_COM2", &TForm_Main::Menu_COM2Click},
        {"Menu_Parametr_Bank0", &TForm_Main::Menu_Parametr_Bank0Click},
        {"Menu_Parametr_Bank1", &TForm_Main::Menu_Parametr_Bank1Click},
        {"M_Help", &TForm_Main::M_HelpClick},
        {"M_About", &TForm_Main::M_AboutClick},
    };
    for (const auto& [name, handler] : commands)
        connect(menuItem(this, name), &QAction::triggered, this, handler);
    connect(menuItem(this, "Menu_ExportFrames"), &QAction::triggered, this,
            [this] { exportList(ExportedList::Frames); });
    connect(menuItem(this, "Menu_ExportOverloads"), &QAction::triggered, this,
            [this] { exportList(ExportedList::Overloads); });
    connect(menuItem(this, "Menu_Exit"), &QAction::triggered, this, &QWidget::close);
    connect(recentFiles_, &RecentFilesMenu::openRequested, this, &TForm_Main::openFile);

    connect(&session_, &RecorderSession::cleared, this, &TForm_Main::sessionCleared);
    connect(&session_, &RecorderSession::opened, this, &TForm_Main::sessionOpened);
    connect(&session_, &RecorderSession::bankShown, this, &TForm_Main::sessionBankShown);
    connect(&session_, &RecorderSession::fileNameChanged, this,
            [this](const QString& path) { StatusBar_Main->setPanelText(1, path); });
    connect(&session_, &RecorderSession::operatorTextsChanged, pages_.service,
            &ServicePage::showTexts);
    connect(deviceReads_, &DeviceReads::ended, this, &TForm_Main::readEnded);
}

void TForm_Main::setCheckedBank(int bank) {
    menus_.Menu_Parametr_Bank0->setChecked(bank == 0);
    menus_.Menu_Parametr_Bank1->setChecked(bank == 1);
}

QString TForm_Main::dialogFolder() const {
    const QString last = recentFiles_->files().lastFolder();
    return !last.isEmpty() && QDir(last).exists() ? last : QDir::current().filePath("bin_prm");
}

void TForm_Main::Menu_OpenClick() {
    ClearAll();
    session_.setFileName(QString());
    const QString chosen = openDialog(prompts_, dialogFolder());
    if (!chosen.isEmpty())
        session_.setFileName(chosen);
    loadCurrentFile();
}

bool TForm_Main::openFile(const QString& path) {
    ClearAll();
    session_.setFileName(QFileInfo(path).absoluteFilePath());
    return loadCurrentFile();
}

void TForm_Main::openRecordingBytes(const QString& name, const QByteArray& fileBytes) {
    session_.openBytes(name, fileBytes, [this](const OpenNotice& notice) { tell(notice); });
    raise();
    activateWindow();
}

bool TForm_Main::loadCurrentFile() {
    if (!session_.load([this](const OpenNotice& notice) { tell(notice); })) {
        prompts_.error(kCannotOpenMessage);
        return false;
    }
    rememberFile(currentFileName());
    return true;
}

void TForm_Main::tell(const OpenNotice& notice) {
    std::visit(overloaded{
                   [this](const notice::Message& m) { prompts_.message(m.text); },
                   [this](const notice::ImageChecked& c) {
                       setControlBackground(StatusBar_Main,
                                            c.intact ? buttonFace() : colours::Gray);
                   },
                   [this](const notice::VersionShown& v) {
                       StatusBar_Main->setPanelText(2, versionPanelText(v.recorderVersion));
                   },
                   [this](const notice::BankChosen& b) { setCheckedBank(b.bank); },
               },
               notice);
}

void TForm_Main::sessionOpened() {
    menus_.Menu_Open->setProperty("Tag", 1);
    setExportEnabled(menus_, true);
    archive_->setShownFile(session_.fromBytes() ? QString() : session_.fileName());
    for (DocumentView* page : pages_.inFillOrder)
        page->show();
}

void TForm_Main::sessionCleared() {
    setExportEnabled(menus_, false);
    archive_->setShownFile(QString());
    setControlBackground(StatusBar_Main, buttonFace());
    for (DocumentView* page : pages_.inFillOrder)
        page->clear();
}

void TForm_Main::showBank(int bank) {
    // Qt has already toggled the clicked item; the marks follow the command's outcome.
    if (!session_.showBank(bank)) {
        setCheckedBank(session_.shownBank());
        prompts_.error(kCannotOpenMessage);
    }
}

void TForm_Main::sessionBankShown(int bank) {
    menus_.Menu_Open->setProperty("Tag", 1);
    setCheckedBank(bank);
    pages_.service->showTexts();
    pages_.load->showCounters();
}

void TForm_Main::readVrl2(int port) {
    menus_.Menu_Read->setProperty("Tag", port);
    deviceReads_->readVrl2(port);
}

void TForm_Main::readEnded(const ReadOutcome& outcome) {
    if (!outcome.savedPath.isEmpty())
        rememberFile(outcome.savedPath);
    archive_->recordingSaved(outcome.savedPath);
    if (closeWhenReadEnds_) {
        closeWhenReadEnds_ = false;
        close();
    }
}

void TForm_Main::useSettings(QSettings* settings) {
    settings_ = settings;
    recentFiles_->useSettings(settings);
    archive_->useSettings(settings);
    // Only the position: the size is fixed, as the form is laid out for it.
    const QPoint position = settings ? settings->value("window/position").toPoint() : QPoint();
    if (settings && settings->contains("window/position") &&
        QGuiApplication::screenAt(position + QPoint(20, 20)))
        move(position);
}

void TForm_Main::M_AboutClick() {
    // A fresh box for each showing, freed when it closes; the start-up one stays hidden.
    TAboutBox box(this);
    box.centreOnScreenOf(this);
    box.exec();
}

void TForm_Main::Menu_SummaryClick() {
    const QString folder =
        prompts_.existingFolder(QStringLiteral("Сводка по папке"), dialogFolder());
    if (folder.isEmpty())
        return;
    if (!summaryWindow_) {
        summaryWindow_ = new FleetSummaryWindow(prompts_, this);
        connect(summaryWindow_, &FleetSummaryWindow::openRequested, this,
                [this](const QString& path) {
                    openFile(path);
                    raise();
                    activateWindow();
                });
    }
    summaryWindow_->show();
    summaryWindow_->raise();
    summaryWindow_->readFolder(folder);
}

bool TForm_Main::askPrintRange() {
    // A fresh dialog each time, so its edits start at "0" and "200".
    TForm_Kadr1 dialog(this, prompts_, printRange_);
    return dialog.exec() == QDialog::Accepted;
}

void TForm_Main::closeEvent(QCloseEvent* e) {
    // A reading taken at the crane cannot be taken again: the window closes during a read
    // only when the user gives the read up, and then once it has ended and its file, if
    // any, is complete.
    if (deviceReads_->running()) {
        e->ignore();
        if (prompts_.confirm(QStringLiteral("Прервать считывание?"))) {
            closeWhenReadEnds_ = true;
            deviceReads_->abort();
        }
        return;
    }
    if (settings_)
        settings_->setValue("window/position", pos());
    QMainWindow::closeEvent(e);
}

bool TForm_Main::event(QEvent* e) {
    // Hints of the controls go to panel 0 instead of the status bar's message area.
    if (e->type() == QEvent::StatusTip) {
        StatusBar_Main->setPanelText(0, static_cast<QStatusTipEvent*>(e)->tip());
        return true;
    }
    return QMainWindow::event(e);
}

// A file dragged onto the window is opened as if chosen in the open dialog.
void TForm_Main::dragEnterEvent(QDragEnterEvent* e) {
    if (!droppedFile(e->mimeData()).isEmpty())
        e->acceptProposedAction();
}

void TForm_Main::dropEvent(QDropEvent* e) {
    const QString path = droppedFile(e->mimeData());
    if (path.isEmpty())
        return;
    e->acceptProposedAction();
    openFile(path);
}

} // namespace zurval
