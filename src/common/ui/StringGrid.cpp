#include "StringGrid.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <algorithm>

namespace zurval {

StringGrid::StringGrid(int columns, int rows, int columnWidth, int rowHeight, QWidget* parent)
    : QTableWidget(rows, columns, parent) {
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setDefaultSectionSize(columnWidth);
    horizontalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(rowHeight);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWordWrap(false);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            setItem(r, c, new QTableWidgetItem);
    // A press on a cell chooses it even when it is already the current one.
    connect(this, &QTableWidget::cellPressed, this,
            [this](int row, int column) { emit cellSelected(column, row); });
    connect(this, &QTableWidget::currentCellChanged, this, [this](int row, int column, int, int) {
        // Keys move the current cell; a click has already been told by its press.
        if (row >= 0 && column >= 0 && hasFocus() &&
            QGuiApplication::mouseButtons() == Qt::NoButton)
            emit cellSelected(column, row);
    });
}

void StringGrid::setCellText(int column, int row, const QString& text) {
    if (QTableWidgetItem* it = item(row, column))
        it->setText(text);
}

QString StringGrid::cellText(int column, int row) const {
    const QTableWidgetItem* it = item(row, column);
    return it ? it->text() : QString();
}

void StringGrid::clearRows(int firstRow, int lastRow) {
    if (lastRow < 0 || lastRow >= rowCount())
        lastRow = rowCount() - 1;
    for (int r = std::max(firstRow, 0); r <= lastRow; ++r)
        for (int c = 0; c < columnCount(); ++c)
            setCellText(c, r, QString());
}

void StringGrid::selectCell(int column, int row) {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return;
    {
        const QSignalBlocker quiet(this);
        setCurrentCell(row, column);
    }
    emit cellSelected(column, row);
}

} // namespace zurval
