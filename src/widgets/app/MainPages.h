#pragma once

#include <QObject>
#include <vector>

class QProgressBar;
class QPushButton;
class QTabWidget;
class QWidget;

namespace zurval {

class DocumentView;
class FrameBrowserPage;
class LoadSpectrumPage;
class ParameterChartPage;
class Prompts;
class ProtectionViewPage;
class RecorderSession;
class RelayChartPage;
class ServicePage;

// The tab pages of the main window, each mirroring the session, above the progress bar of
// the device reads and its abort button.
struct MainPages {
    QWidget* central = nullptr; // the pages, the progress bar and the abort button
    QProgressBar* ProgressBar_Read = nullptr;
    QPushButton* Button_Abort = nullptr;
    QTabWidget* PageControl_Main = nullptr;
    QWidget* TabSheet_Cikl = nullptr;
    QWidget* TabSheet_Grafik = nullptr;
    QTabWidget* PageControl_Cikl = nullptr;
    QTabWidget* PageControl_Grafik = nullptr;
    ServicePage* service = nullptr;
    LoadSpectrumPage* load = nullptr;
    FrameBrowserPage* browser = nullptr;
    ParameterChartPage* parameters = nullptr;
    RelayChartPage* relays = nullptr;
    ProtectionViewPage* protection = nullptr;
    // In the open command's order: the protection view draws the oldest frame before the
    // overload page, the browser and the charts are filled.
    std::vector<DocumentView*> inFillOrder;
};

[[nodiscard]] MainPages buildMainPages(RecorderSession& session, Prompts& prompts);

// The jumps between pages: a chart point to the browser, a relay mark or the browser's
// "Отобразить КЗ" to the protection view, a chosen frame into the protection view's field.
class PageNavigator : public QObject {
    Q_OBJECT
public:
    PageNavigator(const MainPages& pages, QObject* parent);

    // The browser in front, showing FrameSelection from entry k.
    void showBrowserAt(int k);
    // The protection view in front, drawing frame number.
    void showProtectionFrame(int number);
    // The protection view in front, drawing the frame typed in its field.
    void showTypedProtectionFrame();

private:
    MainPages pages_;
};

} // namespace zurval
