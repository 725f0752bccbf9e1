#pragma once

#include <QTableWidget>

namespace zurval {

// A fixed table of texts with no header rows or columns, as the pages use for frames,
// overloads and zone points. Cells are read-only; choosing a cell with the mouse or the
// keyboard emits cellSelected.
class StringGrid : public QTableWidget {
    Q_OBJECT
public:
    StringGrid(int columns, int rows, int columnWidth, int rowHeight, QWidget* parent = nullptr);

    void setCellText(int column, int row, const QString& text);
    [[nodiscard]] QString cellText(int column, int row) const;
    // Empties every cell of the given rows (all rows when none are given).
    void clearRows(int firstRow = 0, int lastRow = -1);
    // What a click on that cell does.
    void selectCell(int column, int row);

signals:
    void cellSelected(int column, int row);
};

} // namespace zurval
