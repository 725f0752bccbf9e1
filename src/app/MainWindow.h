#pragma once

#include "OpenRecording.h"
#include "RecentFiles.h"
#include "ReportWindow.h"

#include <QMainWindow>
#include <memory>
#include <vector>

class QAction;
class QMenu;
class QProgressBar;
class QSettings;
class QTabWidget;

namespace zurval {

class DocumentView;
class Prompts;
class PanelStatusBar;
class ServicePage;
class LoadSpectrumPage;
class TAboutBox;

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
    // Файл → Печать: each marks its request on its menu item and runs the report window;
    // the frame and overload reports first ask for the range.
    void M_IKClick();
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

    // The current file name lives in panel 1 of the status bar.
    [[nodiscard]] QString currentFileName() const;
    // The document-loaded mark lives in the Tag of Menu_Open.
    [[nodiscard]] bool documentLoaded() const;
    [[nodiscard]] const RecorderDocument& document() const { return *document_; }

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
    void setDocumentLoaded();
    void setCurrentFileName(const QString& path);
    [[nodiscard]] QString openDialog();
    [[nodiscard]] QString dialogFolder() const;
    void showRecentFiles();
    void openRecentFile(int index);
    void openReportWindow();
    void askPrintRange();

    Prompts& prompts_;
    std::unique_ptr<RecorderDocument> document_;
    // The pages in the order the open command fills them.
    std::vector<DocumentView*> pages_;
    TAboutBox* AboutBox = nullptr; // created at start-up, stays hidden

    QTabWidget* PageControl_Main = nullptr;
    ServicePage* servicePage_ = nullptr;
    LoadSpectrumPage* loadPage_ = nullptr;
    QProgressBar* ProgressBar_Read = nullptr;
    PanelStatusBar* StatusBar_Main = nullptr;
    QAction* Menu_Open = nullptr;
    QAction* Menu_Parametr_Bank0 = nullptr;
    QAction* Menu_Parametr_Bank1 = nullptr;
    QMenu* Menu_Recent = nullptr;
    QAction* M_IK = nullptr;
    QAction* M_CRP = nullptr;
    QAction* M_Oper = nullptr;
    QAction* M_Per = nullptr;
    PrintRange printRange_;
    ReportPreview reportPreview_ = previewModally;
    int checkedBank_ = -1; // no mark until a file is opened
    QSettings* settings_ = nullptr;
    RecentFiles recentFiles_;
};

} // namespace zurval
