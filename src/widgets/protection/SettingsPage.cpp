#include "widgets/protection/SettingsPage.h"

#include "core/document/RecorderSession.h"

#include "core/document/RecorderDocument.h"
#include "widgets/common/ControlColours.h"
#include "widgets/common/StringGrid.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace zurval {
namespace {

constexpr int kGridWidth = 145;
constexpr int kGridHeight = 321;
constexpr int kGridColumnWidth = 40;
constexpr int kGridRowHeight = 15;

QString latin(const char* name) {
    return QString::fromLatin1(name);
}

// Disabled so that nothing can be typed, yet as readable as an enabled control; the
// children take the palette over.
void keepTextReadable(QWidget* w) {
    QPalette p = w->palette();
    for (const QPalette::ColorRole role : {QPalette::Text, QPalette::WindowText})
        p.setColor(QPalette::Disabled, role, p.color(QPalette::Active, role));
    p.setColor(QPalette::Disabled, QPalette::Base, buttonFace());
    w->setPalette(p);
}

} // namespace

SettingsPage::SettingsPage(const RecorderSession& session, QWidget* parent)
    : QWidget(parent), session_(session) {
    auto* zones = new QGroupBox(QStringLiteral("Координатная защита"));
    zones->setObjectName("GroupBox_KZKr");
    zones->setFixedWidth(617);
    auto* zoneColumns = new QHBoxLayout;
    zoneColumns->setSpacing(6);
    for (int z = 0; z < kZoneCount; ++z) {
        const ZoneLayout& layout = kZoneLayouts[z];
        auto* caption = new QLabel(QString::fromUtf8(layout.caption));
        caption->setObjectName(latin(layout.captionLabel));
        caption->setAlignment(Qt::AlignCenter);
        caption->setAutoFillBackground(true);
        captions_[z] = caption;

        auto* grid = new StringGrid(3, layout.capacity + 1, kGridColumnWidth, kGridRowHeight, true);
        grid->setObjectName(latin(layout.grid));
        grid->setFixedSize(kGridWidth, kGridHeight);
        grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        grid->setTextElideMode(Qt::ElideNone); // "-100,00" fills a 40-pixel column
        grids_[z] = grid;

        auto* count = new QLabel;
        count->setObjectName(latin(layout.countLabel));
        counts_[z] = count;
        auto* countRow = new QHBoxLayout;
        countRow->addWidget(new QLabel(QStringLiteral("Всего точек:")));
        countRow->addWidget(count);
        countRow->addStretch(1);

        auto* column = new QVBoxLayout;
        column->setSpacing(2);
        column->addWidget(caption);
        column->addWidget(grid);
        column->addLayout(countRow);
        zoneColumns->addLayout(column);
    }

    auto* entered = new QGroupBox(QStringLiteral("Введенная защита"));
    entered->setObjectName("GroupBox_VKZ");
    entered->setEnabled(false);
    keepTextReadable(entered);
    auto* limitGrid = new QGridLayout(entered);
    limitGrid->setContentsMargins(8, 2, 8, 4);
    limitGrid->setVerticalSpacing(2);
    for (int k = 0; k < kLimitCount; ++k) {
        auto* caption = new QLabel(QString::fromUtf8(kLimitFields[k].caption));
        caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto* edit = new QLineEdit;
        edit->setObjectName(latin(kLimitFields[k].edit));
        edit->setFrame(false);
        edit->setReadOnly(true);
        edit->setFixedWidth(70);
        setControlBackground(edit, buttonFace());
        limits_[k] = edit;
        limitGrid->addWidget(caption, k / 4, (k % 4) * 2);
        limitGrid->addWidget(edit, k / 4, (k % 4) * 2 + 1);
    }

    auto* zoneRows = new QVBoxLayout(zones);
    zoneRows->setContentsMargins(6, 4, 6, 4);
    zoneRows->addLayout(zoneColumns);
    zoneRows->addWidget(entered);
    zoneRows->addStretch(1);

    auto* parameters = new QGroupBox(QStringLiteral("Параметры крана"));
    RE_Param = new QPlainTextEdit;
    RE_Param->setObjectName("RE_Param");
    RE_Param->setReadOnly(true);
    RE_Param->setLineWrapMode(QPlainTextEdit::NoWrap);
    auto* parameterColumn = new QVBoxLayout(parameters);
    parameterColumn->setContentsMargins(4, 4, 4, 4);
    parameterColumn->addWidget(RE_Param);

    auto* page = new QHBoxLayout(this);
    page->setContentsMargins(4, 2, 4, 2);
    page->addWidget(zones);
    page->addWidget(parameters, 1);
    clear();
}

void SettingsPage::showTexts() {
    const ShownTexts& shown = session_.texts();
    RE_Param->setPlainText(shown.listing.join('\n'));
    const ProtectionPageTexts& texts = shown.protection;
    for (int z = 0; z < kZoneCount; ++z) {
        const ZonePageTexts& zone = texts.zones[z];
        setControlBackground(captions_[z],
                             zone.caption == CaptionColour::Red ? colours::Red : buttonFace());
        counts_[z]->setText(zone.count);
        StringGrid* grid = grids_[z];
        grid->clearRows();
        for (int row = 0; row < static_cast<int>(zone.grid.size()); ++row)
            for (int column = 0; column < zone.grid[row].size(); ++column)
                grid->setCellText(column, row, zone.grid[row][column]);
    }
    for (int k = 0; k < kLimitCount; ++k)
        limits_[k]->setText(texts.limits[k]);
}

} // namespace zurval
