#pragma once

#include "DeviceCommands.h"
#include "ListExport.h"
#include "RecentFiles.h"
#include "RecorderSession.h"
#include "ReportWindow.h"

#include <QMainWindow>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QMenu;
class QCustomPlot;
class QProgressBar;
class QSettings;
class QTabWidget;

namespace zurval {

class DocumentView;
class FleetSummaryWindow;
class FrameBrowserPage;
class Prompts;
class PanelStatusBar;
class ServicePage;
class LoadSpectrumPage;
class ParameterChartPage;
class RelayChartPage;
class ProtectionViewPage;
class TAboutBox;
class TForm_saver;
class WindowTransferView;

// Where the device reads get their serial port and their pauses: the system's ports and
// clock, or scripted ones under test.
struct DeviceAccess {
    std::function<std::shared_ptr<SerialPort>()> port; // a fresh port for each command
    std::shared_ptr<Clock> clock;
    QString folder; // holds "temp.bin" and the save dialog's "bin_prm"; "" is the current one
};

// The main window: the pages of one loaded recording, the menus and the status bar.
class TForm_Main : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm_Main(Prompts& prompts, QWidget* parent = nullptr);
    ~TForm_Main() override;

    // Файл → Открыть...: clears the pages, asks for a file and opens it.
    void Menu_OpenClick();
    // Opens path as if it had been chosen in the open dialog; false when it cannot be opened.
    bool openFile(const QString& path);
    // Resets every page and forgets the decoded document.
    void ClearAll();
    // Память → Банк-0 / Банк-1: the values of one bank alone, read anew from the file.
    void Menu_Parametr_Bank0Click() { showBank(0); }
    void Menu_Parametr_Bank1Click() { showBank(1); }
    void M_HelpClick();
    void M_AboutClick();
    // Считать ГМЕ-2 → COM1 / COM2 set the Tag of Menu_Read, which names the port of the read.
    void Menu_COM1Click();
    void Menu_COM2Click();
    void Menu_ReadClick();
    // Считать ГМЕ-3: finds the device on the ports and reads it.
    void Menu_VRL3Click();
    // Файл → Печать: each marks its request on its menu item and runs the report window;
    // the frame and overload reports first ask for the range; the work area scheme prints
    // the frame whose number the protection page shows.
    void M_IKClick();
    void M_CRPClick();
    void M_OperClick();
    void M_PerClick();
    // PrintFrom and PrintTo, kept from one report command to the next.
    [[nodiscard]] PrintRange printRange() const { return printRange_; }
    // Where filled reports go; the modal print preview unless a test looks at them.
    void setReportPreview(ReportPreview preview) { reportPreview_ = std::move(preview); }

    // Keeps the recent files and the window's position in settings from now on (nullptr:
    // for this run only, as the headless commands run).
    void useSettings(QSettings* settings);
    // A file opened or saved: first in "Последние файлы"; its folder starts the dialogs.
    void rememberFile(const QString& path);
    [[nodiscard]] const RecentFiles& recentFiles() const { return recentFiles_; }
    // Печать → График параметров / График работы КЗ: the printer dialog, then the chart.
    void M_GrfClick();
    void M_KZClick();
    // Экспорт в CSV → Кадры... / Перегрузки...: the save dialog, then the list as CSV.
    void exportList(ExportedList list);
    // Сводка по папке...: asks for a folder and reads it in the summary window.
    void Menu_SummaryClick();
    // The summary window once the command has run; nullptr before.
    [[nodiscard]] FleetSummaryWindow* summaryWindow() const { return summaryWindow_; }

    // The recording shown; panel 1 of the status bar mirrors its file name, the Tag of
    // Menu_Open its loaded mark.
    [[nodiscard]] const RecorderSession& session() const { return session_; }
    [[nodiscard]] QString currentFileName() const { return session_.fileName(); }
    [[nodiscard]] bool documentLoaded() const { return session_.loaded(); }
    [[nodiscard]] const RecorderDocument& document() const { return session_.document(); }

    void setDeviceAccess(DeviceAccess access) { devices_ = std::move(access); }
    // While a device is read, the window takes no commands and holds back its closing.
    [[nodiscard]] bool transferRunning() const { return transferRunning_; }
    [[nodiscard]] const ReadOutcome& lastRead() const { return lastRead_; }
    [[nodiscard]] TForm_saver& operatorDialog() { return *Form_saver; }
    [[nodiscard]] WindowTransferView& transferView() { return *transferView_; }

protected:
    bool event(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private:
    void buildMenus();
    void buildPages();
    bool loadCurrentFile();
    void tell(const OpenNotice& notice);
    void showBank(int bank);
    void setCheckedBank(int bank);
    void setExportEnabled(bool enabled);
    // What the window does when the session announces a change.
    void sessionCleared();
    void sessionOpened();
    void sessionBankShown(int bank);
    [[nodiscard]] QString openDialog();
    [[nodiscard]] QString dialogFolder() const;
    void showRecentFiles();
    void openRecentFile(int index);
    void setUpDeviceReads();
    void runTransfer(const std::function<ReadOutcome(const AcquisitionContext&)>& command);
    void beginTransfer();
    void endTransfer();
    void printWithDialog(QCustomPlot& chart);
    // Where the charts' clicks lead: the frame browser and the protection view.
    void showBrowserAt(int frameIndex);
    void showProtectionFrame(int frameNumber);
    void printReport(ReportKind kind);
    void askPrintRange();

    Prompts& prompts_;
    RecorderSession session_;
    // The pages in the order the open command fills them.
    std::vector<DocumentView*> pages_;
    // Created at start-up after the window and before the About box; lives to the end.
    std::unique_ptr<TForm_saver> Form_saver;
    TAboutBox* AboutBox = nullptr; // created at start-up, stays hidden

    QTabWidget* PageControl_Main = nullptr;
    ServicePage* servicePage_ = nullptr;
    LoadSpectrumPage* loadPage_ = nullptr;
    FrameBrowserPage* browserPage_ = nullptr;
    QWidget* TabSheet_Cikl = nullptr;
    QTabWidget* PageControl_Grafik = nullptr;
    ParameterChartPage* paramPage_ = nullptr;
    RelayChartPage* relayPage_ = nullptr;
    ProtectionViewPage* protectionPage_ = nullptr;
    QProgressBar* ProgressBar_Read = nullptr;
    PanelStatusBar* StatusBar_Main = nullptr;
    QAction* Menu_Open = nullptr;
    QAction* Menu_Parametr_Bank0 = nullptr;
    QAction* Menu_Parametr_Bank1 = nullptr;
    QMenu* Menu_Recent = nullptr;
    PrintRange printRange_;
    ReportPreview reportPreview_ = previewModally;
    QMenu* Menu_Export = nullptr; // usable while a recording is shown
    FleetSummaryWindow* summaryWindow_ = nullptr;
    QSettings* settings_ = nullptr;
    RecentFiles recentFiles_;
    QMenu* Menu_Read = nullptr;

    // The device reads: the ВРЛ-2 data stay here until the next read.
    ReceiveBuffer receiveBuffer_;
    DeviceAccess devices_;
    WindowTransferView* transferView_ = nullptr;
    ReadOutcome lastRead_;
    bool transferRunning_ = false;
    bool closeWhenDone_ = false;
    std::vector<QAction*> heldActions_; // the menu items a transfer disabled
    QObject* inputHold_ = nullptr;
};

} // namespace zurval
