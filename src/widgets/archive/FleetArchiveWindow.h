#pragma once

#include "core/archive/FleetArchive.h"

#include <QWidget>
#include <memory>
#include <vector>

class QLabel;
class QPushButton;
class QSplitter;

namespace zurval {

class CraneChart;
class Prompts;
class SummaryGrid;

// The readings of one crane and recorder: a row each, oldest first, and the chart of the
// characteristic number with the forecast.
class CraneReadingsWindow : public QWidget {
    Q_OBJECT
public:
    explicit CraneReadingsWindow(QWidget* parent = nullptr);

    void showCrane(const FleetRow& row, const std::vector<StoredReading>& readings);
    [[nodiscard]] CraneChart* chart() const { return Chart_Crane; }

private:
    QLabel* Label_Crane;
    QSplitter* split_;
    SummaryGrid* Grid_CraneReadings;
    CraneChart* Chart_Crane;
    QLabel* Label_CraneForecast;
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

private:
    Prompts& prompts_;
    std::shared_ptr<const FleetArchive> archive_;
    std::vector<FleetRow> rows_;
    QLabel* Label_FleetArchive;
    SummaryGrid* Grid_Fleet;
    QLabel* Label_FleetCount;
    QPushButton* Button_FleetSaveCsv;
    CraneReadingsWindow* craneWindow_ = nullptr;
};

} // namespace zurval
