#include "widgets/common/StringGrid.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QJsonArray>
#include <algorithm>

namespace zurval {

StringGrid::StringGrid(int columns, int rows, int columnWidth, int rowHeight, bool fixedRow,
                       QWidget* parent)
    : QTableWidget(std::max(rows - (fixedRow ? 1 : 0), 0), columns, parent), fixedRow_(fixedRow) {
    QHeaderView* top = horizontalHeader();
    top->setVisible(fixedRow);
    top->setDefaultSectionSize(columnWidth);
    top->setMinimumSectionSize(1);
    top->setFixedHeight(rowHeight);
    top->setSectionResizeMode(QHeaderView::Fixed);
    top->setHighlightSections(false);
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(rowHeight);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWordWrap(false);
    for (int c = 0; c < columns; ++c) {
        if (fixedRow)
            setHorizontalHeaderItem(c, new QTableWidgetItem);
        for (int r = 0; r < rowCount(); ++r)
            setItem(r, c, new QTableWidgetItem);
    }
    // A press on a cell chooses it even when it is already the current one.
    connect(this, &QTableWidget::cellPressed, this,
            [this](int row, int column) { emit cellSelected(column, row + (fixedRow_ ? 1 : 0)); });
    connect(this, &QTableWidget::currentCellChanged, this, [this](int row, int column, int, int) {
        // Keys move the current cell; a click has already been told by its press.
        if (row >= 0 && column >= 0 && hasFocus() &&
            QGuiApplication::mouseButtons() == Qt::NoButton)
            emit cellSelected(column, row + (fixedRow_ ? 1 : 0));
    });
}

QTableWidgetItem* StringGrid::cell(int column, int row) const {
    if (column < 0 || column >= columnCount())
        return nullptr;
    if (fixedRow_)
        return row == 0 ? horizontalHeaderItem(column) : item(row - 1, column);
    return item(row, column);
}

void StringGrid::setCellText(int column, int row, const QString& text) {
    if (QTableWidgetItem* it = cell(column, row))
        it->setText(text);
}

QString StringGrid::cellText(int column, int row) const {
    const QTableWidgetItem* it = cell(column, row);
    return it ? it->text() : QString();
}

void StringGrid::clearRows(int firstRow, int lastRow) {
    if (lastRow < 0 || lastRow >= gridRowCount())
        lastRow = gridRowCount() - 1;
    for (int r = std::max(firstRow, 0); r <= lastRow; ++r)
        for (int c = 0; c < columnCount(); ++c)
            setCellText(c, r, QString());
}

void StringGrid::selectCell(int column, int row) {
    const int bodyRow = row - (fixedRow_ ? 1 : 0);
    if (bodyRow < 0 || bodyRow >= rowCount() || column < 0 || column >= columnCount())
        return;
    {
        const QSignalBlocker quiet(this);
        setCurrentCell(bodyRow, column);
    }
    emit cellSelected(column, row);
}

QJsonObject StringGrid::describeState() const {
    QJsonArray rows;
    for (int r = 0; r < gridRowCount(); ++r) {
        QJsonArray row;
        for (int c = 0; c < columnCount(); ++c)
            row.append(cellText(c, r));
        rows.append(row);
    }
    return {{"cells", rows}};
}

} // namespace zurval
