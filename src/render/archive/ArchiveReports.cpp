#include "render/archive/ArchiveReports.h"

#include "core/archive/ArchiveTexts.h"
#include "core/archive/CraneHistory.h"
#include "core/recorder/ServiceTexts.h"
#include "render/archive/CraneChartPainter.h"

#include <QPainter>
#include <algorithm>

namespace zurval {
namespace {

using report::Band;
using report::Font;
using report::Text;

QString dayText(const QDate& day) {
    return day.toString(QStringLiteral("dd.MM.yyyy"));
}

Text text(const QRectF& box, const QString& s, const Font& font,
          Qt::Alignment align = Qt::AlignLeft) {
    return Text{box, s, font, align | Qt::AlignVCenter};
}

// The foot of every page: what the document is and when it was made, and the page number.
std::function<Band(int)> footer(double width, const QString& title, const QDate& today) {
    return [width, title, today](int pageNumber) {
        const Font font{8};
        Band band{6, {}};
        band.items.push_back(report::Rule{QLineF(0, 0.5, width, 0.5)});
        band.items.push_back(text(QRectF(0, 1, width - 40, 5),
                                  title + QStringLiteral(", составлено ") + dayText(today), font));
        band.items.push_back(text(QRectF(width - 40, 1, 40, 5),
                                  QStringLiteral("Страница %1").arg(pageNumber), font,
                                  Qt::AlignRight));
        return band;
    };
}

// A table: each column's left edge, width and alignment.
struct Column {
    double left;
    double width;
    Qt::Alignment align;
};

Band tableRow(const std::vector<Column>& columns, const QStringList& cells, const Font& font,
              double height) {
    Band band{height, {}};
    for (std::size_t k = 0; k < columns.size() && k < static_cast<std::size_t>(cells.size()); ++k)
        band.items.push_back(text(QRectF(columns[k].left, 0, columns[k].width, height), cells[k],
                                  font, columns[k].align));
    return band;
}

Band tableHead(const std::vector<Column>& columns, const QStringList& captions, const Font& font,
               double height, double width) {
    Band band{height + 1, {}};
    for (std::size_t k = 0; k < columns.size(); ++k)
        band.items.push_back(text(QRectF(columns[k].left, 0, columns[k].width, height), captions[k],
                                  font, Qt::AlignHCenter));
    band.items.push_back(report::Rule{QLineF(0, height + 0.5, width, height + 0.5)});
    return band;
}

// The history of a crane on portrait pages.
constexpr double kPortraitWidth = 190;
const Font kHeadFont{10};
const Font kTableFont{8};
constexpr double kHeadLine = 5.5;
constexpr double kTableLine = 4.5;
constexpr double kChartHeight = 95;
const std::vector<Column> kHistoryColumns{
    {0, 7, Qt::AlignRight},      {9, 18, Qt::AlignLeft},      {28, 20, Qt::AlignLeft},
    {49, 24, Qt::AlignLeft},     {74, 17, Qt::AlignRight},    {93, 21, Qt::AlignRight},
    {116, 16, Qt::AlignRight},   {134, 10, Qt::AlignHCenter}, {145, 10, Qt::AlignHCenter},
    {156, 12, Qt::AlignHCenter}, {169, 21, Qt::AlignHCenter},
};

// The installation date of the row and the dated reading it came from.
QDate installedFrom(const CraneHistory& crane) {
    for (auto r = crane.readings.rbegin(); r != crane.readings.rend(); ++r)
        if (r->readingDate.isValid() && r->dateInstalled == crane.row.dateInstalled)
            return r->readingDate;
    return {};
}

Band headLine(const QString& title, const QString& value) {
    const Font bold{kHeadFont.points, true};
    return Band{kHeadLine,
                {text(QRectF(0, 0, 70, kHeadLine), title, bold),
                 text(QRectF(72, 0, kPortraitWidth - 72, kHeadLine), value, kHeadFont)}};
}

// A text of several lines across the page, as high as its lines need.
Band paragraph(const QString& s, const Font& font) {
    const double width = report::textWidthMm(font, s);
    const int lines = static_cast<int>(width / (kPortraitWidth - 10)) + 1;
    Text t = text(QRectF(0, 0, kPortraitWidth, lines * 4.8 + 1), s, font, Qt::AlignTop);
    t.align = Qt::AlignLeft | Qt::AlignTop;
    t.wrap = true;
    return Band{lines * 4.8 + 2, {t}};
}

void addCrane(report::BandedReport& pages, const CraneHistory& crane, const QDate& today) {
    const FleetRow& row = crane.row;
    const Forecast& forecast = row.forecast;
    pages.addDetail(Band{12,
                         {text(QRectF(0, 0, kPortraitWidth, 10), QStringLiteral("История крана"),
                               Font{14, true}, Qt::AlignHCenter)}});
    pages.addDetail(headLine(QStringLiteral("Кран"), row.crane.craneModel));
    pages.addDetail(
        headLine(QStringLiteral("Номер крана"), QString::number(row.crane.craneNumber)));
    pages.addDetail(
        headLine(QStringLiteral("Регистратор (РП ЗУРВАЛ) №"), row.crane.recorderNumber));
    pages.addDetail(headLine(QStringLiteral("Дата установки"),
                             installationText(row.dateInstalled, installedFrom(crane))));
    if (row.last) {
        const QString group = groupText(row.last->normativeGroup) +
                              QStringLiteral(", нормативное характеристическое число ") +
                              dutyTexts(row.last->duty).normativeCharacteristicNumber;
        pages.addDetail(headLine(QStringLiteral("Нормативная группа"), group));
    }
    pages.addDetail(headLine(QStringLiteral("Дата составления"), dayText(today)));
    pages.addDetail(Band{4, {}});

    pages.addDetail(
        tableHead(kHistoryColumns, historyCaptions(), Font{7, true}, 10, kPortraitWidth));
    const std::vector<NumberGrowth> growth = numberGrowth(crane.readings);
    for (std::size_t i = 0; i < crane.readings.size(); ++i)
        pages.addDetail(tableRow(
            kHistoryColumns, historyCells(static_cast<int>(i) + 1, crane.readings[i], growth[i]),
            kTableFont, kTableLine));
    pages.addDetail(Band{1, {report::Rule{QLineF(0, 0.5, kPortraitWidth, 0.5)}}});
    pages.addDetail(paragraph(
        QStringLiteral("«без даты»: считывание без даты, «%1»: характеристическое число не "
                       "записано достоверно; такие считывания в прогноз не входят. «сброс»: "
                       "число меньше предыдущего, счётчики были сброшены.")
            .arg(missingNumberText()),
        Font{7, false, true}));

    const CraneChartModel chart = craneChart(crane.readings, forecast, today);
    const CraneChartLabels labels{forecastMarkText(forecast), normativeLevelText(chart.normative)};
    pages.addDetail(Band{kChartHeight,
                         {report::Picture{QRectF(0, 2, kPortraitWidth, kChartHeight - 4),
                                          QSizeF(kPortraitWidth * 10, (kChartHeight - 4) * 10),
                                          [chart, labels](QPainter& p) {
                                              paintCraneChart(p,
                                                              QSizeF(kPortraitWidth * 10,
                                                                     (kChartHeight - 4) * 10),
                                                              chart, labels);
                                          }}}});

    pages.addDetail(headLine(QStringLiteral("Прогноз экспертизы"), forecastText(forecast)));
    pages.addDetail(
        headLine(QStringLiteral("По считываниям"), forecastBasisText(crane.readings, forecast)));
    if (const QString growthText = growthPerYearText(forecast); !growthText.isEmpty())
        pages.addDetail(headLine(QStringLiteral("Рост характеристического числа"), growthText));
    pages.addDetail(paragraph(forecastMethodText(forecast), kHeadFont));
}

// The fleet on landscape pages.
constexpr double kLandscapeWidth = 277;
constexpr double kFleetLine = 4.5;
constexpr double kCellPadding = 2;

} // namespace

report::Document craneHistoryReport(const std::vector<CraneHistory>& cranes, const QDate& today) {
    report::BandedReport pages(report::PageFormat{QPageLayout::Portrait, 10});
    QString title = QStringLiteral("История крана");
    if (!cranes.empty()) {
        const CraneKey& crane = cranes.front().row.crane;
        title += QStringLiteral(" %1 № %2, РП ЗУРВАЛ № %3")
                     .arg(crane.craneModel)
                     .arg(crane.craneNumber)
                     .arg(crane.recorderNumber);
    }
    pages.setPageFooter(footer(kPortraitWidth, title, today));
    for (std::size_t k = 0; k < cranes.size(); ++k) {
        if (k > 0)
            pages.breakPage();
        addCrane(pages, cranes[k], today);
    }
    return pages.finish();
}

report::Document fleetReport(const std::vector<FleetRow>& rows, const QString& archiveShown,
                             const QDate& today) {
    QStringList captions{QString()};
    captions << fleetCaptions();
    std::vector<QStringList> cells;
    std::vector<bool> due;
    for (const FleetRow& row : rows) {
        const bool soon = examinationDueWithinAYear(row.forecast, today);
        QStringList line{soon ? QStringLiteral("*") : QString()};
        for (const SummaryCell& cell : fleetCells(row))
            line << cell.text;
        cells.push_back(line);
        due.push_back(soon);
    }
    // The columns as wide as their widest text, in the largest font that fits the page.
    std::vector<double> widths;
    Font font{8};
    for (const double points : {8.0, 7.0, 6.5, 6.0, 5.5}) {
        font = Font{points};
        const Font bold{points, true};
        widths.assign(captions.size(), 0);
        for (qsizetype k = 0; k < captions.size(); ++k) {
            for (const QString& part : captions[k].split(u'\n'))
                widths[k] = std::max(widths[k], report::textWidthMm(bold, part));
            for (const QStringList& line : cells)
                widths[k] = std::max(widths[k], report::textWidthMm(bold, line[k]));
            widths[k] += kCellPadding;
        }
        double total = 0;
        for (const double w : widths)
            total += w;
        if (total <= kLandscapeWidth)
            break;
    }
    double spare = kLandscapeWidth;
    for (const double w : widths)
        spare -= w;
    std::vector<Column> columns;
    double left = 0;
    for (std::size_t k = 0; k < widths.size(); ++k) {
        const double width = widths[k] + std::max(0.0, spare) / widths.size();
        columns.push_back({left, width - 1, Qt::AlignHCenter});
        left += width;
    }

    report::BandedReport pages(report::PageFormat{QPageLayout::Landscape, 10});
    Band header{10, {}};
    header.items.push_back(text(QRectF(0, 0, kLandscapeWidth, 7),
                                QStringLiteral("Парк кранов на ") + dayText(today), Font{12, true},
                                Qt::AlignHCenter));
    header.items.push_back(text(QRectF(0, 6, kLandscapeWidth, 4),
                                QStringLiteral("Архив: ") + archiveShown, Font{7},
                                Qt::AlignHCenter));
    const Band head = tableHead(columns, captions, Font{font.points, true}, 10, kLandscapeWidth);
    for (const report::Item& item : head.items)
        header.items.push_back(report::shifted(item, QPointF(0, 11)));
    header.heightMm = 11 + head.heightMm;
    pages.setPageHeader(header);
    const QString title =
        QStringLiteral("Парк кранов; * — экспертиза по прогнозу до %1 или число уже достигнуто")
            .arg(dayText(today.addMonths(12)));
    pages.setPageFooter(footer(kLandscapeWidth, title, today));
    for (std::size_t r = 0; r < cells.size(); ++r)
        pages.addDetail(
            tableRow(columns, cells[r], due[r] ? Font{font.points, true} : font, kFleetLine));
    return pages.finish();
}

} // namespace zurval
