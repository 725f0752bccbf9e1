#include "ReportTestSupport.h"
#include "render/colours/StandardColours.h"
#include "render/reports/ChartReports.h"
#include "render/reports/InformationCard.h"
#include "render/reports/ListReports.h"

#include <QImage>
#include <QPainter>
#include <memory>
#include <set>

// Failure messages show texts as they are.
inline std::ostream& operator<<(std::ostream& os, const QString& s) {
    return os << s.toStdString();
}

using namespace zurval;
using namespace zurval::testing;

namespace {

// The text of the item that plays the named component; "" when there is none.
QString named(const report::Document& doc, const char* name) {
    for (const report::Page& page : doc.pages)
        for (const report::Item& item : page.items)
            if (const auto* t = std::get_if<report::Text>(&item); t && t->name == name)
                return t->text;
    return {};
}

ShownTexts crane() {
    ShownTexts c;
    c.service.craneModel = QStringLiteral("КБ-403");
    c.service.craneNumber = "1234";
    c.service.recorderNumber = "000777";
    return c;
}

// The printed lines that list a frame: they start with its number and end with its date.
QStringList frameLines(const QString& text) {
    QStringList lines;
    for (const QString& line : printedLines(text))
        if (line.endsWith("15.03.06") && line.at(0).isDigit())
            lines << line;
    return lines;
}

std::unique_ptr<FrameArray> numberedFrames() {
    auto frames = std::make_unique<FrameArray>();
    for (int k = 0; k < kFrameCapacity; ++k) {
        CycleFrame& f = (*frames)[k];
        f.number = k;
        f.time = {0x10, static_cast<std::uint8_t>(k % 60 / 10 * 16 + k % 10), 0x00};
        f.date = {0x15, 0x03, 0x06};
        f.dated = f.decoded = true;
    }
    return frames;
}

} // namespace

TEST(InformationCard, OverloadLinesFollowWhatThePageShows) {
    const QString largest =
        QStringLiteral("Максимальная перегрузка произошла 15.03.06 и составила 150%");
    const QString last = QStringLiteral("Последняя перегрузка произошла 16.03.06 и составила 130%");
    const QString none = QStringLiteral("Перегрузок более 125% не было.");
    // A line is shown while it says something; the note of no overloads stands in for both.
    struct Case {
        QString shownLargest, shownLast, printedLargest, printedLast;
    };
    const Case cases[] = {
        {largest, last, largest, last},
        {"", "", "", none},
        {largest, "", largest, ""},
        {"", last, "", last},
    };
    for (const Case& c : cases) {
        ShownTexts shown;
        shown.overloads = {c.shownLargest, c.shownLast};
        const report::Document card = informationCard(shown);
        EXPECT_EQ(named(card, "QRLabel_MaxM"), c.printedLargest) << c.shownLargest << c.shownLast;
        EXPECT_EQ(named(card, "QRLabel_LastM"), c.printedLast) << c.shownLargest << c.shownLast;
    }
}

TEST(InformationCard, PrintsTheWindowTextsInTheirRowsOnOnePage) {
    ShownTexts c = crane();
    c.operatorTexts.name = QStringLiteral("Сидоров");
    c.service.characteristicNumber = "00001";
    c.duty.normativeCharacteristicNumber = "63000";
    c.service.motorHours = "00012:30:00";
    const report::Document card = informationCard(c);
    EXPECT_EQ(card.pages.size(), 1u);
    EXPECT_TRUE(inOrder(pdfText(card),
                        {QStringLiteral("Информационная карта"), QStringLiteral("ЗУРВАЛ №000777"),
                         QStringLiteral("на кран КБ-403 №1234"),
                         QStringLiteral("Информацию считал:"), QStringLiteral("Сидоров"),
                         QStringLiteral("Характеристическе число"), QStringLiteral("00001/63000"),
                         QStringLiteral("Счетчик моточасов"), QStringLiteral("00012:30:00")}));
}

TEST(OperationalReport, PrintsOneLinePerFrameOfTheRangeUnderTheHeadsOnEveryPage) {
    auto frames = numberedFrames();
    (*frames)[5].temperature = 25;
    (*frames)[5].wind = 1.5f;
    (*frames)[6].loadMoment = 104;

    const BuiltReport two = operationalReport(crane(), *frames, {5, 6});
    ASSERT_EQ(two.refusal, "");
    const QString twoText = pdfText(two.pages);
    const QStringList lines = frameLines(twoText);
    ASSERT_EQ(lines.size(), 2);
    // number, V S H GA AL R P Q, M, four bit words, Err Дос.ог. Мет., time and date
    const QStringList five = lines[0].split(QRegularExpression("\\s+"));
    ASSERT_EQ(five.size(), 19) << lines[0];
    EXPECT_EQ(five[0], "5");
    EXPECT_EQ(five[1], "1,50");
    EXPECT_EQ(five[5], "25,00");
    EXPECT_EQ(lines[1].split(QRegularExpression("\\s+"))[9], "104");
    EXPECT_TRUE(inOrder(twoText, {"№", "V", "Дискретные входы", "Дата,время", "м/с", "град",
                                  "Оперативная информация о работе крана КБ-403 №1234, записанная "
                                  "в РП ЗУРВАЛ №000777",
                                  "Страница 1"}));

    const BuiltReport many = operationalReport(crane(), *frames, {0, 200});
    const QString manyText = pdfText(many.pages);
    const QStringList manyLines = frameLines(manyText);
    ASSERT_EQ(manyLines.size(), 201);
    EXPECT_TRUE(manyLines[0].startsWith("0 "));
    EXPECT_TRUE(manyLines[200].startsWith("200 "));
    ASSERT_GT(many.pages.pages.size(), 1u);
    for (std::size_t p = 1; p <= many.pages.pages.size(); ++p)
        EXPECT_EQ(manyText.count(QStringLiteral("Страница %1\n").arg(p)), 1) << p;
    EXPECT_EQ(manyText.count("Дискретные входы"), static_cast<int>(many.pages.pages.size()));
}

TEST(OverloadsReport, CountsThePrintedRecordsAndDatesThemInTheShortForm) {
    auto records = std::make_unique<OverloadArray>();
    auto overload = [&](int b, int percent, RecorderDate date, float rated, float radius) {
        (*records)[b] = OverloadRecord{b, radius, rated, percent, 2, date, true, true};
    };
    overload(3, 150, {0x15, 0x03, 0x06}, 3.5f, 12.3f);
    overload(7, 126, {0x01, 0x04, 0x06}, 8, 9.75f);
    overload(kOverloadCapacity - 1, 130, {0x02, 0x04, 0x06}, 4, 20);

    const BuiltReport report = overloadsReport(crane(), *records, {0, 9});
    ASSERT_EQ(report.refusal, "");
    const QString text = pdfText(report.pages);
    EXPECT_TRUE(inOrder(text, {QStringLiteral("Таблица перегрузок крана КБ-403 №1234 по данным РП "
                                              "ЗУРВАЛ №000777"),
                               "Процент", "Паспортная", "Вылет", "загрузки", "грузоподъемность"}));
    QStringList table;
    for (const QString& line : printedLines(text))
        if (line.contains(".2006"))
            table << columns(line).join('|');
    // The first column counts the printed lines from 0; it is not the record's position.
    EXPECT_EQ(table, QStringList({"0|15.03.2006|150|3,50|12,30", "1|01.04.2006|126|8,00|9,75"}));
    EXPECT_FALSE(text.contains(QStringLiteral("не было")));

    // The newest record empty: no overload was ever recorded, whatever the range holds.
    (*records)[kOverloadCapacity - 1] = OverloadRecord{};
    const BuiltReport none = overloadsReport(crane(), *records, {0, 9});
    const QString noneText = pdfText(none.pages);
    EXPECT_TRUE(noneText.contains(QStringLiteral("Перегрузок более 125% не было!")));
    EXPECT_FALSE(noneText.contains(".2006"));
}

TEST(OverloadsReport, ADateThatIsNoCalendarDateEndsTheReport) {
    auto records = std::make_unique<OverloadArray>();
    (*records)[2] = OverloadRecord{2, 10, 4, 140, 2, {0x31, 0x02, 0x06}, true, true};
    const BuiltReport report = overloadsReport(crane(), *records, {0, 5});
    EXPECT_EQ(report.refusal, "'31.02.06' is not a valid date");
    EXPECT_TRUE(report.pages.pages.empty());
    // Outside the range it is not read.
    EXPECT_EQ(overloadsReport(crane(), *records, {3, 5}).refusal, "");
}

TEST(ListReports, RangesOutsideTheListsAreRefused) {
    auto frames = std::make_unique<FrameArray>();
    auto records = std::make_unique<OverloadArray>();
    const QString framesOnly =
        QStringLiteral("Неправильный диапазон! Кадры нумеруются с 0 по 7167.");
    const QString recordsOnly =
        QStringLiteral("Неправильный диапазон! Записи перегрузок нумеруются с 0 по 3199.");
    struct Case {
        bool frames;
        int from, to;
        QString refusal;
    };
    const Case cases[] = {
        {true, -1, 5, framesOnly},        {true, 0, 7168, framesOnly},
        {true, 7000, 7167, ""},           {true, 0, 0, ""},
        {false, 0, 3200, recordsOnly},    {false, 3199, 3199, ""},
        {false, 3000, 7167, recordsOnly}, {true, 6, 5, QStringLiteral("Неправильный диапазон!")},
    };
    for (const Case& c : cases) {
        const BuiltReport r = c.frames ? operationalReport(crane(), *frames, {c.from, c.to})
                                       : overloadsReport(crane(), *records, {c.from, c.to});
        EXPECT_EQ(r.refusal, c.refusal) << c.frames << " " << c.from << ".." << c.to;
        EXPECT_EQ(r.pages.pages.empty(), !c.refusal.isEmpty());
    }
}

TEST(ChartReports, DrawTheShownSeriesAndListThemInTheLegendOnOneLandscapePage) {
    auto frames = numberedFrames();
    for (int k = 0; k < kChartedFrames; ++k) {
        (*frames)[k].loadMoment = 87;
        (*frames)[k].loadMass = 40;
        (*frames)[k].radius = 20;
    }
    (*frames)[100].limitsEntered = 0x0101; // bits 0 and 8, the second one acted
    (*frames)[100].limitsTriggered = 0x0100;
    ChartPrint radiusOnly = chartAfterOpening(parameterChartTitle(crane().service), *frames);
    radiusOnly.shown = ShownLines{false, false, false, true, false, false, false, true};
    struct Case {
        report::Document pages;
        QString title;
        QStringList legend;
        QStringList notShown;
        std::vector<QColor> drawn;
        std::vector<QColor> notDrawn;
    } cases[] = {
        {parameterChartReport(chartAfterOpening(parameterChartTitle(crane().service), *frames)),
         "График параметров работы крана КБ-403 №1234 по данным РП ЗУРВАЛ №000777 (по кадрам)",
         {"Предел 100%", "Процент загрузки (%)", "Груз (т)"},
         {"Вылет (м)", "Азимут (град)"},
         {colours::Red, colours::Green, colours::Blue},
         {colours::Maroon}},
        {parameterChartReport(radiusOnly),
         "График параметров",
         {"Вылет (м)"},
         {"Предел 100%", "Груз (т)"},
         {colours::Maroon},
         {colours::Red, colours::Green}},
        {relayChartReport(chartAfterOpening(relayChartTitle(crane().service), *frames)),
         "График работы координатной защиты крана КБ-403",
         {"1 - Приближение", "7 - Контур \"Стрела\"", "10 - \"Площадка-2\""},
         {"Груз (т)"},
         {colours::Green, colours::Red},
         {colours::Blue}},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(c.pages.pages.size(), 1u) << c.title;
        EXPECT_EQ(c.pages.format.orientation, QPageLayout::Landscape);
        const QString text = pdfText(c.pages);
        EXPECT_TRUE(text.contains(c.title)) << text;
        for (const QString& entry : c.legend)
            EXPECT_TRUE(text.contains(entry)) << entry << " in " << c.title;
        for (const QString& entry : c.notShown)
            EXPECT_FALSE(text.contains(entry)) << entry << " in " << c.title;
        // The chart above its legend (the last tenth of the page), at 200 dots per inch.
        QImage page(2339, 1654, QImage::Format_RGB32);
        page.fill(Qt::white);
        page.setDotsPerMeterX(7874);
        page.setDotsPerMeterY(7874);
        {
            QPainter painter(&page);
            report::renderPage(c.pages, 0, painter);
        }
        std::set<QRgb> colours;
        for (int y = 0; y < page.height() * 9 / 10; ++y)
            for (int x = 0; x < page.width(); ++x)
                colours.insert(page.pixel(x, y) & 0xFFFFFF);
        for (const QColor& colour : c.drawn)
            EXPECT_TRUE(colours.count(colour.rgb() & 0xFFFFFF)) << colour.name() << " " << c.title;
        for (const QColor& colour : c.notDrawn)
            EXPECT_FALSE(colours.count(colour.rgb() & 0xFFFFFF)) << colour.name() << " " << c.title;
    }
}
