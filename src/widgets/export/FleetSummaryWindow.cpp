#include "widgets/export/FleetSummaryWindow.h"

#include "core/common/Prompts.h"
#include "widgets/export/ListExportDialog.h"
#include "widgets/export/SummaryGrid.h"
#include "widgets/fleet/FleetJobRunner.h"

#include <QBrush>
#include <QCloseEvent>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace zurval {
namespace {

constexpr int kPathRole = Qt::UserRole + 1;
constexpr int kMargin = 11; // of the window's layout

QColor stateColour(FileState state) {
    switch (state) {
    case FileState::Intact:
        return Qt::black;
    case FileState::Damaged:
        return QColor(128, 0, 0); // clMaroon
    case FileState::Unreadable:
        break;
    }
    return QColor(128, 128, 128); // clGray
}

} // namespace

FleetSummaryWindow::FleetSummaryWindow(Prompts& prompts, QWidget* parent)
    : QWidget(parent, Qt::Window), prompts_(prompts) {
    setObjectName("Form_Summary");
    setWindowTitle(QStringLiteral("Сводка по папке"));
    resize(1000, 460);

    Label_SummaryFolder = new QLabel;
    Label_SummaryFolder->setObjectName("Label_SummaryFolder");
    Label_SummaryFolder->setTextInteractionFlags(Qt::TextSelectableByMouse);

    Grid_Summary = new SummaryGrid(summaryCaptions());
    Grid_Summary->setObjectName("Grid_Summary");
    Grid_Summary->setToolTip(QStringLiteral("Двойной щелчок открывает файл в главном окне"));
    connect(Grid_Summary, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
        const QTableWidgetItem* file = Grid_Summary->item(row, 0);
        if (file && !file->data(kPathRole).toString().isEmpty())
            emit openRequested(file->data(kPathRole).toString());
    });

    ProgressBar_Summary = new QProgressBar;
    ProgressBar_Summary->setObjectName("ProgressBar_Summary");
    ProgressBar_Summary->setFormat(QStringLiteral("%v из %m"));
    ProgressBar_Summary->setMaximumWidth(240);
    Label_SummaryCount = new QLabel;
    Label_SummaryCount->setObjectName("Label_SummaryCount");
    Button_SaveCsv = new QPushButton(QStringLiteral("Сохранить CSV..."));
    Button_SaveCsv->setObjectName("Button_SaveCsv");
    Button_SaveCsv->setEnabled(false);
    connect(Button_SaveCsv, &QPushButton::clicked, this, &FleetSummaryWindow::Button_SaveCsvClick);

    auto* foot = new QHBoxLayout;
    foot->addWidget(ProgressBar_Summary);
    foot->addWidget(Label_SummaryCount, 1);
    foot->addWidget(Button_SaveCsv);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    column->addWidget(Label_SummaryFolder);
    column->addWidget(Grid_Summary, 1);
    column->addLayout(foot);

    runner_ = new FleetJobRunner(this);
    connect(runner_, &FleetJobRunner::progress, this, &FleetSummaryWindow::showProgress);
    connect(runner_, &FleetJobRunner::finished, this, &FleetSummaryWindow::readingEnded);
}

FleetSummaryWindow::~FleetSummaryWindow() = default;

bool FleetSummaryWindow::reading() const {
    return runner_->running();
}

void FleetSummaryWindow::readFolder(const QString& folder) {
    runner_->stop();
    rows_.clear();
    Grid_Summary->startRows(0);
    Button_SaveCsv->setEnabled(false);
    Label_SummaryFolder->setText(QStringLiteral("Папка: ") + QDir::toNativeSeparators(folder));
    Label_SummaryCount->setText(QStringLiteral("Поиск файлов..."));
    ProgressBar_Summary->setRange(0, 0);
    ProgressBar_Summary->show();

    reading_ = std::make_shared<FleetReading>(folder);
    runner_->start(reading_);
}

void FleetSummaryWindow::waitUntilRead() {
    runner_->wait();
}

void FleetSummaryWindow::readingEnded() {
    rows_ = reading_->rows();
    showRows();
}

void FleetSummaryWindow::showProgress(int done, int total) {
    if (total < 0)
        return;
    ProgressBar_Summary->setRange(0, std::max(total, 1));
    ProgressBar_Summary->setValue(done);
    if (runner_->running())
        Label_SummaryCount->setText(QStringLiteral("Чтение файлов..."));
}

void FleetSummaryWindow::showRows() {
    const QString folder = reading_->folder();
    Grid_Summary->startRows(static_cast<int>(rows_.size()));
    for (std::size_t r = 0; r < rows_.size(); ++r) {
        const int row = static_cast<int>(r);
        const std::vector<SummaryCell> cells = summaryCells(rows_[r], folder);
        Grid_Summary->setCells(row, cells);
        for (int c = 0; c < Grid_Summary->columnCount(); ++c)
            Grid_Summary->item(row, c)->setForeground(stateColour(rows_[r].state));
        // What could not be read is not offered to the main window: a pipe would keep it
        // waiting for a writer.
        if (rows_[r].state != FileState::Unreadable)
            Grid_Summary->item(row, 0)->setData(kPathRole, rows_[r].path);
    }
    // Sorting starts in the order read (crane, then reading date) until a heading is clicked.
    Grid_Summary->endRows();
    Grid_Summary->widenToColumns(this, kMargin);
    Label_SummaryCount->setText(summaryCounts(rows_));
    Button_SaveCsv->setEnabled(true);
}

void FleetSummaryWindow::Button_SaveCsvClick() {
    const QString folder = reading_ ? reading_->folder() : QString();
    const std::optional<CsvDestination> to = askCsvDestination(
        prompts_, QStringLiteral("Сохранить CSV"), folder, QStringLiteral("сводка.csv"));
    if (!to)
        return;
    QString error;
    if (!writeCsvFile(to->path, summaryTable(rows_, folder, to->style), &error))
        prompts_.error(QStringLiteral("Не удалось записать файл %1:\n%2").arg(to->path, error));
}

void FleetSummaryWindow::closeEvent(QCloseEvent* e) {
    // Reading on for a window nobody looks at would only take the cores away.
    runner_->stop();
    Label_SummaryCount->setText(QString());
    e->accept();
}

} // namespace zurval
