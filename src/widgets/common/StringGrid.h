#pragma once

#include "widgets/common/DescribesOwnState.h"

#include <QTableWidget>

namespace zurval {

// A fixed table of texts, as the pages use for frames, overloads and zone points. With a
// fixed row, row 0 is a header that stays in place while the rest scrolls. Cells are
// read-only; choosing a cell with the mouse or the keyboard emits cellSelected.
class StringGrid : public QTableWidget, public DescribesOwnState {
    Q_OBJECT
public:
    // rows counts the fixed row too.
    StringGrid(int columns, int rows, int columnWidth, int rowHeight, bool fixedRow = false,
               QWidget* parent = nullptr);

    [[nodiscard]] int gridRowCount() const { return rowCount() + (fixedRow_ ? 1 : 0); }
    void setCellText(int column, int row, const QString& text);
    [[nodiscard]] QString cellText(int column, int row) const;
    // Empties every cell of rows firstRow .. lastRow (to the last row when lastRow is -1).
    void clearRows(int firstRow = 0, int lastRow = -1);
    // What a click on that cell does.
    void selectCell(int column, int row);

    // Every row, the fixed one first, as the state dump shows it.
    [[nodiscard]] QJsonObject describeState() const override;

signals:
    void cellSelected(int column, int row);

private:
    [[nodiscard]] QTableWidgetItem* cell(int column, int row) const;
    bool fixedRow_;
};

} // namespace zurval
