#pragma once

#include "core/document/RecorderSession.h"
#include "widgets/app/DeviceReads.h"
#include "widgets/app/HelpViewer.h"
#include "widgets/app/MainMenus.h"
#include "widgets/app/MainPages.h"
#include "widgets/app/RecentFilesMenu.h"
#include "widgets/export/ListExportDialog.h"
#include "widgets/frames/ChartPages.h"
#include "widgets/reports/ReportWindow.h"

#include <QMainWindow>
#include <QMenu>

class QCustomPlot;
class QProgressBar;
class QSettings;

namespace zurval {

class ArchiveMenu;
class FleetSummaryWindow;
class PanelStatusBar;
class Prompts;
class TAboutBox;

// The main window: the pages of the session's recording, the menus and the status bar. It
// wires them together; the session, the pages, the device reads and the reports do the work.
class TForm_Main : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm_Main(Prompts& prompts, QWidget* parent = nullptr);
    ~TForm_Main() override;

    // Файл → Открыть...: clears the pages, asks for a file and opens it.
    void Menu_OpenClick();
    // Opens path as if it had been chosen in the open dialog; false when it cannot be opened.
    bool openFile(const QString& path);
    // Opens a recording the archive keeps as its file would open, under name, which the
    // status bar shows; it is no file of the recent ones, nor one to add to the archive.
    void openRecordingBytes(const QString& name, const QByteArray& fileBytes);
    // Файл → Очистить: every page back to its defaults.
    void ClearAll() { session_.clear(); }
    // Память → Банк-0 / Банк-1: the values of one bank alone, read anew from the file.
    void Menu_Parametr_Bank0Click() { showBank(0); }
    void Menu_Parametr_Bank1Click() { showBank(1); }
    void M_HelpClick() { showHelp(this, prompts_); }
    void M_AboutClick();
    // Считать ГМЕ-2 → COM1 / COM2: the read on that port; the Tag of Menu_Read mirrors it.
    void Menu_COM1Click() { readVrl2(1); }
    void Menu_COM2Click() { readVrl2(2); }
    // Считать ГМЕ-3: finds the device on the ports and reads it.
    void Menu_VRL3Click() { deviceReads_->readVrl3(); }
    // Файл → Печать: the report as the window shows the recording now; the frame and overload
    // reports first ask for the range and print nothing when it is cancelled, the scheme
    // prints the protection view's frame.
    void M_IKClick() { printReport(ReportKind::InformationCard); }
    void M_CRPClick() { printReport(ReportKind::Scheme); }
    void M_OperClick() {
        if (askPrintRange())
            printReport(ReportKind::Operational);
    }
    void M_PerClick() {
        if (askPrintRange())
            printReport(ReportKind::Overloads);
    }
    // Печать → График параметров / График работы КЗ: the printer dialog, then the chart.
    void M_GrfClick() {
        printWithDialog(parameterChartReport(pages_.parameters->chart()->printed()), this);
    }
    void M_KZClick() { printWithDialog(relayChartReport(pages_.relays->chart()->printed()), this); }
    // PrintFrom and PrintTo, kept from one report command to the next.
    [[nodiscard]] PrintRange printRange() const { return printRange_; }
    // Where filled reports go; the modal print preview unless a test looks at them.
    void setReportPreview(ReportPreview preview) { reportPreview_ = std::move(preview); }
    // Экспорт в CSV → Кадры... / Перегрузки...: the save dialog, then the list as CSV.
    void exportList(ExportedList list) {
        exportListWithDialog(list, session_, prompts_, dialogFolder());
    }
    // Сводка по папке...: asks for a folder and reads it in the summary window.
    void Menu_SummaryClick();
    // The summary window once the command has run; nullptr before.
    [[nodiscard]] FleetSummaryWindow* summaryWindow() const { return summaryWindow_; }
    // Файл → Архив.
    [[nodiscard]] ArchiveMenu& archive() { return *archive_; }

    // Keeps the recent files, the window's position and the archive's choices in settings
    // from now on (nullptr: for this run only, as the headless commands run).
    void useSettings(QSettings* settings);
    // A file opened or saved: first in "Последние файлы"; its folder starts the dialogs.
    void rememberFile(const QString& path) { recentFiles_->add(path); }
    [[nodiscard]] const RecentFiles& recentFiles() const { return recentFiles_->files(); }

    // The recording shown; panel 1 of the status bar mirrors its file name, the Tag of
    // Menu_Open its loaded mark.
    [[nodiscard]] const RecorderSession& session() const { return session_; }
    [[nodiscard]] QString currentFileName() const { return session_.fileName(); }
    [[nodiscard]] bool documentLoaded() const { return session_.loaded(); }
    [[nodiscard]] const RecorderDocument& document() const { return session_.document(); }
    [[nodiscard]] DeviceReads& deviceReads() { return *deviceReads_; }

protected:
    bool event(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private:
    void connectCommands();
    bool loadCurrentFile();
    void tell(const OpenNotice& notice);
    void showBank(int bank);
    void setCheckedBank(int bank);
    void sessionCleared();
    void sessionOpened();
    void sessionBankShown(int bank);
    void readEnded(const ReadOutcome& outcome);
    [[nodiscard]] QString dialogFolder() const;
    void printReport(ReportKind kind) {
        zurval::printReport(kind, session_, printRange_, prompts_, reportPreview_, this);
    }
    // The frame-range dialog; false when it was cancelled or closed.
    bool askPrintRange();
    void readVrl2(int port);

    Prompts& prompts_;
    RecorderSession session_;
    MainMenus menus_;
    MainPages pages_;
    PageNavigator* navigator_ = nullptr;
    PanelStatusBar* StatusBar_Main = nullptr;
    DeviceReads* deviceReads_ = nullptr;
    TAboutBox* AboutBox = nullptr; // created at start-up, stays hidden
    FleetSummaryWindow* summaryWindow_ = nullptr;
    ArchiveMenu* archive_ = nullptr;
    PrintRange printRange_;
    ReportPreview reportPreview_ = previewModally;
    QSettings* settings_ = nullptr;
    RecentFilesMenu* recentFiles_ = nullptr;
    bool closeWhenReadEnds_ = false;
};

} // namespace zurval
