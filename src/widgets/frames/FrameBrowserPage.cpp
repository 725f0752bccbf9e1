#include "widgets/frames/FrameBrowserPage.h"

#include "core/document/RecorderSession.h"

#include "core/common/Prompts.h"
#include "core/document/RecorderDocument.h"
#include "core/frames/FrameSelection.h"
#include "widgets/common/ControlColours.h"
#include "widgets/common/StringGrid.h"
#include "widgets/frames/GridParts.h"

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace zurval {
namespace {

constexpr int kColumnWidth = 125;
constexpr int kRowHeight = 17;
constexpr int kDetailLabelHeight = 14;

QString latin(const char* name) {
    return QString::fromLatin1(name);
}

QGroupBox* detailBox(const char* name, const char* title) {
    auto* box = new QGroupBox(QString::fromUtf8(title));
    box->setObjectName(latin(name));
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(4, 2, 4, 4);
    column->setSpacing(1);
    box->hide();
    return box;
}

QLabel* detailLabel(QGroupBox* box, const char* name, const char* caption) {
    auto* label = new QLabel(QString::fromUtf8(caption));
    label->setObjectName(latin(name));
    label->setFixedHeight(kDetailLabelHeight);
    label->setIndent(3);
    box->layout()->addWidget(label);
    return label;
}

} // namespace

FrameBrowserPage::FrameBrowserPage(RecorderSession& session, Prompts& prompts, QWidget* parent)
    : QWidget(parent), session_(session), document_(session.document()), prompts_(prompts) {
    StringGrid_O_Otb =
        fixedGrid("StringGrid_O_Otb", kBrowserColumns, kBrowserRows, kColumnWidth, kRowHeight);
    StringGrid_O_Otb->viewport()->setCursor(Qt::PointingHandCursor);
    const QString hint = QStringLiteral("Для расшифровки кодов укажите ячейку");
    StringGrid_O_Otb->setToolTip(hint);
    StringGrid_O_Otb->setStatusTip(hint);
    connect(StringGrid_O_Otb, &StringGrid::cellSelected, this,
            &FrameBrowserPage::StringGrid_O_OtbSelectCell);

    auto* popup = new QMenu(this);
    popup->setObjectName("PopupMenu_Grafik");
    QAction* goKz = popup->addAction(QStringLiteral("Отобразить КЗ"));
    goKz->setObjectName("Go_KZ");
    connect(goKz, &QAction::triggered, this, &FrameBrowserPage::protectionViewRequested);
    StringGrid_O_Otb->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(StringGrid_O_Otb, &QWidget::customContextMenuRequested, this, [this, popup](QPoint at) {
        popup->popup(StringGrid_O_Otb->viewport()->mapToGlobal(at));
    });

    ScrollBar_Cikl = windowScrollBar("ScrollBar_Cikl", StringGrid_O_Otb, kBrowserScrollMaximum);
    connect(ScrollBar_Cikl, &QScrollBar::valueChanged, this,
            &FrameBrowserPage::ScrollBar_CiklChange);

    auto* gridColumn = new QVBoxLayout;
    gridColumn->setSpacing(0);
    gridColumn->addWidget(StringGrid_O_Otb);
    gridColumn->addWidget(ScrollBar_Cikl);

    auto* browser = new QHBoxLayout;
    browser->setSpacing(4);
    browser->addWidget(buildRowCaptions(), 0, Qt::AlignTop);
    browser->addLayout(gridColumn);
    browser->addWidget(buildDetailArea(), 1);

    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(4, 4, 4, 4);
    page->setSpacing(4);
    page->addLayout(browser);
    page->addWidget(buildSelectionGroup());
    page->addStretch(1);
    clear();
}

QWidget* FrameBrowserPage::buildRowCaptions() {
    std::vector<CaptionLabel> rows;
    for (const char* caption : kBrowserRowCaptions)
        rows.push_back({QString(), QString::fromUtf8(caption)});
    const CaptionPanel captions =
        captionPanel("Panel7", rows, StringGrid_O_Otb, ScrollBar_Cikl, "Label72", "Label_O_OtbZap");
    Label_O_OtbZap = captions.count;
    return captions.panel;
}

QWidget* FrameBrowserPage::buildDetailArea() {
    auto* area = new QWidget;
    auto* column = new QVBoxLayout(area);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);

    auto* hint = new QLabel(QStringLiteral("Бинарный код расшифровывается справа на лево"));
    hint->setObjectName("Label64");
    QFont bold = hint->font();
    bold.setBold(true);
    hint->setFont(bold);
    hint->setWordWrap(true);
    column->addWidget(hint);

    // The boxes share one place: a cell choice shows one of the first four, and under
    // "Координатная защита" the extra flags of layout 3.
    struct Box {
        const char* name;
        const char* title;
        const DetailLabel* labels;
        std::size_t count;
    };
    const Box boxes[] = {
        {"GB_DV", "Дискретные входы", kInputLabels.data(), kInputLabels.size()},
        {"GB_DV3", "Дискретные входы", kInputLabels3.data(), kInputLabels3.size()},
        {"GB_VR", "Выходные реле", kRelayLabels.data(), kRelayLabels.size()},
        {"GB_KZ", "Координатная защита", kLimitLabels.data(), kLimitLabels.size()},
    };
    for (const Box& b : boxes) {
        QGroupBox* box = detailBox(b.name, b.title);
        for (std::size_t i = 0; i < b.count; ++i) {
            QLabel* label = detailLabel(box, b.labels[i].objectName, b.labels[i].caption);
            setControlBackground(label, buttonFace());
            detailLabels_.insert(label->objectName(), label);
        }
        detailBoxes_.insert(box->objectName(), box);
        column->addWidget(box);
    }
    QGroupBox* extra = detailBox("GB_DopInf", "Дополнительная информация");
    for (const ExtraInfoLabel& l : kExtraInfoLabels)
        detailLabels_.insert(latin(l.objectName), detailLabel(extra, l.objectName, ""));
    detailBoxes_.insert(extra->objectName(), extra);
    column->addWidget(extra);
    column->addStretch(1);
    return area;
}

QGroupBox* FrameBrowserPage::buildSelectionGroup() {
    auto* group = new QGroupBox(QStringLiteral("Условия отбора кадров"));
    group->setObjectName("GroupBox_Otbor");
    auto checkBox = [this](const char* name, const char* caption) {
        auto* box = new QCheckBox(QString::fromUtf8(caption));
        box->setObjectName(latin(name));
        connect(box, &QCheckBox::clicked, this, [this] { runSelection(); });
        return box;
    };
    CheckBox_VLim = checkBox("CheckBox_VLim", "Введено ограничение");
    CheckBox_Error = checkBox("CheckBox_Error", "Коды отказа");
    CheckBox_SLim = checkBox("CheckBox_SLim", "Сработало ограничение");
    CheckBox_O_DO = checkBox("CheckBox_O_DO", "Достигнутые ограничения");

    auto* caption = new QLabel(QStringLiteral("Загрузка    M% > "));
    caption->setObjectName("Label73");
    Edit_O_M = new QLineEdit;
    Edit_O_M->setObjectName("Edit_O_M");
    Edit_O_M->setFixedWidth(50);
    Edit_O_M->installEventFilter(this);
    auto* find = new QPushButton(QStringLiteral("Найти"));
    find->setObjectName("Button_Find");
    connect(find, &QPushButton::clicked, this, [this] { runSelection(); });

    auto* grid = new QGridLayout(group);
    grid->setContentsMargins(8, 2, 8, 4);
    grid->setVerticalSpacing(2);
    grid->setHorizontalSpacing(16);
    grid->addWidget(CheckBox_VLim, 0, 0);
    grid->addWidget(CheckBox_SLim, 0, 1);
    grid->addWidget(CheckBox_Error, 1, 0);
    grid->addWidget(CheckBox_O_DO, 1, 1);
    auto* threshold = new QHBoxLayout;
    threshold->setSpacing(4);
    threshold->addWidget(caption);
    threshold->addWidget(Edit_O_M);
    grid->addLayout(threshold, 0, 2);
    grid->addWidget(find, 1, 2, Qt::AlignLeft);
    grid->setColumnStretch(3, 1);
    return group;
}

void FrameBrowserPage::clear() {
    // The row of checksum states is left as it was, as the page has always done.
    StringGrid_O_Otb->clearRows(0, 17);
    shownFrames_ = {};
    for (QCheckBox* box : {CheckBox_Error, CheckBox_VLim, CheckBox_SLim, CheckBox_O_DO})
        box->setChecked(false);
    Edit_O_M->setText(QStringLiteral("0"));
    Label_O_OtbZap->setText(QStringLiteral("0"));
}

void FrameBrowserPage::show() {
    ScrollBar_Cikl->setMaximum(kBrowserScrollMaximum);
    showColumns(browserColumns(*document_.cyclic.frameList, *document_.cyclic.frameSelection,
                               ScrollBar_Cikl->value(), BrowserFill::AfterOpening));
    // The three newest frames; scrolling there refills the window by its own rule.
    ScrollBar_Cikl->setValue(kBrowserScrollMaximum);
}

void FrameBrowserPage::jumpToFrame(int k) {
    ScrollBar_Cikl->setValue(k);
    showColumns(browserColumns(*document_.cyclic.frameList, *document_.cyclic.frameSelection, k,
                               BrowserFill::AfterOpening));
}

void FrameBrowserPage::showColumns(const BrowserColumns& columns) {
    for (int c = 0; c < kBrowserColumns; ++c)
        for (int r = 0; r < kBrowserRows; ++r)
            StringGrid_O_Otb->setCellText(c, r, columns.cells[c][r]);
    shownFrames_ = columns.frames;
}

void FrameBrowserPage::ScrollBar_CiklChange(int position) {
    showColumns(browserColumns(*document_.cyclic.frameList, *document_.cyclic.frameSelection,
                               position, BrowserFill::Scrolling));
    // An open detail box follows the first column.
    const int row = detailRowToFollow(detailMemory_);
    if (row >= 0)
        StringGrid_O_OtbSelectCell(0, row);
}

void FrameBrowserPage::StringGrid_O_OtbSelectCell(int column, int row) {
    const std::optional<int> frame =
        column >= 0 && column < kBrowserColumns ? shownFrames_[column] : std::nullopt;
    const DetailView view =
        selectBrowserCell(row, frame, session_.loaded(), detailMemory_, document_.recorderVersion,
                          *document_.cyclic.frameList);
    for (QGroupBox* box : std::as_const(detailBoxes_))
        box->hide();
    detailMemory_ = view.detailMemory;
    if (view.frameNumberText)
        emit frameNumberChosen(*view.frameNumberText);
    for (const LabelColour& c : view.colours)
        setControlBackground(detailLabels_.value(latin(c.objectName)), toQColor(c.colour));
    for (const LabelText& t : view.texts)
        detailLabels_.value(latin(t.objectName))->setText(t.text);
    for (const char* name : view.shownBoxes)
        detailBoxes_.value(latin(name))->show();
}

bool FrameBrowserPage::runSelection() {
    if (!session_.loaded())
        return true;
    const FrameConditions conditions{CheckBox_VLim->isChecked(), CheckBox_SLim->isChecked(),
                                     CheckBox_O_DO->isChecked(), CheckBox_Error->isChecked()};
    const FrameArray& list = *document_.cyclic.frameList;
    FrameSelection& selection = *document_.cyclic.frameSelection;
    const FrameSelectionRun run = selectFrames(list, Edit_O_M->text(), conditions, selection);
    if (!run.error.isEmpty()) {
        prompts_.error(run.error);
        return false;
    }
    // From the window start, so that a run that leaves the position where it was still shows
    // the entries the scroll bar points at.
    showColumns(
        browserColumns(list, selection, ScrollBar_Cikl->value(), BrowserFill::AfterSelection));
    Label_O_OtbZap->setText(QString::number(run.count));
    // A new position, or one the smaller range pulls down, refills the window by scrolling.
    ScrollBar_Cikl->setMaximum(run.scrollMaximum);
    ScrollBar_Cikl->setValue(run.scrollPosition);
    return true;
}

bool FrameBrowserPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Edit_O_M && event->type() == QEvent::KeyPress) {
        // Red until a run has taken the threshold; a threshold that is no integer stays red.
        setControlColour(Edit_O_M, colours::Red);
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !Edit_O_M->text().isEmpty() &&
            runSelection())
            setControlColour(Edit_O_M, colours::Black);
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace zurval
