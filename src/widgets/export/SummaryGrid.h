#pragma once

#include "core/export/FleetSummary.h"

#include <QTableWidget>
#include <vector>

namespace zurval {

// A read-only table of summary cells, one row per entry. A click on a heading sorts by that
// column's values: numbers and dates as numbers, texts as the locale orders them, empty cells
// first. Quantities stand on the right.
class SummaryGrid : public QTableWidget {
    Q_OBJECT
public:
    explicit SummaryGrid(const QStringList& captions, QWidget* parent = nullptr);

    // Fills the grid in the order given: startRows, setCells for each row, endRows. Sorting
    // starts in that order until a heading is clicked.
    void startRows(int count);
    void setCells(int row, const std::vector<SummaryCell>& cells);
    void endRows();

    // Widens window, as far as its screen allows, to show every column; margin is that of
    // the window's layout.
    void widenToColumns(QWidget* window, int margin);
};

} // namespace zurval
