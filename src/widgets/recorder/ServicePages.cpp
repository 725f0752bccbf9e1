#include "widgets/recorder/ServicePages.h"

#include "core/document/RecorderSession.h"
#include "widgets/common/ControlColours.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QVBoxLayout>
#include <vector>

namespace zurval {
namespace {

// Rows a little tighter than the style's default, so the page fits the fixed window.
constexpr int kEditHeight = 20;

// A group whose layout keeps slim margins.
template <class Layout> Layout* groupLayout(QGroupBox* group) {
    auto* layout = new Layout(group);
    layout->setContentsMargins(8, 4, 8, 4);
    return layout;
}

QLineEdit* readOnlyEdit(const char* name, int width = 0) {
    auto* e = new QLineEdit;
    e->setObjectName(QString::fromLatin1(name));
    e->setReadOnly(true);
    e->setFocusPolicy(Qt::NoFocus);
    e->setFixedHeight(kEditHeight);
    if (width > 0)
        e->setFixedWidth(width);
    return e;
}

QLabel* valueLabel(const char* name) {
    auto* l = new QLabel;
    l->setObjectName(QString::fromLatin1(name));
    l->setMinimumWidth(60);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

QLabel* caption(const QString& text) {
    return new QLabel(text);
}

// A row of caption/control pairs.
QHBoxLayout* row(std::initializer_list<std::pair<QString, QWidget*>> cells) {
    auto* h = new QHBoxLayout;
    h->setSpacing(4);
    bool first = true;
    for (const auto& [text, w] : cells) {
        if (!first)
            h->addSpacing(6);
        first = false;
        h->addWidget(caption(text));
        h->addWidget(w);
    }
    h->addStretch(1);
    return h;
}

// Captions in one column, their controls in the next.
QGridLayout* captionColumn(const std::vector<std::pair<QString, QWidget*>>& rows) {
    auto* grid = new QGridLayout;
    grid->setVerticalSpacing(1);
    grid->setContentsMargins(8, 4, 8, 4);
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
        grid->addWidget(caption(rows[i].first), i, 0);
        grid->addWidget(rows[i].second, i, 1);
    }
    grid->setColumnStretch(2, 1);
    return grid;
}

void fill(QLineEdit* e, const QString& text) {
    e->setText(text);
    e->setCursorPosition(0);
}

const char* const kTimeEditNames[kOperatingTimeCount] = {"Edit_TimeLS", "Edit_TimeLN", "Edit_TimeR",
                                                         "Edit_TimeS", "Edit_TimeGA"};
const char* const kTimeCaptions[kOperatingTimeCount] = {
    "Грузовая лебедка (суммарное):", "Грузовая лебедка (нагруженная):", "Изменения вылета:",
    "Передвижения:", "Повороты:"};

} // namespace

ServicePage::ServicePage(const RecorderSession& session, QWidget* parent)
    : QWidget(parent), session_(session) {
    Edit_MarkaKr = readOnlyEdit("Edit_MarkaKr", 100);
    Edit_NKr = readOnlyEdit("Edit_NKr", 64);
    Edit_ModRP = readOnlyEdit("Edit_ModRP", 76);
    Edit_IspKr = readOnlyEdit("Edit_IspKr", 76);
    Edit_GodKr = readOnlyEdit("Edit_GodKr", 44);
    Edit_VProg = readOnlyEdit("Edit_VProg", 76);
    Edit_NRP = readOnlyEdit("Edit_NRP", 76);
    Edit_DataUst = readOnlyEdit("Edit_DataUst", 64);
    Edit_DataIzm = readOnlyEdit("Edit_DataIzm", 64);
    Edit_DataN1 = readOnlyEdit("Edit_DataN1", 64);
    Edit_DataN0 = readOnlyEdit("Edit_DataN0", 64);
    Edit_Name = readOnlyEdit("Edit_Name", 140);
    Edit_NUd = readOnlyEdit("Edit_NUd", 80);
    Edit_Org = readOnlyEdit("Edit_Org", 150);
    Edit_DataSch = readOnlyEdit("Edit_DataSch", 70);
    Edit_GRKr = readOnlyEdit("Edit_GRKr", 64);
    Edit_HarCh = readOnlyEdit("Edit_HarCh", 80);
    Label_RezhA = valueLabel("Label_RezhA");
    Label_KIspU = valueLabel("Label_KIspU");
    Label_RezhQ = valueLabel("Label_RezhQ");
    Label_KNag = valueLabel("Label_KNag");
    Label_NHarch = valueLabel("Label_NHarch");
    Label_QSumm = valueLabel("Label_QSumm");
    Edit_TimeAll = readOnlyEdit("Edit_TimeAll", 90);
    for (int i = 0; i < kOperatingTimeCount; ++i)
        timeEdits_[i] = readOnlyEdit(kTimeEditNames[i], 90);
    for (int k = 0; k < 10; ++k)
        removalDateEdits_[k] =
            readOnlyEdit(QStringLiteral("Edit_DataSchRP%1").arg(k).toLatin1().constData(), 64);

    auto* crane = new QGroupBox(QStringLiteral("Информация о кране и ограничителе"));
    auto* craneRows = groupLayout<QVBoxLayout>(crane);
    craneRows->setSpacing(2);
    craneRows->addLayout(row({{"Кран:", Edit_MarkaKr}, {"№", Edit_NKr}}));
    craneRows->addLayout(row({{"Тип крана:", Edit_ModRP},
                              {"Стрела:", Edit_IspKr},
                              {"Год изготовления крана:", Edit_GodKr}}));
    craneRows->addLayout(
        row({{"Версия РП:", Edit_VProg}, {"№", Edit_NRP}, {"Установлен на кран", Edit_DataUst}}));
    QGridLayout* changeDates =
        captionColumn({{"Дата последнего изменения параметров крана", Edit_DataIzm},
                       {"Дата  предпоследнего вхождения в режим настройки", Edit_DataN1},
                       {"Дата  последнего вхождения в режим настройки", Edit_DataN0}});
    changeDates->setContentsMargins(0, 0, 0, 0);
    craneRows->addLayout(changeDates);

    auto* person = new QGroupBox(QStringLiteral("Информация об операторе"));
    auto* personRows = groupLayout<QVBoxLayout>(person);
    personRows->setSpacing(2);
    personRows->addLayout(row({{"Информацию считал:", Edit_Name}, {"Удост. №", Edit_NUd}}));
    personRows->addLayout(row({{"Организация:", Edit_Org}, {"Дата считывания:", Edit_DataSch}}));

    auto* duty = new QGroupBox(QStringLiteral("Информация о режимах работы и ресурсе крана"));
    QGridLayout* dutyGrid =
        captionColumn({{"Нормативная группа режима нагружения крана", Edit_GRKr},
                       {"Текущая группа режима работы крана", Label_RezhA},
                       {"Класс использования", Label_KIspU},
                       {"Режим нагружения", Label_RezhQ},
                       {"Коэффициент распределения нагрузок", Label_KNag},
                       {"Характеристическое число (текущее)", Edit_HarCh},
                       {"Характеристическое число (нормативное)", Label_NHarch},
                       {"Суммарная масса поднятых грузов", Label_QSumm}});
    dutyGrid->setVerticalSpacing(1);
    duty->setLayout(dutyGrid);

    auto* times = new QGroupBox(QStringLiteral("Время работы механизмов"));
    std::vector<std::pair<QString, QWidget*>> timeRows{{"Общая наработка крана", Edit_TimeAll}};
    for (int i = 0; i < kOperatingTimeCount; ++i)
        timeRows.emplace_back(kTimeCaptions[i], timeEdits_[i]);
    times->setLayout(captionColumn(timeRows));

    auto* removals = new QGroupBox(QStringLiteral("Даты снятия РП с крана"));
    auto* removalGrid = groupLayout<QGridLayout>(removals);
    removalGrid->setVerticalSpacing(1);
    for (int k = 0; k < 10; ++k) {
        removalGrid->addWidget(caption(QStringLiteral("Дата %1 _______").arg(k)), k % 5,
                               (k / 5) * 2);
        removalGrid->addWidget(removalDateEdits_[k], k % 5, (k / 5) * 2 + 1);
    }

    auto* left = new QVBoxLayout;
    left->addWidget(person);
    left->addWidget(duty);
    left->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addWidget(times);
    right->addWidget(removals);
    right->addStretch(1);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 3);
    columns->addLayout(right, 2);
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(4, 2, 4, 2);
    page->setSpacing(2);
    page->addWidget(crane);
    page->addLayout(columns, 1);

    clear();
}

void ServicePage::showTexts() {
    const ShownTexts& shown = session_.texts();
    const OperatorBlock& op = shown.operatorTexts;
    fill(Edit_Name, op.name);
    fill(Edit_NUd, op.certificate);
    fill(Edit_Org, op.organisation);
    fill(Edit_DataSch, op.readingDate);
    const ServicePageTexts& t = shown.service;
    fill(Edit_NKr, t.craneNumber);
    fill(Edit_GodKr, t.craneYear);
    fill(Edit_ModRP, t.craneType);
    fill(Edit_IspKr, t.jib);
    fill(Edit_GRKr, t.normativeGroup);
    fill(Edit_MarkaKr, t.craneModel);
    fill(Edit_NRP, t.recorderNumber);
    fill(Edit_VProg, t.programVersion);
    fill(Edit_DataUst, t.dateInstalled);
    fill(Edit_DataIzm, t.dateParamsChanged);
    fill(Edit_DataN0, t.dateSetupLast);
    fill(Edit_DataN1, t.dateSetupBefore);
    fill(Edit_HarCh, t.characteristicNumber);
    for (int i = 0; i < kOperatingTimeCount; ++i)
        fill(timeEdits_[i], t.operatingTimes[i]);
    fill(Edit_TimeAll, t.motorHours);
    for (int k = 0; k < 10; ++k)
        fill(removalDateEdits_[k], t.removalDates[k]);
    Label_QSumm->setText(shown.liftedMass);
    Label_NHarch->setText(shown.duty.normativeCharacteristicNumber);
    Label_KIspU->setText(shown.duty.classU);
    Label_KNag->setText(shown.duty.loadSpectrumFactor);
    Label_RezhQ->setText(shown.duty.classQ);
    Label_RezhA->setText(shown.duty.groupA);
}

LoadSpectrumPage::LoadSpectrumPage(const RecorderSession& session, QWidget* parent)
    : QWidget(parent), session_(session) {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(8, 8, 8, 8);
    grid->setVerticalSpacing(3);
    const char* const headings[] = {"Диапазоны распределения нагрузок",
                                    "Диаграмма циклов нагружения", "Число циклов нагружения",
                                    "Число рабочих циклов"};
    for (int c = 0; c < 4; ++c) {
        auto* h = new QLabel(QString::fromUtf8(headings[c]));
        h->setAlignment(Qt::AlignCenter);
        QFont f = h->font();
        f.setBold(true);
        h->setFont(f);
        grid->addWidget(h, 0, c);
    }
    for (int i = 0; i < kLoadRangeCount; ++i) {
        const QString suffix = QString::fromLatin1(kLoadRanges[i].controlSuffix);
        auto* bar = new QProgressBar;
        bar->setObjectName("CGauge_" + suffix);
        bar->setRange(0, 100);
        bar->setTextVisible(false);
        bar->setFixedHeight(16);
        setControlColour(bar, i <= 8 ? colours::Green : i == 9 ? colours::Yellow : colours::Red);
        gauges_[i] = bar;
        working_[i] = readOnlyEdit(("Edit_N_" + suffix).toLatin1().constData(), 110);
        relative_[i] = readOnlyEdit(("Edit_ON_" + suffix).toLatin1().constData(), 110);
        grid->addWidget(new QLabel(QString::fromUtf8(kLoadRanges[i].caption)), i + 1, 0);
        grid->addWidget(bar, i + 1, 1);
        grid->addWidget(working_[i], i + 1, 2, Qt::AlignHCenter);
        grid->addWidget(relative_[i], i + 1, 3, Qt::AlignHCenter);
    }
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(kLoadRangeCount + 1, 1);
    clear();
}

void LoadSpectrumPage::clear() {
    for (QProgressBar* g : gauges_)
        g->setValue(0);
    showCounters();
}

void LoadSpectrumPage::showCounters() {
    const ServicePageTexts& t = session_.texts().service;
    for (int i = 0; i < kLoadRangeCount; ++i) {
        fill(working_[i], t.workingCycles[i]);
        fill(relative_[i], t.relativeCycles[i]);
    }
}

void LoadSpectrumPage::show() {
    showCounters();
    for (int i = 0; i < kLoadRangeCount; ++i)
        gauges_[i]->setValue(session_.document().duty.gaugePercent[i]);
}

} // namespace zurval
