#pragma once

#include "core/export/FleetSummary.h"

#include <QWidget>
#include <memory>
#include <vector>

class QLabel;
class QProgressBar;
class QPushButton;

namespace zurval {

class FleetJobRunner;
class Prompts;
class SummaryGrid;

// "Сводка по папке": a window of its own with one row per recording of a folder, read in
// the background on every core. The columns sort on a click on their heading; a
// double-click on a row of a file that could be read asks the main window to open it.
class FleetSummaryWindow : public QWidget {
    Q_OBJECT
public:
    FleetSummaryWindow(Prompts& prompts, QWidget* parent = nullptr);
    ~FleetSummaryWindow() override;

    // Forgets the rows shown and reads folder; a reading still running is given up.
    void readFolder(const QString& folder);
    [[nodiscard]] bool reading() const;
    // Blocks until the reading has ended and its rows are shown.
    void waitUntilRead();
    [[nodiscard]] const std::vector<RecordingSummary>& rows() const { return rows_; }
    // "Сохранить CSV...": the save dialog, then the table as CSV.
    void Button_SaveCsvClick();

signals:
    void openRequested(const QString& path);

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void readingEnded();
    void showProgress(int done, int total);
    void showRows();

    Prompts& prompts_;
    QLabel* Label_SummaryFolder;
    SummaryGrid* Grid_Summary;
    QProgressBar* ProgressBar_Summary;
    QLabel* Label_SummaryCount;
    QPushButton* Button_SaveCsv;

    FleetJobRunner* runner_;
    std::shared_ptr<FleetReading> reading_;
    std::vector<RecordingSummary> rows_;
};

} // namespace zurval
