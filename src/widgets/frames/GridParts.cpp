#include "widgets/frames/GridParts.h"

#include "widgets/common/StringGrid.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollBar>
#include <QVBoxLayout>

namespace zurval {

StringGrid* fixedGrid(const char* name, int columns, int rows, int columnWidth, int rowHeight) {
    auto* grid = new StringGrid(columns, rows, columnWidth, rowHeight);
    grid->setObjectName(QString::fromLatin1(name));
    const int frame = 2 * grid->frameWidth();
    grid->setFixedSize(columns * columnWidth + frame, rows * rowHeight + frame);
    return grid;
}

QScrollBar* windowScrollBar(const char* name, const StringGrid* grid, int maximum) {
    auto* bar = new QScrollBar(Qt::Horizontal);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setRange(0, maximum);
    bar->setSingleStep(1);
    // A click beside the thumb shows the next window of entries.
    bar->setPageStep(grid->columnCount());
    bar->setFixedWidth(grid->width());
    return bar;
}

CaptionPanel captionPanel(const char* name, const std::vector<CaptionLabel>& rows,
                          const StringGrid* grid, const QScrollBar* scrollBar,
                          const char* countCaptionName, const char* countName) {
    CaptionPanel out;
    out.panel = new QFrame;
    out.panel->setObjectName(QString::fromLatin1(name));
    out.panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    auto* column = new QVBoxLayout(out.panel);
    const int inset = grid->frameWidth();
    column->setContentsMargins(4, inset, 6, 0);
    column->setSpacing(0);
    const int rowHeight = grid->rowHeight(0);
    for (const CaptionLabel& row : rows) {
        auto* label = new QLabel(row.text);
        label->setObjectName(row.objectName);
        label->setFixedHeight(rowHeight);
        column->addWidget(label);
    }
    column->addSpacing(inset);

    auto* countCaption = new QLabel(QStringLiteral("Отобрано кадров:"));
    countCaption->setObjectName(QString::fromLatin1(countCaptionName));
    out.count = new QLabel;
    out.count->setObjectName(QString::fromLatin1(countName));
    auto* foot = new QWidget;
    foot->setFixedHeight(scrollBar->sizeHint().height());
    auto* footRow = new QHBoxLayout(foot);
    footRow->setContentsMargins(0, 0, 0, 0);
    footRow->setSpacing(4);
    footRow->addWidget(countCaption);
    footRow->addWidget(out.count, 1);
    column->addWidget(foot);
    return out;
}

} // namespace zurval
