#include "widgets/archive/FleetArchiveWindow.h"

#include "core/archive/ArchiveRecording.h"
#include "core/archive/ArchiveTexts.h"
#include "core/common/Clock.h"
#include "core/common/Prompts.h"
#include "render/archive/ArchiveReports.h"
#include "widgets/archive/ArchiveLocationDialog.h"
#include "widgets/archive/CraneChart.h"
#include "widgets/export/ListExportDialog.h"
#include "widgets/export/SummaryGrid.h"

#include <QFileInfo>
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
constexpr int kGridRowsShown = 12;         // of a crane's readings above its chart

const SystemClock kSystemClock;

QLabel* label(const char* name) {
    auto* l = new QLabel;
    l->setObjectName(QString::fromLatin1(name));
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}

QPushButton* button(const QString& text, const char* name) {
    auto* b = new QPushButton(text);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

// A file name proposed for a document of crane.
QString proposedName(const CraneKey& crane, const QString& what) {
    QString name = QStringLiteral("%1 %2 %3 %4.pdf")
                       .arg(what, crane.craneModel)
                       .arg(crane.craneNumber)
                       .arg(crane.recorderNumber);
    return name.replace(u'/', u'-');
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
    Grid_CraneReadings->setToolTip(QStringLiteral("Двойной щелчок открывает считывание"));
    Grid_CraneReadings->setSelectionBehavior(QAbstractItemView::SelectRows);
    Grid_CraneReadings->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(Grid_CraneReadings, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
        emit openRequested(Grid_CraneReadings->item(row, 0)->data(kRowRole).toInt());
    });
    Button_CraneOpen = button(QStringLiteral("Открыть"), "Button_CraneOpen");
    connect(Button_CraneOpen, &QPushButton::clicked, this, [this] {
        if (chosenReading() >= 0)
            emit openRequested(chosenReading());
    });
    connect(Grid_CraneReadings, &QTableWidget::itemSelectionChanged, this,
            [this] { Button_CraneOpen->setEnabled(chosenReading() >= 0); });
    QPushButton* print = button(QStringLiteral("Печать..."), "Button_CranePrint");
    connect(print, &QPushButton::clicked, this, &CraneReadingsWindow::printRequested);
    QPushButton* savePdf = button(QStringLiteral("Сохранить PDF..."), "Button_CraneSavePdf");
    connect(savePdf, &QPushButton::clicked, this, &CraneReadingsWindow::savePdfRequested);

    split_ = new QSplitter(Qt::Vertical);
    split_->addWidget(Grid_CraneReadings);
    split_->addWidget(Chart_Crane);
    split_->setStretchFactor(1, 1);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    column->addWidget(Label_Crane);
    column->addWidget(split_, 1);
    auto* foot = new QHBoxLayout;
    foot->addWidget(Label_CraneForecast, 1);
    foot->addWidget(Button_CraneOpen);
    foot->addWidget(print);
    foot->addWidget(savePdf);
    column->addLayout(foot);
}

int CraneReadingsWindow::chosenReading() const {
    const QList<QTableWidgetItem*> chosen = Grid_CraneReadings->selectedItems();
    if (chosen.isEmpty())
        return -1;
    return Grid_CraneReadings->item(chosen.first()->row(), 0)->data(kRowRole).toInt();
}

void CraneReadingsWindow::showCrane(const FleetRow& row, const std::vector<StoredReading>& readings,
                                    const QDate& today) {
    Label_Crane->setText(craneText(row.crane));
    Grid_CraneReadings->startRows(static_cast<int>(readings.size()));
    for (std::size_t r = 0; r < readings.size(); ++r) {
        Grid_CraneReadings->setCells(static_cast<int>(r), readingCells(readings[r]));
        Grid_CraneReadings->item(static_cast<int>(r), 0)->setData(kRowRole, static_cast<int>(r));
    }
    Grid_CraneReadings->endRows();
    Grid_CraneReadings->clearSelection();
    Button_CraneOpen->setEnabled(false);
    Grid_CraneReadings->widenToColumns(this, kMargin);
    // The grid as high as its rows, up to a dozen, the chart below it the rest; the window
    // keeps its size.
    const int rowsShown = std::max(1, std::min(static_cast<int>(readings.size()), kGridRowsShown));
    const int gridHeight = Grid_CraneReadings->horizontalHeader()->height() +
                           rowsShown * Grid_CraneReadings->verticalHeader()->defaultSectionSize() +
                           Grid_CraneReadings->horizontalScrollBar()->sizeHint().height() +
                           2 * Grid_CraneReadings->frameWidth();
    split_->setSizes({gridHeight, std::max(1, split_->height() - gridHeight)});
    Chart_Crane->showReadings(readings, row.forecast, today);
    QString forecast = QStringLiteral("Прогноз экспертизы: ") + forecastText(row.forecast);
    if (row.forecast.singleReading)
        forecast += QStringLiteral(" (по одному считыванию)");
    Label_CraneForecast->setText(forecast);
}

FleetArchiveWindow::FleetArchiveWindow(Prompts& prompts, QWidget* parent)
    : QWidget(parent, Qt::Window), prompts_(prompts), clock_(&kSystemClock) {
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

    Button_FleetPrint = button(QStringLiteral("Печать..."), "Button_FleetPrint");
    connect(Button_FleetPrint, &QPushButton::clicked, this,
            &FleetArchiveWindow::Button_FleetPrintClick);

    auto* foot = new QHBoxLayout;
    foot->addWidget(Label_FleetCount, 1);
    foot->addWidget(refreshButton);
    foot->addWidget(Button_FleetSaveCsv);
    foot->addWidget(Button_FleetPrint);
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
    Button_FleetPrint->setEnabled(!rows_.empty());
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
    if (!craneWindow_) {
        craneWindow_ = new CraneReadingsWindow(this);
        connect(craneWindow_, &CraneReadingsWindow::openRequested, this,
                &FleetArchiveWindow::openReading);
        connect(craneWindow_, &CraneReadingsWindow::printRequested, this,
                &FleetArchiveWindow::printCraneHistory);
        connect(craneWindow_, &CraneReadingsWindow::savePdfRequested, this,
                &FleetArchiveWindow::saveCraneHistory);
    }
    craneRow_ = row;
    craneReadings_ = *readings;
    // Shown first, so that the grid and the chart share the height it has.
    craneWindow_->show();
    craneWindow_->raise();
    craneWindow_->showCrane(craneRow_, craneReadings_, clock_->today());
}

std::vector<FleetRow> FleetArchiveWindow::rowsAsShown() const {
    std::vector<FleetRow> shown;
    for (int r = 0; r < Grid_Fleet->rowCount(); ++r)
        shown.push_back(rows_.at(Grid_Fleet->item(r, 0)->data(kRowRole).toUInt()));
    return shown;
}

void FleetArchiveWindow::Button_FleetPrintClick() {
    preview_(
        fleetReport(rowsAsShown(), shownArchiveLocation(archive_->location()), clock_->today()),
        this);
}

report::Document FleetArchiveWindow::craneHistory() const {
    return craneHistoryReport({CraneHistory{craneRow_, craneReadings_}}, clock_->today());
}

void FleetArchiveWindow::printCraneHistory() {
    preview_(craneHistory(), craneWindow_);
}

void FleetArchiveWindow::saveCraneHistory() {
    const QString path =
        prompts_.saveFileName({QStringLiteral("Сохранить PDF"),
                               QString(),
                               {QStringLiteral("PDF (*.pdf)"), QStringLiteral("Все файлы (*)")},
                               QStringLiteral("pdf"),
                               proposedName(craneRow_.crane, QStringLiteral("История крана"))});
    if (path.isEmpty())
        return;
    QString error;
    if (!report::writePdf(craneHistory(), path, &error))
        prompts_.error(QStringLiteral("Не удалось записать файл %1:\n%2").arg(path, error));
}

void FleetArchiveWindow::openReading(int reading) {
    const StoredReading& r = craneReadings_.at(static_cast<std::size_t>(reading));
    if (!opener_)
        return;
    if (!r.recordingKept) {
        // Kept by its path only: from that file, while it is still there.
        if (!QFileInfo::exists(r.path)) {
            prompts_.error(QStringLiteral("Запись этого считывания не хранится в архиве, а "
                                          "файла %1 больше нет.")
                               .arg(r.path));
            return;
        }
        opener_({QString(), std::nullopt, r.path});
        return;
    }
    QString error;
    std::optional<QByteArray> bytes = archive_->recording(r.imageSha256, &error);
    if (!bytes) {
        prompts_.error(QStringLiteral("Архив %1 не отдал запись считывания:\n%2")
                           .arg(shownArchiveLocation(archive_->location()), error));
        return;
    }
    opener_({archivedReadingName(r), std::move(bytes), QString()});
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
