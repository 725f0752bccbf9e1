#include "render/reports/InformationCard.h"

#include <algorithm>
#include <array>

namespace zurval {
namespace {

using report::Band;
using report::Font;
using report::Text;

const Font kHeading{16, true, true};
const Font kSection{11, true, true};
const Font kTitle{10, true, true}; // fixed texts
const Font kValue{10, true, false};
constexpr double kRow = 6; // height of a line of the card, mm
constexpr double kPrintableWidth = 190;
constexpr double kRightColumn = 118; // the titles of the right half of the upper lines

// The load table, in the order of the ranges of the page "Наработка": caption and the
// card's two cells.
struct LoadRow {
    const char* caption;
    const char* cell; // QRL<cell>, QRLo<cell>
};
constexpr std::array<LoadRow, kLoadRangeCount> kLoadRows{{
    {"0% < M < 10%", "0"},
    {"10% < M < 20%", "10"},
    {"20% < M < 30%", "20"},
    {"30% < M < 40%", "30"},
    {"40% < M < 50%", "40"},
    {"50% < M < 60%", "50"},
    {"60% < M < 70%", "60"},
    {"70% < M < 80%", "70"},
    {"80% < M < 90%", "80"},
    {"90% < M < 100%", "90"},
    {"100% < M < 110%", "100"},
    {"110% < M < 120%", "110"},
    {"120% < M < 125%", "120"},
    {"125% < M", "125"},
}};
constexpr double kTableLeft = 5;
constexpr double kTableColumn = 60;

Text title(double x, double width, const char* text, const Font& font = kTitle) {
    return Text{QRectF(x, 0, width, kRow), QString::fromUtf8(text), font};
}

Text value(double x, double width, const QString& text, const char* name) {
    Text t{QRectF(x, 0, width, kRow), text, kValue};
    t.name = QString::fromLatin1(name);
    return t;
}

// Where the values of a column of titles start: after the widest title.
double valueColumn(double x, std::initializer_list<const char*> titles) {
    double widest = 0;
    for (const char* t : titles)
        widest = std::max(widest, textWidthMm(kTitle, QString::fromUtf8(t)));
    return x + widest + 2;
}

// A title at x and its value right after it.
std::vector<report::Item> titled(double x, const char* caption, const QString& text,
                                 const char* name) {
    const double at = valueColumn(x, {caption});
    return {title(x, at - x, caption), value(at, 40, text, name)};
}

Text centred(Text t) {
    t.align = Qt::AlignCenter;
    return t;
}

Text cell(double column, Text t) {
    t.box = QRectF(kTableLeft + column * kTableColumn, 0, kTableColumn, kRow);
    t.framed = true;
    return centred(t);
}

Band row(std::vector<report::Item> items, double height = kRow) {
    return Band{height, std::move(items)};
}

// Step 5 of the filling: the largest overload only while the window shows it, the last one
// while the window shows it or a largest one is printed, else the note that there was none.
struct OverloadLines {
    QString largest;
    QString last;
};
OverloadLines overloadLines(const OverloadSummary& shown) {
    OverloadLines lines;
    lines.largest = shown.largest;
    if (!shown.last.isEmpty() || !lines.largest.isEmpty())
        lines.last = shown.last;
    else
        lines.last = QStringLiteral("Перегрузок более 125% не было.");
    return lines;
}

} // namespace

report::Document informationCard(const ShownTexts& shown) {
    const OperatorBlock& op = shown.operatorTexts;
    const ServicePageTexts& service = shown.service;
    report::BandedReport card(report::PageFormat{QPageLayout::Portrait, 10});

    card.addDetail(row({centred(title(0, kPrintableWidth, "Информационная карта", kHeading))}, 11));
    Text onk = centred(
        value(0, kPrintableWidth,
              QStringLiteral("по данным регистратора параметров ЗУРВАЛ №") + service.recorderNumber,
              "QRL_onk"));
    Text kran = centred(value(0, kPrintableWidth,
                              QStringLiteral("на кран ") + service.craneModel +
                                  QStringLiteral(" №") + service.craneNumber,
                              "QRL_kran"));
    onk.font.points = kran.font.points = 11;
    card.addDetail(row({onk}));
    card.addDetail(row({kran}, kRow + 4));

    card.addDetail(
        row({title(0, kPrintableWidth,
                   "1. Иформация о кране, ограничителе грузоподъемности и операторе", kSection)},
            8));
    // Two columns of titles with their values lined up after the widest title; a title in
    // the middle of a line follows the value before it.
    const double left =
        valueColumn(0, {"Информацию считал:", "Организация:", "Кран", "Тип крана:"});
    const double right = valueColumn(
        kRightColumn, {"Удостоверение №", "Дата считывания:", "Версия РП:", "Год изготовления",
                       "Ограничитель №"});
    const double leftWidth = kRightColumn - left - 2;
    const double rightWidth = kPrintableWidth - right;
    auto rightPair = [&](const char* caption, const QString& text, const char* name) {
        return std::vector<report::Item>{title(kRightColumn, right - kRightColumn, caption),
                                         value(right, rightWidth, text, name)};
    };
    auto line = [](std::vector<report::Item> a, const std::vector<report::Item>& b) {
        a.insert(a.end(), b.begin(), b.end());
        return row(std::move(a));
    };
    auto after = [](const Text& v) { return v.box.left() + textWidthMm(kValue, v.text) + 4; };
    card.addDetail(line(
        {title(0, left, "Информацию считал:"), value(left, leftWidth, op.name, "QRLabel_Name")},
        rightPair("Удостоверение №", op.certificate, "QRLabel_NUd")));
    card.addDetail(line(
        {title(0, left, "Организация:"), value(left, leftWidth, op.organisation, "QRLabel_Org")},
        rightPair("Дата считывания:", op.readingDate, "QRLabel_DataSch")));
    const Text model = value(left, leftWidth, service.craneModel, "QRLabel_MarkaKr");
    const std::vector<report::Item> number =
        titled(after(model), "№", service.craneNumber, "QRLabel_Nkr");
    card.addDetail(line({title(0, left, "Кран"), model, number[0], number[1]},
                        rightPair("Версия РП:", service.programVersion, "QRLabel_VProg")));
    const Text type = value(left, leftWidth, service.craneType, "QRLabel_ModRP");
    const std::vector<report::Item> boom =
        titled(after(type), "Стрела:", service.jib, "QRLabel_IspKr");
    card.addDetail(line({title(0, left, "Тип крана:"), type, boom[0], boom[1]},
                        rightPair("Год изготовления", service.craneYear, "QRLabel_GodKr")));
    card.addDetail(
        line(titled(0, "Дата установки прибора на кран", service.dateInstalled, "QRLabel_DataUst"),
             rightPair("Ограничитель №", service.recorderNumber, "QRLabel_NRP")));
    const char* const dateTitles[] = {"Дата последнего изменения параметров крана",
                                      "Дата последнего включения в режим настройки прибора"};
    const double dates = valueColumn(0, {dateTitles[0], dateTitles[1]}) + 2;
    card.addDetail(row({title(0, dates, dateTitles[0]),
                        value(dates, 40, service.dateParamsChanged, "QRLabel_DataIzm")}));
    card.addDetail(row(
        {title(0, dates, dateTitles[1]), value(dates, 40, service.dateSetupLast, "QRLabel_DataN0")},
        kRow + 3));

    card.addDetail(row({title(0, kPrintableWidth,
                              "2. Долговременная информация о параметрах работы крана", kSection)},
                       8));
    card.addDetail(
        row({centred(title(0, kPrintableWidth, "Таблица нарабоки крана по степени загрузки"))}, 7));
    card.addDetail(row({cell(0, title(0, 0, "Диапазоны нагрузок")),
                        cell(1, title(0, 0, "Число циклов нагружения")),
                        cell(2, title(0, 0, "Число рабочих циклов"))}));
    for (std::size_t i = 0; i < kLoadRows.size(); ++i) {
        const LoadRow& r = kLoadRows[i];
        const QByteArray working = "QRL" + QByteArray(r.cell);
        const QByteArray relative = "QRLo" + QByteArray(r.cell);
        card.addDetail(
            row({cell(0, title(0, 0, r.caption)),
                 cell(1, value(0, 0, service.workingCycles[i], working.constData())),
                 cell(2, value(0, 0, service.relativeCycles[i], relative.constData()))}));
    }

    const OverloadLines overloads = overloadLines(shown.overloads);
    card.addDetail(Band{3, {}});
    card.addDetail(row({title(0, kPrintableWidth, "Перегрузок более 125%:")}));
    card.addDetail(row({value(0, kPrintableWidth, overloads.largest, "QRLabel_MaxM")}));
    card.addDetail(row({value(0, kPrintableWidth, overloads.last, "QRLabel_LastM")}, kRow + 3));

    Text rating = centred(title(0, kPrintableWidth,
                                "Оценка наработки (выработки краном нормативного срока службы) и "
                                "режима работы крана по ИСО 4301/1-85",
                                kSection));
    rating.wrap = true;
    rating.box.setHeight(2 * kRow);
    card.addDetail(row({rating}, 2 * kRow + 1));
    struct RatingLine {
        const char* title;
        QString value;
        const char* name;
    };
    const RatingLine ratingLines[] = {
        {"Группа классификации (режима) крана в целом по ИСО 4301/1-85", service.normativeGroup,
         "QRLa0"},
        {"Характеристическе число текущее/нормативное",
         service.characteristicNumber + QLatin1Char('/') + shown.duty.normativeCharacteristicNumber,
         "QRLhchn"},
        {"Класс использования по ИСО 4301/1-85", shown.duty.classU, "QRLu0"},
        {"Режим нагружения крана по ИСО 4301/1-85", shown.duty.classQ, "QRLq0"},
        {"Коэффициент распределения нагрузок", shown.duty.loadSpectrumFactor, "QRLkp"},
        {"Счетчик моточасов", service.motorHours, "QRLsumch"},
    };
    double ratingValues = 0;
    for (const RatingLine& r : ratingLines)
        ratingValues = std::max(ratingValues, valueColumn(0, {r.title}) + 4);
    for (const RatingLine& r : ratingLines)
        card.addDetail(row({title(0, ratingValues, r.title),
                            value(ratingValues, kPrintableWidth - ratingValues, r.value, r.name)}));
    return card.finish();
}

} // namespace zurval
