#include "render/reports/ReportEngine.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>
#include <map>

using namespace zurval::report;

namespace {

const Text* textItem(const Item& item) {
    return std::get_if<Text>(&item);
}

// The texts of a page with their boxes, in the order they were placed.
std::vector<Text> texts(const Page& page) {
    std::vector<Text> out;
    for (const Item& item : page.items)
        if (const Text* t = textItem(item))
            out.push_back(*t);
    return out;
}

Band line(const QString& text, double height) {
    return Band{height, {Text{QRectF(0, 0, 50, height), text, Font{}}}};
}

BandedReport reportWithHeaderAndFooter() {
    BandedReport report(PageFormat{QPageLayout::Portrait, 10});
    report.setPageHeader(line("header", 20));
    report.setPageFooter([](int page) { return line(QStringLiteral("page %1").arg(page), 10); });
    return report;
}

} // namespace

TEST(BandedReport, DetailsThatOverflowGoOnTheNextPageUnderTheRepeatedHeader) {
    BandedReport report = reportWithHeaderAndFooter();
    // 277 mm inside the margins, less 20 of header and 10 of footer: 24 details of 10 mm.
    for (int i = 0; i < 50; ++i)
        report.addDetail(line(QString::number(i), 10));
    const Document doc = report.finish();
    ASSERT_EQ(doc.pages.size(), 3u);
    int next = 0;
    for (std::size_t p = 0; p < doc.pages.size(); ++p) {
        const std::vector<Text> t = texts(doc.pages[p]);
        ASSERT_GE(t.size(), 3u);
        EXPECT_EQ(t.front().text, "header");
        EXPECT_DOUBLE_EQ(t.front().box.top(), 10);
        EXPECT_EQ(t.back().text, QStringLiteral("page %1").arg(p + 1));
        EXPECT_DOUBLE_EQ(t.back().box.bottom(), 287); // on the bottom margin
        // The details go on in order, the first right under the header, none into the footer.
        EXPECT_DOUBLE_EQ(t[1].box.top(), 30);
        for (std::size_t i = 1; i + 1 < t.size(); ++i) {
            EXPECT_EQ(t[i].text, QString::number(next++));
            EXPECT_LE(t[i].box.bottom(), t.back().box.top() + 1e-9);
        }
    }
    EXPECT_EQ(next, 50);
}

TEST(BandedReport, AReportWithoutDetailsIsOnePageWithHeaderAndFooter) {
    const Document doc = reportWithHeaderAndFooter().finish();
    ASSERT_EQ(doc.pages.size(), 1u);
    ASSERT_EQ(texts(doc.pages[0]).size(), 2u);
    EXPECT_EQ(texts(doc.pages[0])[1].text, "page 1");
}

TEST(BandedReport, MemosBreakTogetherAndKeepTheirLinesSideBySide) {
    BandedReport report = reportWithHeaderAndFooter();
    Memo counts{0, 20, Qt::AlignRight, Font{}, {}};
    Memo names{30, 40, Qt::AlignLeft, Font{}, {}};
    for (int i = 0; i < 100; ++i)
        counts.lines << QString::number(i);
    for (int i = 0; i < 70; ++i)
        names.lines << QStringLiteral("n%1").arg(i);
    report.addMemos({counts, names}, 5);
    const Document doc = report.finish();
    ASSERT_EQ(doc.pages.size(), 3u); // 49 lines of 5 mm a page
    int lines = 0;
    for (const Page& page : doc.pages) {
        std::map<double, QStringList> rows; // row top → texts in it
        for (const Text& t : texts(page))
            if (t.text != "header" && !t.text.startsWith("page"))
                rows[t.box.top()] << t.text;
        for (const auto& [top, row] : rows) {
            // Line i of the counts beside line i of the names while both have one.
            const int i = row[0].toInt();
            EXPECT_EQ(row, i < 70 ? QStringList({QString::number(i), QStringLiteral("n%1").arg(i)})
                                  : QStringList({QString::number(i)}));
            ++lines;
        }
    }
    EXPECT_EQ(lines, 100);
}

TEST(TabbedLine, PlacesEachPieceAtItsStop) {
    const std::vector<TabStop> stops{{20, true}, {30, false}, {60, true}};
    const std::vector<Item> items =
        tabbedLine(QRectF(10, 5, 100, 3), "a\tb\tx\tc\td", stops, Font{});
    struct Expected {
        const char* text;
        double left, right;
        Qt::Alignment align;
    };
    const Expected expected[] = {
        {"a", 10, 30, Qt::AlignLeft},
        {"b", 10, 30, Qt::AlignRight},   // ends at the right stop 20
        {"x", 40, 70, Qt::AlignLeft},    // from the left stop 30 to the next stop
        {"c d", 40, 70, Qt::AlignRight}, // ends at 60; what is past the last stop stays with it
    };
    ASSERT_EQ(items.size(), std::size(expected));
    for (std::size_t i = 0; i < items.size(); ++i) {
        const Text& t = std::get<Text>(items[i]);
        EXPECT_EQ(t.text, expected[i].text);
        EXPECT_DOUBLE_EQ(t.box.left(), expected[i].left) << t.text.toStdString();
        EXPECT_DOUBLE_EQ(t.box.right(), expected[i].right) << t.text.toStdString();
        EXPECT_EQ(t.align & Qt::AlignHorizontal_Mask, expected[i].align);
    }
}

TEST(WritePdf, AFileThatCannotBeWrittenIsReportedAndNothingIsLeft) {
    const Document doc = BandedReport(PageFormat{}).finish();
    QString error;
    EXPECT_FALSE(writePdf(doc, "/nonexistent-folder/report.pdf", &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(RenderPage, DrawsAPictureScaledIntoItsBoxAndNothingOutside) {
    Document doc{PageFormat{}, {Page{}}};
    // The drawing is 100 × 50 of its own units; it also paints past its edge.
    doc.pages[0].items.push_back(Picture{QRectF(20, 30, 40, 20), QSizeF(100, 50), [](QPainter& p) {
                                             p.fillRect(QRectF(0, 0, 100, 50), Qt::red);
                                             p.fillRect(QRectF(100, 0, 100, 50), Qt::blue);
                                         }});
    QImage sheet(210, 297, QImage::Format_RGB32); // one pixel a millimetre
    sheet.setDotsPerMeterX(1000);
    sheet.setDotsPerMeterY(1000);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    renderPage(doc, 0, painter);
    painter.end();
    EXPECT_EQ(sheet.pixelColor(21, 31), QColor(Qt::red));
    EXPECT_EQ(sheet.pixelColor(58, 48), QColor(Qt::red));
    EXPECT_EQ(sheet.pixelColor(62, 40), QColor(Qt::white));
    EXPECT_EQ(sheet.pixelColor(40, 52), QColor(Qt::white));
}
