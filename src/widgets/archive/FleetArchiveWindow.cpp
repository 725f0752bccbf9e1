#include "widgets/archive/FleetArchiveWindow.h"

#include "core/archive/ArchiveTexts.h"
#include "core/common/Prompts.h"
#include "widgets/archive/ArchiveLocationDialog.h"
#include "widgets/archive/CraneChart.h"
#include "widgets/export/ListExportDialog.h"
#include "widgets/export/SummaryGrid.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QVBoxLayout>

namespace zurval {
namespace {

constexpr int kRowRole = Qt::UserRole + 1; // the row's position in rows()
constexpr int kMargin = 11;                // of the windows' layouts
constexpr int kGridRowsShown = 8;          // of a crane's readings above its chart

QLabel* label(const char* name) {
    auto* l = new QLabel;
    l->setObjectName(QString::fromLatin1(name));
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}

QString craneText(const CraneKey& crane) {
    return QStringLiteral("Кран %1 № %2, регистратор № %3")
        .arg(crane.craneModel)
        .arg(crane.craneNumber)
        .arg(crane.recorderNumber);
}

} // namespace

CraneReadingsWindow::CraneReadingsWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("Form_Crane");
    setWindowTitle(QStringLiteral("Считывания крана"));
    resize(900, 680);

    Label_Crane = label("Label_Crane");
    Grid_CraneReadings = new SummaryGrid(readingCaptions());
    Grid_CraneReadings->setObjectName("Grid_CraneReadings");
    Chart_Crane = new CraneChart;
    Chart_Crane->setObjectName("Chart_Crane");
    Chart_Crane->setMinimumHeight(260);
    Label_CraneForecast = label("Label_CraneForecast");

    split_ = new QSplitter(Qt::Vertical);
    split_->addWidget(Grid_CraneReadings);
    split_->addWidget(Chart_Crane);
    split_->setStretchFactor(1, 1);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    column->addWidget(Label_Crane);
    column->addWidget(split_, 1);
    column->addWidget(Label_CraneForecast);
}

void CraneReadingsWindow::showCrane(const FleetRow& row,
                                    const std::vector<StoredReading>& readings) {
    Label_Crane->setText(craneText(row.crane));
    Grid_CraneReadings->startRows(static_cast<int>(readings.size()));
    for (std::size_t r = 0; r < readings.size(); ++r)
        Grid_CraneReadings->setCells(static_cast<int>(r), readingCells(readings[r]));
    Grid_CraneReadings->endRows();
    Grid_CraneReadings->widenToColumns(this, kMargin);
    // The grid as high as its rows, up to a few, the chart below it the rest.
    const int rowsShown = std::min(static_cast<int>(readings.size()), kGridRowsShown);
    const int gridHeight = Grid_CraneReadings->horizontalHeader()->height() +
                           rowsShown * Grid_CraneReadings->verticalHeader()->defaultSectionSize() +
                           Grid_CraneReadings->horizontalScrollBar()->sizeHint().height() +
                           2 * Grid_CraneReadings->frameWidth();
    split_->setSizes({gridHeight, split_->height() - gridHeight});
    Chart_Crane->showReadings(readings, row.forecast);
    QString forecast = QStringLiteral("Прогноз экспертизы: ") + forecastText(row.forecast);
    if (row.forecast.singleReading)
        forecast += QStringLiteral(" (по одному считыванию)");
    Label_CraneForecast->setText(forecast);
}

FleetArchiveWindow::FleetArchiveWindow(Prompts& prompts, QWidget* parent)
    : QWidget(parent, Qt::Window), prompts_(prompts) {
    setObjectName("Form_Fleet");
    setWindowTitle(QStringLiteral("Парк кранов"));
    resize(1000, 460);

    Label_FleetArchive = label("Label_FleetArchive");
    Grid_Fleet = new SummaryGrid(fleetCaptions());
    Grid_Fleet->setObjectName("Grid_Fleet");
    Grid_Fleet->setToolTip(QStringLiteral("Двойной щелчок показывает считывания крана"));
    connect(Grid_Fleet, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int) { showCrane(Grid_Fleet->item(row, 0)->data(kRowRole).toInt()); });
    Label_FleetCount = label("Label_FleetCount");
    auto* refreshButton = new QPushButton(QStringLiteral("Обновить"));
    refreshButton->setObjectName("Button_FleetRefresh");
    connect(refreshButton, &QPushButton::clicked, this, &FleetArchiveWindow::refresh);
    Button_FleetSaveCsv = new QPushButton(QStringLiteral("Сохранить CSV..."));
    Button_FleetSaveCsv->setObjectName("Button_FleetSaveCsv");
    connect(Button_FleetSaveCsv, &QPushButton::clicked, this,
            &FleetArchiveWindow::Button_FleetSaveCsvClick);

    auto* foot = new QHBoxLayout;
    foot->addWidget(Label_FleetCount, 1);
    foot->addWidget(refreshButton);
    foot->addWidget(Button_FleetSaveCsv);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    column->addWidget(Label_FleetArchive);
    column->addWidget(Grid_Fleet, 1);
    column->addLayout(foot);
}

void FleetArchiveWindow::showArchive(std::shared_ptr<const FleetArchive> archive) {
    archive_ = std::move(archive);
    Label_FleetArchive->setText(QStringLiteral("Архив: ") +
                                shownArchiveLocation(archive_->location()));
    refresh();
}

void FleetArchiveWindow::refresh() {
    QString error;
    std::optional<std::vector<FleetRow>> read = archive_->fleet(&error);
    rows_ = read ? std::move(*read) : std::vector<FleetRow>();
    Grid_Fleet->startRows(static_cast<int>(rows_.size()));
    int readings = 0;
    for (std::size_t r = 0; r < rows_.size(); ++r) {
        Grid_Fleet->setCells(static_cast<int>(r), fleetCells(rows_[r]));
        Grid_Fleet->item(static_cast<int>(r), 0)->setData(kRowRole, static_cast<int>(r));
        readings += rows_[r].readingCount;
    }
    // Sorting starts by crane and recorder until a heading is clicked.
    Grid_Fleet->endRows();
    Grid_Fleet->widenToColumns(this, kMargin);
    Label_FleetCount->setText(
        QStringLiteral("Кранов: %1, считываний: %2").arg(rows_.size()).arg(readings));
    Button_FleetSaveCsv->setEnabled(!rows_.empty());
    if (!read)
        prompts_.error(QStringLiteral("Архив %1 не читается:\n%2")
                           .arg(shownArchiveLocation(archive_->location()), error));
}

void FleetArchiveWindow::showCrane(int index) {
    const FleetRow& row = rows_.at(static_cast<std::size_t>(index));
    QString error;
    const std::optional<std::vector<StoredReading>> readings =
        archive_->readings(row.crane, &error);
    if (!readings) {
        prompts_.error(QStringLiteral("Архив %1 не читается:\n%2")
                           .arg(shownArchiveLocation(archive_->location()), error));
        return;
    }
    if (!craneWindow_)
        craneWindow_ = new CraneReadingsWindow(this);
    // Shown first, so that the grid and the chart share the height it has.
    craneWindow_->show();
    craneWindow_->raise();
    craneWindow_->showCrane(row, *readings);
}

void FleetArchiveWindow::Button_FleetSaveCsvClick() {
    const std::optional<CsvDestination> to = askCsvDestination(
        prompts_, QStringLiteral("Сохранить CSV"), QString(), QStringLiteral("парк кранов.csv"));
    if (!to)
        return;
    QString error;
    if (!writeCsvFile(to->path, fleetTable(rows_, to->style), &error))
        prompts_.error(QStringLiteral("Не удалось записать файл %1:\n%2").arg(to->path, error));
}

} // namespace zurval
