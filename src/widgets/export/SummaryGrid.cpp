#include "widgets/export/SummaryGrid.h"

#include <QHeaderView>
#include <QScreen>
#include <QScrollBar>

namespace zurval {
namespace {

constexpr int kRowHeight = 18;
constexpr int kSortArrowWidth = 12;

// A cell that sorts by its value: numbers and dates as numbers, empty cells first.
class SummaryItem : public QTableWidgetItem {
public:
    explicit SummaryItem(const SummaryCell& cell) : QTableWidgetItem(cell.text) {
        setData(Qt::UserRole, cell.sortKey);
        setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        if (cell.quantity)
            setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    bool operator<(const QTableWidgetItem& other) const override {
        const QVariant a = data(Qt::UserRole);
        const QVariant b = other.data(Qt::UserRole);
        if (!a.isValid() || !b.isValid())
            return !a.isValid() && b.isValid();
        if (a.typeId() != QMetaType::QString && b.typeId() != QMetaType::QString)
            return a.toDouble() < b.toDouble();
        return QString::localeAwareCompare(a.toString(), b.toString()) < 0;
    }
};

} // namespace

SummaryGrid::SummaryGrid(const QStringList& captions, QWidget* parent)
    : QTableWidget(0, static_cast<int>(captions.size()), parent) {
    setHorizontalHeaderLabels(captions);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setWordWrap(false);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(kRowHeight);
    horizontalHeader()->setHighlightSections(false);
}

void SummaryGrid::startRows(int count) {
    setSortingEnabled(false);
    setRowCount(0);
    setRowCount(count);
}

void SummaryGrid::setCells(int row, const std::vector<SummaryCell>& cells) {
    for (std::size_t c = 0; c < cells.size(); ++c)
        setItem(row, static_cast<int>(c), new SummaryItem(cells[c]));
}

void SummaryGrid::endRows() {
    resizeColumnsToContents();
    // Room for the sort arrow beside the heading.
    for (int c = 0; c < columnCount(); ++c)
        setColumnWidth(c, columnWidth(c) + kSortArrowWidth);
    horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    setSortingEnabled(true);
}

void SummaryGrid::widenToColumns(QWidget* window, int margin) {
    const int wanted =
        horizontalHeader()->length() + verticalScrollBar()->sizeHint().width() + 2 * margin + 4;
    if (!window->isMaximized() && window->screen() && wanted > window->width())
        window->resize(std::min(wanted, window->screen()->availableGeometry().width() - margin),
                       window->height());
}

} // namespace zurval
