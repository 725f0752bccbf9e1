#include "widgets/frames/OverloadPage.h"

#include "core/document/RecorderSession.h"

#include "core/common/Prompts.h"
#include "core/document/RecorderDocument.h"
#include "widgets/common/StringGrid.h"
#include "widgets/frames/GridParts.h"

#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace zurval {
namespace {

constexpr int kOverloadColumnWidth = 71;
constexpr int kOverloadRowHeight = 17;

QLabel* summaryLine(const char* name) {
    auto* label = new QLabel;
    label->setObjectName(QString::fromLatin1(name));
    label->hide();
    return label;
}

// A summary line is shown only while it says something.
void showSummaryLine(QLabel* label, const QString& text) {
    label->setText(text);
    label->setVisible(!text.isEmpty());
}

} // namespace

OverloadPage::OverloadPage(RecorderSession& session, Prompts& prompts, QWidget* parent)
    : QWidget(parent), session_(session), document_(session.document()), prompts_(prompts) {
    StringGrid_Per_Otb = fixedGrid("StringGrid_Per_Otb", kOverloadTableColumns, kOverloadTableRows,
                                   kOverloadColumnWidth, kOverloadRowHeight);
    ScrollBar_Per = windowScrollBar("ScrollBar_Per", StringGrid_Per_Otb, kOverloadScrollMaximum);
    connect(ScrollBar_Per, &QScrollBar::valueChanged, this, &OverloadPage::ScrollBar_PerChange);

    std::vector<CaptionLabel> rows;
    for (const RowCaption& row : kOverloadRowCaptions)
        rows.push_back({QString::fromLatin1(row.objectName), QString::fromUtf8(row.caption)});
    const CaptionPanel captions = captionPanel("PCikl_b", rows, StringGrid_Per_Otb, ScrollBar_Per,
                                               "Label_OTBOR", "Label_Per_OtbZap");
    Label_Per_OtbZap = captions.count;

    auto* group = new QGroupBox(QStringLiteral("Условия отбора кадров"));
    group->setObjectName("GroupBox5");
    auto* caption = new QLabel(QStringLiteral("Загрузка      M% > "));
    caption->setObjectName("Label184");
    Edit_Per_M = new QLineEdit(QStringLiteral("0"));
    Edit_Per_M->setObjectName("Edit_Per_M");
    Edit_Per_M->setFixedWidth(50);
    auto* select = new QPushButton(QStringLiteral("Отобрать записи"));
    select->setObjectName("Button3");
    connect(select, &QPushButton::clicked, this, &OverloadPage::Button3Click);
    auto* conditions = new QHBoxLayout(group);
    conditions->setContentsMargins(8, 2, 8, 4);
    conditions->setSpacing(4);
    conditions->addWidget(caption);
    conditions->addWidget(Edit_Per_M);
    conditions->addSpacing(12);
    conditions->addWidget(select);
    conditions->addStretch(1);

    Label_MaxM = summaryLine("Label_MaxM");
    Label_LastM = summaryLine("Label_LastM");

    auto* gridColumn = new QVBoxLayout;
    gridColumn->setSpacing(0);
    gridColumn->addWidget(StringGrid_Per_Otb);
    gridColumn->addWidget(ScrollBar_Per);
    auto* table = new QHBoxLayout;
    table->setSpacing(4);
    table->addWidget(captions.panel, 0, Qt::AlignTop);
    table->addLayout(gridColumn);
    table->addStretch(1);

    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(4, 4, 4, 4);
    page->setSpacing(4);
    page->addLayout(table);
    page->addWidget(group, 0, Qt::AlignLeft);
    page->addWidget(Label_MaxM);
    page->addWidget(Label_LastM);
    page->addStretch(1);
    clear();
}

void OverloadPage::clear() {
    // The summary lines stay: only opening a file computes them.
    Edit_Per_M->setText(QStringLiteral("0"));
    Label_Per_OtbZap->setText(QStringLiteral("0"));
}

void OverloadPage::show() {
    const OverloadSummary& lines = session_.texts().overloads;
    showSummaryLine(Label_MaxM, lines.largest);
    showSummaryLine(Label_LastM, lines.last);
    showColumns(overloadColumns(*document_.cyclic.overloadList, *document_.cyclic.overloadSelection,
                                ScrollBar_Per->value(), OverloadFill::AfterOpening,
                                document_.recorderVersion));
    // The eight newest records; scrolling there refills the table by its own rule.
    ScrollBar_Per->setValue(kOverloadScrollMaximum);
}

void OverloadPage::showColumns(const OverloadColumns& columns) {
    for (int c = 0; c < kOverloadTableColumns; ++c)
        for (int r = 0; r < kOverloadTableRows; ++r)
            StringGrid_Per_Otb->setCellText(c, r, columns[c][r]);
}

void OverloadPage::ScrollBar_PerChange(int position) {
    showColumns(overloadColumns(*document_.cyclic.overloadList, *document_.cyclic.overloadSelection,
                                position, OverloadFill::Scrolling, document_.recorderVersion));
}

void OverloadPage::Button3Click() {
    const OverloadArray& list = *document_.cyclic.overloadList;
    OverloadSelection& selection = *document_.cyclic.overloadSelection;
    const OverloadSelectionRun run = selectOverloads(list, Edit_Per_M->text(), selection);
    if (!run.error.isEmpty()) {
        prompts_.error(run.error);
        return;
    }
    Label_Per_OtbZap->setText(QString::number(run.count));
    showColumns(overloadColumns(list, selection, ScrollBar_Per->value(),
                                OverloadFill::AfterSelection, document_.recorderVersion));
    ScrollBar_Per->setValue(kOverloadScrollMaximum);
}

} // namespace zurval
