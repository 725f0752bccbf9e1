#include "MainWindow.h"

#include "AboutBox.h"
#include "ChartPages.h"
#include "ControlColours.h"
#include "FleetSummaryWindow.h"
#include "FrameBrowserPage.h"
#include "FrameRangeDialog.h"
#include "HelpViewer.h"
#include "OverloadPage.h"
#include "PanelStatusBar.h"
#include "Prompts.h"
#include "ProtectionViewPage.h"
#include "Saver.h"
#include "ServicePages.h"
#include "SettingsPage.h"

#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenuBar>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QSettings>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QVBoxLayout>

namespace zurval {
namespace {

// Visits a variant with one lambda per alternative.
template <class... Ts> struct overloaded : Ts... { using Ts::operator()...; };
template <class... Ts> overloaded(Ts...) -> overloaded<Ts...>;

constexpr int kClientWidth = 794;
constexpr int kClientHeight = 517;

QWidget* page(const char* name) {
    auto* w = new QWidget;
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

// A page control with tabs on the left, as the inner pages use.
QTabWidget* innerTabs(QWidget* host, const char* name) {
    auto* tabs = new QTabWidget;
    tabs->setObjectName(QString::fromLatin1(name));
    tabs->setTabPosition(QTabWidget::West);
    auto* layout = new QVBoxLayout(host);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(tabs);
    return tabs;
}

} // namespace

TForm_Main::TForm_Main(Prompts& prompts, QWidget* parent) : QMainWindow(parent), prompts_(prompts) {
    setObjectName("Form_Main");
    setWindowTitle(QStringLiteral("Анализ данных регистратора параметров ЗУРВАЛ"));
    setAcceptDrops(true);
    // Liberation Sans has the metrics of the small sans serif the form was laid out for.
    setFont(QFont(QStringLiteral("Liberation Sans"), 8));
    buildMenus();
    buildPages();
    setUpDeviceReads();
    AboutBox = new TAboutBox(this); // dialogs start hidden
    setFixedSize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
    connect(&session_, &RecorderSession::cleared, this, &TForm_Main::sessionCleared);
    connect(&session_, &RecorderSession::opened, this, &TForm_Main::sessionOpened);
    connect(&session_, &RecorderSession::bankShown, this, &TForm_Main::sessionBankShown);
    connect(&session_, &RecorderSession::fileNameChanged, this,
            [this](const QString& path) { StatusBar_Main->setPanelText(1, path); });
    connect(&session_, &RecorderSession::operatorTextsChanged, servicePage_,
            &ServicePage::showTexts);
    ClearAll();
}

TForm_Main::~TForm_Main() = default;

void TForm_Main::buildMenus() {
    struct Item {
        const char* name;
        const char* caption;
        const char* shortcut;
        bool enabled;
    };
    auto add = [this](QMenu* menu, const Item& it) {
        auto* a = menu->addAction(QString::fromUtf8(it.caption));
        a->setObjectName(QString::fromLatin1(it.name));
        if (*it.shortcut)
            a->setShortcut(QKeySequence(QString::fromLatin1(it.shortcut)));
        a->setEnabled(it.enabled);
        return a;
    };
    auto submenu = [](QMenu* parent, const char* name, const char* caption) {
        QMenu* m = parent->addMenu(QString::fromUtf8(caption));
        m->setObjectName(QString::fromLatin1(name));
        return m;
    };
    auto separator = [](QMenu* menu, const char* name) {
        menu->addSeparator()->setObjectName(QString::fromLatin1(name));
    };

    QMenu* file = menuBar()->addMenu(QStringLiteral("Файл"));
    file->setObjectName("Menu_File");
    Menu_Open = add(file, {"Menu_Open", "Открыть...", "Ctrl+O", true});
    Menu_Open->setProperty("Tag", 0);
    connect(Menu_Open, &QAction::triggered, this, &TForm_Main::Menu_OpenClick);
    QAction* clear = add(file, {"Menu_Clear", "Очистить", "Ctrl+W", true});
    connect(clear, &QAction::triggered, this, &TForm_Main::ClearAll);

    QMenu* print = submenu(file, "Menu_Print", "Печать");
    print->menuAction()->setShortcut(QKeySequence(QStringLiteral("Ctrl+P")));
    QAction* M_IK = add(print, {"M_IK", "Информационная карта", "", true});
    connect(add(print, {"M_Grf", "График параметров", "", true}), &QAction::triggered, this,
            &TForm_Main::M_GrfClick);
    connect(add(print, {"M_KZ", "График работы КЗ", "", true}), &QAction::triggered, this,
            &TForm_Main::M_KZClick);
    QAction* M_CRP = add(print, {"M_CRP", "Схема рабочей площадки", "", true});
    QAction* M_Oper = add(print, {"M_Oper", "Оперативная информация", "", true});
    QAction* M_Per = add(print, {"M_Per", "Перегрузки", "", true});
    // The report items carry a Tag of 0 that nothing changes any more; the state dump has
    // always shown it.
    for (QAction* report : {M_IK, M_CRP, M_Oper, M_Per})
        report->setProperty("Tag", 0);
    connect(M_IK, &QAction::triggered, this, &TForm_Main::M_IKClick);
    connect(M_CRP, &QAction::triggered, this, &TForm_Main::M_CRPClick);
    connect(M_Oper, &QAction::triggered, this, &TForm_Main::M_OperClick);
    connect(M_Per, &QAction::triggered, this, &TForm_Main::M_PerClick);
    Menu_Export = submenu(file, "Menu_Export", "Экспорт в CSV");
    connect(add(Menu_Export, {"Menu_ExportFrames", "Кадры...", "", true}), &QAction::triggered,
            this, [this] { exportList(ExportedList::Frames); });
    connect(add(Menu_Export, {"Menu_ExportOverloads", "Перегрузки...", "", true}),
            &QAction::triggered, this, [this] { exportList(ExportedList::Overloads); });
    connect(add(file, {"Menu_Summary", "Сводка по папке...", "", true}), &QAction::triggered, this,
            &TForm_Main::Menu_SummaryClick);
    connect(add(file, {"Menu_VRL3", "Считать ГМЕ-3", "Ctrl+E", true}), &QAction::triggered, this,
            &TForm_Main::Menu_VRL3Click);
    Menu_Read = submenu(file, "Menu_Read", "Считать ГМЕ-2");
    Menu_Read->setProperty("Tag", 0);
    connect(add(Menu_Read, {"Menu_COM1", "COM1", "", true}), &QAction::triggered, this,
            &TForm_Main::Menu_COM1Click);
    connect(add(Menu_Read, {"Menu_COM2", "COM2", "", true}), &QAction::triggered, this,
            &TForm_Main::Menu_COM2Click);
    separator(file, "Menu_R1");
    QMenu* memory = submenu(file, "Menu_Parametr", "Память");
    Menu_Parametr_Bank0 = add(memory, {"Menu_Parametr_Bank0", "Банк-0", "", true});
    Menu_Parametr_Bank1 = add(memory, {"Menu_Parametr_Bank1", "Банк-1", "", true});
    // The marks show the displayed bank; only the commands move them (see setCheckedBank).
    Menu_Parametr_Bank0->setCheckable(true);
    Menu_Parametr_Bank1->setCheckable(true);
    connect(Menu_Parametr_Bank0, &QAction::triggered, this, &TForm_Main::Menu_Parametr_Bank0Click);
    connect(Menu_Parametr_Bank1, &QAction::triggered, this, &TForm_Main::Menu_Parametr_Bank1Click);
    separator(file, "Menu_R2");
    Menu_Recent = submenu(file, "Menu_Recent", "Последние файлы");
    for (int i = 0; i < RecentFiles::kCapacity; ++i) {
        QAction* item = Menu_Recent->addAction(QString());
        item->setObjectName(QStringLiteral("Menu_Recent%1").arg(i + 1));
        connect(item, &QAction::triggered, this, [this, i] { openRecentFile(i); });
    }
    showRecentFiles();
    QAction* exit = add(file, {"Menu_Exit", "Выход", "", true});
    connect(exit, &QAction::triggered, this, &QWidget::close);

    QMenu* help = menuBar()->addMenu(QStringLiteral("Справка"));
    help->setObjectName("N1");
    connect(add(help, {"M_Help", "Справка", "", true}), &QAction::triggered, this,
            &TForm_Main::M_HelpClick);
    connect(add(help, {"M_About", "О программе...", "", true}), &QAction::triggered, this,
            &TForm_Main::M_AboutClick);
}

void TForm_Main::buildPages() {
    PageControl_Main = new QTabWidget;
    PageControl_Main->setObjectName("PageControl_Main");
    PageControl_Main->setDocumentMode(true);

    QWidget* constPage = page("TabSheet_Const");
    QTabWidget* inf = innerTabs(constPage, "PageControl_Inf");
    servicePage_ = new ServicePage(session_);
    servicePage_->setObjectName("TabSheet_Ident");
    loadPage_ = new LoadSpectrumPage(session_);
    loadPage_->setObjectName("TabSheet_Narab");
    inf->addTab(servicePage_, QStringLiteral("Служебная"));
    inf->addTab(loadPage_, QStringLiteral("Наработка"));
    PageControl_Main->addTab(constPage, QStringLiteral("Основная информация"));

    TabSheet_Cikl = page("TabSheet_Cikl");
    QTabWidget* cikl = innerTabs(TabSheet_Cikl, "PageControl_Cikl");
    browserPage_ = new FrameBrowserPage(session_, prompts_);
    browserPage_->setObjectName("TabSheet_Osn");
    auto* overloadPage = new OverloadPage(session_, prompts_);
    overloadPage->setObjectName("TabSheet_Per");
    cikl->addTab(browserPage_, QStringLiteral("Общая"));
    cikl->addTab(overloadPage, QStringLiteral("Перегрузки"));
    PageControl_Main->addTab(TabSheet_Cikl, QStringLiteral("Циклическая информация"));

    QWidget* grafikPage = page("TabSheet_Grafik");
    PageControl_Grafik = innerTabs(grafikPage, "PageControl_Grafik");
    paramPage_ = new ParameterChartPage(session_);
    paramPage_->setObjectName("TabSheet_Param");
    relayPage_ = new RelayChartPage(session_);
    relayPage_->setObjectName("TabSheet_Rele");
    protectionPage_ = new ProtectionViewPage(session_, prompts_);
    protectionPage_->setObjectName("TabSheet_KZ");
    PageControl_Grafik->addTab(paramPage_, QStringLiteral("Параметры"));
    PageControl_Grafik->addTab(relayPage_, QStringLiteral("Реле и ограничения"));
    PageControl_Grafik->addTab(protectionPage_, QStringLiteral("Координатная защита"));
    PageControl_Main->addTab(grafikPage, QStringLiteral("Графики"));
    // A chosen frame waits in the protection view's frame field; "Отобразить КЗ" shows it.
    connect(browserPage_, &FrameBrowserPage::frameNumberChosen, protectionPage_,
            &ProtectionViewPage::setFrameNumberText);
    connect(browserPage_, &FrameBrowserPage::protectionViewRequested, this, [this, grafikPage] {
        PageControl_Main->setCurrentWidget(grafikPage);
        PageControl_Grafik->setCurrentWidget(protectionPage_);
        protectionPage_->showTypedFrame();
    });
    connect(paramPage_, &ParameterChartPage::browserJumpRequested, this,
            &TForm_Main::showBrowserAt);
    connect(relayPage_, &RelayChartPage::protectionFrameRequested, this,
            &TForm_Main::showProtectionFrame);

    auto* settingsPage = new SettingsPage(session_);
    settingsPage->setObjectName("TabSheet_Nastr");
    PageControl_Main->addTab(settingsPage, QStringLiteral("Настройки"));
    // In the open command's order: the protection view draws the oldest frame before the
    // overload page, the browser and the charts are filled.
    pages_ = {servicePage_, loadPage_,    settingsPage, protectionPage_,
              overloadPage, browserPage_, paramPage_,   relayPage_};

    ProgressBar_Read = new QProgressBar;
    ProgressBar_Read->setObjectName("ProgressBar_Read");
    ProgressBar_Read->setRange(0, 100);
    ProgressBar_Read->hide();

    auto* central = new QWidget;
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(PageControl_Main, 1);
    column->addWidget(ProgressBar_Read);
    setCentralWidget(central);

    StatusBar_Main = new PanelStatusBar({150, 500, 50});
    StatusBar_Main->setObjectName("StatusBar_Main");
    setStatusBar(StatusBar_Main);
}

void TForm_Main::setExportEnabled(bool enabled) {
    Menu_Export->menuAction()->setEnabled(enabled);
    for (QAction* item : Menu_Export->actions())
        item->setEnabled(enabled);
}

void TForm_Main::setCheckedBank(int bank) {
    Menu_Parametr_Bank0->setChecked(bank == 0);
    Menu_Parametr_Bank1->setChecked(bank == 1);
}

QString TForm_Main::dialogFolder() const {
    const QString last = recentFiles_.lastFolder();
    return !last.isEmpty() && QDir(last).exists() ? last : QDir::current().filePath("bin_prm");
}

QString TForm_Main::openDialog() {
    const FileDialogRequest request{
        QStringLiteral("Открыть"),
        dialogFolder(),
        {QStringLiteral("Бинарные (*.vrl)"), QStringLiteral("Все файлы (*)")},
        QString()};
    return prompts_.openFileName(request);
}

void TForm_Main::Menu_OpenClick() {
    ClearAll();
    session_.setFileName(QString());
    const QString chosen = openDialog();
    if (!chosen.isEmpty())
        session_.setFileName(chosen);
    loadCurrentFile();
}

bool TForm_Main::openFile(const QString& path) {
    ClearAll();
    session_.setFileName(QFileInfo(path).absoluteFilePath());
    return loadCurrentFile();
}

bool TForm_Main::loadCurrentFile() {
    if (!session_.load([this](const OpenNotice& notice) { tell(notice); })) {
        prompts_.error(kCannotOpenMessage);
        return false;
    }
    rememberFile(currentFileName());
    return true;
}

void TForm_Main::sessionOpened() {
    Menu_Open->setProperty("Tag", 1);
    setExportEnabled(true);
    for (DocumentView* page : pages_)
        page->show();
}

void TForm_Main::sessionCleared() {
    setExportEnabled(false);
    setControlBackground(StatusBar_Main, buttonFace());
    for (DocumentView* page : pages_)
        page->clear();
}

void TForm_Main::sessionBankShown(int bank) {
    Menu_Open->setProperty("Tag", 1);
    setCheckedBank(bank);
    servicePage_->showTexts();
    loadPage_->showCounters();
}

void TForm_Main::useSettings(QSettings* settings) {
    settings_ = settings;
    recentFiles_ = RecentFiles(settings);
    showRecentFiles();
    // Only the position: the size is fixed, as the form is laid out for it.
    const QPoint position = settings ? settings->value("window/position").toPoint() : QPoint();
    if (settings && settings->contains("window/position") &&
        QGuiApplication::screenAt(position + QPoint(20, 20)))
        move(position);
}

void TForm_Main::rememberFile(const QString& path) {
    recentFiles_.add(path);
    showRecentFiles();
}

void TForm_Main::showRecentFiles() {
    const QStringList& files = recentFiles_.files();
    const QList<QAction*> items = Menu_Recent->actions();
    for (int i = 0; i < items.size(); ++i) {
        items[i]->setVisible(i < files.size());
        items[i]->setText(i < files.size() ? QStringLiteral("&%1 %2").arg(i + 1).arg(files[i])
                                           : QString());
    }
    Menu_Recent->menuAction()->setEnabled(!files.isEmpty());
}

void TForm_Main::openRecentFile(int index) {
    if (index < 0 || index >= recentFiles_.files().size())
        return;
    const QString path = recentFiles_.files()[index];
    if (!QFileInfo(path).isFile()) {
        recentFiles_.remove(path);
        showRecentFiles();
        prompts_.error(
            QStringLiteral("Файл не найден:\n%1\nОн убран из списка последних файлов.").arg(path));
        return;
    }
    openFile(path);
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

void TForm_Main::showBank(int bank) {
    // Qt has already toggled the clicked item; the marks follow the command's outcome.
    if (!session_.showBank(bank)) {
        setCheckedBank(session_.shownBank());
        prompts_.error(kCannotOpenMessage);
    }
}

void TForm_Main::ClearAll() {
    session_.clear();
}

void TForm_Main::M_HelpClick() {
    showHelp(this, prompts_);
}

void TForm_Main::M_AboutClick() {
    // A fresh box for each showing, freed when it closes; the start-up one stays hidden.
    TAboutBox box(this);
    box.centreOnScreenOf(this);
    box.exec();
}

void TForm_Main::M_GrfClick() {
    printWithDialog(*paramPage_->chart());
}

void TForm_Main::M_KZClick() {
    printWithDialog(*relayPage_->chart());
}

void TForm_Main::printWithDialog(QCustomPlot& chart) {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog PrintDialog(&printer, this);
    PrintDialog.setObjectName("PrintDialog");
    if (PrintDialog.exec() == QDialog::Accepted)
        printChart(chart, printer);
}

void TForm_Main::exportList(ExportedList list) {
    const QString proposed = QFileInfo(currentFileName()).completeBaseName() +
                             (list == ExportedList::Frames ? QStringLiteral("_кадры.csv")
                                                           : QStringLiteral("_перегрузки.csv"));
    const QString path = prompts_.saveFileName(
        {QStringLiteral("Экспорт в CSV"),
         dialogFolder(),
         {QStringLiteral("Таблицы CSV (*.csv)"), QStringLiteral("Все файлы (*)")},
         QStringLiteral("csv"),
         proposed});
    if (path.isEmpty())
        return;
    QString error;
    if (!writeCsvFile(path, listTable(session_.document().cyclic, list), &error))
        prompts_.error(QStringLiteral("Не удалось записать файл %1:\n%2").arg(path, error));
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

void TForm_Main::showBrowserAt(int frameIndex) {
    PageControl_Main->setCurrentWidget(TabSheet_Cikl);
    // The browser itself, should the overloads have been in front.
    if (auto* inner = qobject_cast<QTabWidget*>(browserPage_->parentWidget()->parentWidget()))
        inner->setCurrentWidget(browserPage_);
    browserPage_->jumpToFrame(frameIndex);
}

void TForm_Main::showProtectionFrame(int frameNumber) {
    PageControl_Grafik->setCurrentWidget(protectionPage_);
    protectionPage_->showFrame(frameNumber);
}

void TForm_Main::M_IKClick() {
    printReport(ReportKind::InformationCard);
}

void TForm_Main::M_CRPClick() {
    printReport(ReportKind::Scheme);
}

void TForm_Main::M_OperClick() {
    askPrintRange();
    printReport(ReportKind::Operational);
}

void TForm_Main::M_PerClick() {
    askPrintRange();
    printReport(ReportKind::Overloads);
}

void TForm_Main::askPrintRange() {
    // A fresh dialog each time, so its edits start at "0" and "200".
    TForm_Kadr1 dialog(this, prompts_, printRange_);
    dialog.exec();
}

void TForm_Main::printReport(ReportKind kind) {
    zurval::printReport(kind, session_, printRange_, prompts_, reportPreview_, this);
}

bool TForm_Main::event(QEvent* e) {
    // Hints of the controls go to panel 0 instead of the status bar's message area.
    if (e->type() == QEvent::StatusTip) {
        StatusBar_Main->setPanelText(0, static_cast<QStatusTipEvent*>(e)->tip());
        return true;
    }
    return QMainWindow::event(e);
}

void TForm_Main::dragEnterEvent(QDragEnterEvent* e) {
    const QList<QUrl> urls = e->mimeData()->urls();
    if (!urls.isEmpty() && urls.first().isLocalFile())
        e->acceptProposedAction();
}

void TForm_Main::dropEvent(QDropEvent* e) {
    const QList<QUrl> urls = e->mimeData()->urls();
    if (urls.isEmpty() || !urls.first().isLocalFile())
        return;
    e->acceptProposedAction();
    openFile(urls.first().toLocalFile());
}

} // namespace zurval
