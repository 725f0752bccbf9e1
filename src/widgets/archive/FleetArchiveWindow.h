#pragma once

#include "core/archive/FleetArchive.h"
#include "widgets/reports/ReportWindow.h"

#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

class QLabel;
class QPushButton;
class QSplitter;

namespace zurval {

class Clock;
class CraneChart;
class Prompts;
class SummaryGrid;

// A reading the user opens from the archive: its recording as the archive keeps it, under
// the name the status bar shows, or, for one kept by its path only, that path.
struct ArchivedReadingToOpen {
    QString name;
    std::optional<QByteArray> fileBytes;
    QString path;
};
using ReadingOpener = std::function<void(const ArchivedReadingToOpen&)>;

// The readings of one crane and recorder: a row each, oldest first, and the chart of the
// characteristic number with the forecast. A double-click on a reading or "Открыть" opens
// it in the main window; "Печать..." and "Сохранить PDF..." give the crane's history.
class CraneReadingsWindow : public QWidget {
    Q_OBJECT
public:
    explicit CraneReadingsWindow(QWidget* parent = nullptr);

    void showCrane(const FleetRow& row, const std::vector<StoredReading>& readings,
                   const QDate& today);
    [[nodiscard]] CraneChart* chart() const { return Chart_Crane; }
    // The position in the crane's readings of the row chosen; -1 for none.
    [[nodiscard]] int chosenReading() const;

signals:
    void openRequested(int reading);
    void printRequested();
    void savePdfRequested();

private:
    QLabel* Label_Crane;
    QSplitter* split_;
    SummaryGrid* Grid_CraneReadings;
    CraneChart* Chart_Crane;
    QLabel* Label_CraneForecast;
    QPushButton* Button_CraneOpen;
};

// "Парк кранов": one row per crane and recorder of the archive with its newest reading and
// the forecast of its expert examination. The columns sort on a click on their heading; a
// double-click on a row shows the crane's readings.
class FleetArchiveWindow : public QWidget {
    Q_OBJECT
public:
    FleetArchiveWindow(Prompts& prompts, QWidget* parent = nullptr);

    // Shows the rows of archive, which it keeps for refresh() and the cranes' readings.
    void showArchive(std::shared_ptr<const FleetArchive> archive);
    // Reads the rows anew ("Обновить", and after adding).
    void refresh();
    [[nodiscard]] const std::vector<FleetRow>& rows() const { return rows_; }
    // The readings of rows()[index] in the crane window.
    void showCrane(int index);
    // The crane window once a crane has been shown; nullptr before.
    [[nodiscard]] CraneReadingsWindow* craneWindow() const { return craneWindow_; }
    // "Сохранить CSV...": the save dialog, then the rows as CSV.
    void Button_FleetSaveCsvClick();
    // "Печать...": the fleet table in the order the grid shows, in the print preview.
    void Button_FleetPrintClick();
    // The rows in the order the grid shows them now.
    [[nodiscard]] std::vector<FleetRow> rowsAsShown() const;

    // The crane window's commands on the crane shown: its history in the print preview or
    // into a PDF file the save dialog names; a reading opened through the opener.
    void printCraneHistory();
    void saveCraneHistory();
    void openReading(int reading);

    // Where the reports go (the modal print preview unless a test looks at them), where an
    // opened reading goes, and the clock that says what day it is.
    void setReportPreview(ReportPreview preview) { preview_ = std::move(preview); }
    void setReadingOpener(ReadingOpener opener) { opener_ = std::move(opener); }
    void useClock(const Clock& clock) { clock_ = &clock; }

private:
    [[nodiscard]] report::Document craneHistory() const;

    Prompts& prompts_;
    std::shared_ptr<const FleetArchive> archive_;
    std::vector<FleetRow> rows_;
    FleetRow craneRow_; // of the crane window
    std::vector<StoredReading> craneReadings_;
    ReportPreview preview_ = previewModally;
    ReadingOpener opener_;
    const Clock* clock_;
    QLabel* Label_FleetArchive;
    SummaryGrid* Grid_Fleet;
    QLabel* Label_FleetCount;
    QPushButton* Button_FleetSaveCsv;
    QPushButton* Button_FleetPrint;
    CraneReadingsWindow* craneWindow_ = nullptr;
};

} // namespace zurval
