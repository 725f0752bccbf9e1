#include "render/reports/ListReports.h"

#include "core/common/NumberFormat.h"
#include "core/frames/RecordTexts.h"

#include <QLocale>

namespace zurval {
namespace {

using report::Band;
using report::Font;
using report::TabStop;
using report::Text;

// Positions outside the list are refused rather than read.
QString rangeRefusal(PrintRange range, int capacity, const QString& whatIsNumbered) {
    if (range.from < 0 || range.to >= capacity)
        return kWrongRangeMessage +
               QStringLiteral(" %1 нумеруются с 0 по %2.").arg(whatIsNumbered).arg(capacity - 1);
    if (range.from > range.to)
        return kWrongRangeMessage;
    return {};
}

BuiltReport refused(const QString& why) {
    return BuiltReport{{}, why};
}

Text text(const QRectF& box, const QString& s, const Font& font, Qt::Alignment align,
          const char* name = "") {
    Text t{box, s, font, align | Qt::AlignVCenter};
    t.name = QString::fromLatin1(name);
    return t;
}

// "Страница" and the page number at the right end of a footer.
void addPageNumber(Band& footer, double right, int pageNumber, const Font& font) {
    footer.items.push_back(text(QRectF(right - 35, 1, 24, footer.heightMm - 1),
                                QStringLiteral("Страница"), font, Qt::AlignRight));
    footer.items.push_back(text(QRectF(right - 10, 1, 10, footer.heightMm - 1),
                                QString::number(pageNumber), font, Qt::AlignLeft));
}

// The operational report: a small font, and the columns at right tab stops (numbers end
// under their heads), the bit words, the dates and times at left ones.
const Font kSmall{6};
constexpr double kFrameLine = 2.6;
const std::vector<TabStop> kFrameStops{
    {20, true},   {32, true},  {44, true},  {56, true},  {68, true},
    {80, true},   {93, true},  {105, true}, {114, true}, // V, S, H, GA, AL, R, P, Q, M
    {119, false},                                        // the four bit words
    {210, true},  {223, true}, {234, true},              // Err, Дос.ог., Мет.
    {240, false},                                        // date and time
};
constexpr double kLandscapeWidth = 277;

QString frameLine(const CycleFrame& f) {
    QStringList fields{QString::number(f.number)};
    for (const double v : {f.wind, f.travel, f.hookHeight, f.azimuth,
                           static_cast<float>(f.temperature), f.radius, f.force, f.loadMass})
        fields << formatPattern(v, "#0.00");
    fields << QString::number(f.loadMoment);
    const QString gap = QStringLiteral("   ");
    fields << wordText(f, &CycleFrame::inputs) + gap + wordText(f, &CycleFrame::relays) + gap +
                  wordText(f, &CycleFrame::limitsEntered) + gap +
                  wordText(f, &CycleFrame::limitsTriggered);
    fields << QString::number(f.health) << QString::number(f.limitsReached)
           << QString::number(f.mark) << frameTimeText(f);
    return fields.join(QLatin1Char('\t'));
}

// The overloads table: five columns, each a box from left with its width.
struct Column {
    double left;
    double width;
    Qt::Alignment align;
};
constexpr Column kOverloadColumns[] = {
    {8, 14, Qt::AlignRight},   // QRMemo_nz
    {34, 30, Qt::AlignLeft},   // QRMemo_date
    {72, 20, Qt::AlignRight},  // QRMemo_M
    {108, 32, Qt::AlignRight}, // QRMemo_Q
    {150, 22, Qt::AlignRight}, // QRMemo_R
};
const char* const kOverloadHeads[] = {"№", "Дата", "Процент\nзагрузки",
                                      "Паспортная\nгрузоподъемность", "Вылет"};
const Font kTableFont{10};
constexpr double kOverloadLine = 5;
constexpr double kPortraitWidth = 190;

} // namespace

QString shortDate(const QDate& date) {
    const QLocale locale;
    QString format = locale.dateFormat(QLocale::ShortFormat);
    if (!format.contains(QLatin1String("yyyy")))
        format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return locale.toString(date, format);
}

BuiltReport operationalReport(const ShownTexts& shown, const FrameArray& frames, PrintRange range) {
    const ServicePageTexts& c = shown.service;
    if (const QString why = rangeRefusal(range, kFrameCapacity, QStringLiteral("Кадры"));
        !why.isEmpty())
        return refused(why);

    report::BandedReport pages(report::PageFormat{QPageLayout::Landscape, 10});
    const QString heads =
        QStringLiteral("№\tV\tS\tH\tGA\tAL\tR\tP\tQ\tM\tДискретные входы   Выходные реле      "
                       "Введенные огран.   Сработавшие.огран.\tErr\tДос.ог.\tМет.\tДата,время");
    const QString units = QStringLiteral("\tм/с\tм\tм\tград\tград\tм\tкг \tт\t%");
    Band header{2 * kFrameLine + 2, {}};
    for (const QString& line : {heads, units}) {
        const QRectF box(0, header.items.empty() ? 0 : kFrameLine, kLandscapeWidth, kFrameLine);
        for (report::Item& item : report::tabbedLine(box, line, kFrameStops, kSmall))
            header.items.push_back(std::move(item));
    }
    header.items.push_back(
        report::Rule{QLineF(0, 2 * kFrameLine + 0.8, kLandscapeWidth, 2 * kFrameLine + 0.8)});
    pages.setPageHeader(header);

    const QString title = QStringLiteral("Оперативная информация о работе крана ") + c.craneModel +
                          QStringLiteral(" №") + c.craneNumber +
                          QStringLiteral(", записанная в РП ЗУРВАЛ №") + c.recorderNumber;
    pages.setPageFooter([title](int pageNumber) {
        Band footer{6, {}};
        footer.items.push_back(report::Rule{QLineF(0, 0.5, kLandscapeWidth, 0.5)});
        footer.items.push_back(
            text(QRectF(0, 1, 220, 5), title, Font{9, true, true}, Qt::AlignLeft, "QRLabel_BTitl"));
        addPageNumber(footer, kLandscapeWidth, pageNumber, Font{9});
        return footer;
    });

    for (int k = range.from; k <= range.to; ++k)
        pages.addDetail(
            Band{kFrameLine, report::tabbedLine(QRectF(0, 0, kLandscapeWidth, kFrameLine),
                                                frameLine(frames[k]), kFrameStops, kSmall)});
    return BuiltReport{pages.finish(), {}};
}

BuiltReport overloadsReport(const ShownTexts& shown, const OverloadArray& overloads,
                            PrintRange range) {
    const ServicePageTexts& c = shown.service;
    if (const QString why =
            rangeRefusal(range, kOverloadCapacity, QStringLiteral("Записи перегрузок"));
        !why.isEmpty())
        return refused(why);

    std::vector<report::Memo> memos;
    for (const Column& column : kOverloadColumns)
        memos.push_back({column.left, column.width, column.align, kTableFont, {}});
    int h = 0; // the running count: the table numbers its lines from 0
    for (int b = range.from; b <= range.to; ++b) {
        const OverloadRecord& r = overloads[b];
        if (r.loadPercent == 0)
            continue;
        const std::optional<QDate> date = calendarDate(r.date);
        if (!date)
            return refused(QStringLiteral("'%1' is not a valid date").arg(overloadDateText(r)));
        memos[0].lines << QString::number(h);
        memos[1].lines << shortDate(*date);
        memos[2].lines << QString::number(r.loadPercent);
        memos[3].lines << formatPattern(r.ratedLoad, "#0.00");
        memos[4].lines << formatPattern(r.radius, "#0.00");
        ++h;
    }
    QString none;
    // No overload was ever recorded when even the newest record is empty.
    if (overloads[kOverloadCapacity - 1].loadPercent == 0) {
        for (report::Memo& m : memos)
            m.lines.clear();
        none = QStringLiteral("Перегрузок более 125% не было!");
    }

    report::BandedReport pages(report::PageFormat{QPageLayout::Portrait, 10});
    Band header{22, {}};
    header.items.push_back(text(QRectF(0, 0, kPortraitWidth, 8),
                                QStringLiteral("Таблица перегрузок крана ") + c.craneModel +
                                    QStringLiteral(" №") + c.craneNumber +
                                    QStringLiteral(" по данным РП ЗУРВАЛ №") + c.recorderNumber,
                                Font{12, true}, Qt::AlignHCenter, "QRLabel_PTitle"));
    for (int i = 0; i < 5; ++i) {
        const Column& column = kOverloadColumns[i];
        Text head = text(QRectF(column.left - 4, 9, column.width + 8, 11),
                         QString::fromUtf8(kOverloadHeads[i]), Font{10, true}, Qt::AlignHCenter);
        head.name = QStringLiteral("QRMemo%1").arg(i + 1);
        header.items.push_back(head);
    }
    header.items.push_back(report::Rule{QLineF(0, 21, kPortraitWidth, 21)});
    pages.setPageHeader(header);
    pages.setPageFooter([](int pageNumber) {
        Band footer{6, {}};
        footer.items.push_back(report::Rule{QLineF(0, 0.5, kPortraitWidth, 0.5)});
        addPageNumber(footer, kPortraitWidth, pageNumber, Font{10});
        return footer;
    });
    if (!none.isEmpty())
        pages.addDetail(Band{kOverloadLine + 2,
                             {text(QRectF(0, 1, kPortraitWidth, kOverloadLine), none,
                                   Font{10, true}, Qt::AlignHCenter, "QRLabel_PerNet")}});
    pages.addMemos(memos, kOverloadLine);
    return BuiltReport{pages.finish(), {}};
}

} // namespace zurval
