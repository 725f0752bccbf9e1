#include "AppTestSupport.h"
#include "ReportTestSupport.h"
#include "automation/StateDump.h"
#include "widgets/common/ControlColours.h"
#include "widgets/frames/ChartPages.h"
#include "widgets/reports/ReportWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QMouseEvent>
#include <QPrinter>
#include <QTabWidget>
#include <map>

using namespace zurval;
using namespace zurval::testing;

namespace {

// FrameList starts at slot 1 when no slot is marked newest, so frame k is slot k + 1.
constexpr int kJumpFrame = 5000;
constexpr int kMarkFrame = 1234;

RecordingBuilder chartedRecording() {
    RecordingBuilder b = intactRecording();
    FrameSlot loaded;
    loaded.loadMoment = 50;
    loaded.mark = 2;
    b.frame(kJumpFrame + 1, loaded);
    FrameSlot limits;
    limits.limitsEntered = 0x0104; // bits 2 and 8: levels 4 and 10, the second one acted
    limits.limitsTriggered = 0x0100;
    limits.mark = 2;
    b.frame(kMarkFrame + 1, limits);
    b.fixAllChecksums(2);
    return b;
}

// A press and a release at the same place, as a click is.
void clickAt(QWidget* w, QPointF pos, Qt::KeyboardModifiers modifiers) {
    const QPointF global = w->mapToGlobal(pos);
    QMouseEvent press(QEvent::MouseButtonPress, pos, global, Qt::LeftButton, Qt::LeftButton,
                      modifiers);
    QMouseEvent release(QEvent::MouseButtonRelease, pos, global, Qt::LeftButton, Qt::NoButton,
                        modifiers);
    QApplication::sendEvent(w, &press);
    QApplication::sendEvent(w, &release);
}

// The chart laid out at its size on the page, showing only the frames around `frame`, so that
// one frame is many pixels wide.
template <class Chart> Chart* zoomedTo(Chart* chart, int frame) {
    chart->setViewport(QRect(0, 0, 760, 420));
    chart->xAxis->setRange(frame - 10, frame + 10);
    chart->replot();
    return chart;
}

} // namespace

struct Charts : WindowFixture {
    QJsonObject dumped(const char* name) const {
        return dumpControls(window.get())[QString::fromLatin1(name)].toObject();
    }
    QString title(const QString& head) const {
        return head + text("Edit_MarkaKr") + QString::fromUtf8(" №") + text("Edit_NKr") +
               QString::fromUtf8(" по данным РП ЗУРВАЛ №") + text("Edit_NRP") +
               QString::fromUtf8(" (по кадрам)");
    }
};

TEST_F(Charts, OpeningFillsBothChartsAndClearingEmptiesThem) {
    ASSERT_TRUE(window->openFile(write(chartedRecording())));
    EXPECT_EQ(dumped("Chart_Param")["text"].toString(),
              title(QString::fromUtf8("График параметров работы крана ")));
    EXPECT_EQ(dumped("Chart_Rele")["text"].toString(),
              title(QString::fromUtf8("График работы координатной защиты крана ")));
    struct Expected {
        const char* series;
        const char* text;
        bool visible;
        int points;
    };
    const Expected opened[] = {
        {"Series1", "Предел 100%", true, 7167},
        {"Series2", "Процент загрузки (%)", true, 7167},
        {"Series4", "Вылет (м)", false, 7167},
        {"Series18", ".", true, 7167},
        {"Series6", "1 - Приближение", true, 0},
        {"Series9", "4 - Вылет", true, 1},
        {"Series15", "10 - \"Площадка-2\"", true, 1},
        {"Series14", "9 - \"Площадка-1\"", true, 0},
    };
    for (const Expected& e : opened) {
        const QJsonObject s = dumped(e.series);
        EXPECT_EQ(s["text"].toString(), QString::fromUtf8(e.text)) << e.series;
        EXPECT_EQ(s["visible"].toBool(), e.visible) << e.series;
        EXPECT_EQ(s["points"].toInt(), e.points) << e.series;
    }

    find<QCheckBox>("CheckBox_GrParR")->click();
    window->ClearAll();
    EXPECT_EQ(dumped("Chart_Param")["text"].toString(),
              QString::fromUtf8("Графики временной зависимости регистрируемых параметров"));
    EXPECT_EQ(dumped("Chart_Rele")["text"].toString(),
              QString::fromUtf8("Графики временной зависимости работы реле и концевиков"));
    for (const char* series : {"Series1", "Series17", "Series18", "Series9", "Series15"})
        EXPECT_EQ(dumped(series)["points"].toInt(), 0) << series;
    EXPECT_FALSE(dumped("Series4")["visible"].toBool());
    EXPECT_FALSE(find<QCheckBox>("CheckBox_GrParR")->isChecked());
}

TEST_F(Charts, EachBoxShowsItsLinesAtOnceAndClearingPutsTheBoxesBack) {
    ASSERT_TRUE(window->openFile(write(chartedRecording())));
    const std::map<QString, std::vector<const char*>> linesOf = {
        {"CheckBox_GrParM", {"Series1", "Series2"}},
        {"CheckBox_GrParQ", {"Series3"}},
        {"CheckBox_GrParR", {"Series4"}},
        {"CheckBox_GrParH", {"Series5"}},
        {"CheckBox_GrParS", {"Series16"}},
        {"CheckBox_GrParGA", {"Series17"}},
    };
    for (const auto& [box, lines] : linesOf) {
        const bool wasChecked = find<QCheckBox>(box.toLatin1().constData())->isChecked();
        click(box);
        for (const char* line : lines)
            EXPECT_EQ(dumped(line)["visible"].toBool(), !wasChecked) << line;
    }
    EXPECT_TRUE(dumped("Series18")["visible"].toBool());
    window->ClearAll();
    for (const auto& [box, lines] : linesOf) {
        const bool checkedAfterClearing = box == "CheckBox_GrParM" || box == "CheckBox_GrParQ";
        EXPECT_EQ(find<QCheckBox>(box.toLatin1().constData())->isChecked(), checkedAfterClearing);
        for (const char* line : lines)
            EXPECT_EQ(dumped(line)["visible"].toBool(), checkedAfterClearing) << line;
    }
}

TEST_F(Charts, OnlyAShiftClickOnAParameterPointMovesTheBrowser) {
    ASSERT_TRUE(window->openFile(write(chartedRecording())));
    auto* page = find<ParameterChartPage>("TabSheet_Param");
    ParameterChart* chart = zoomedTo(page->chart(), kJumpFrame);
    std::vector<int> requested;
    QObject::connect(page, &ParameterChartPage::browserJumpRequested,
                     [&requested](int k) { requested.push_back(k); });
    LineSeries* loadMoment = chart->series()[1];
    const QPointF point = loadMoment->coordsToPixels(kJumpFrame, 50);

    clickAt(chart, point, Qt::NoModifier);
    EXPECT_TRUE(requested.empty());
    clickAt(chart, point, Qt::ShiftModifier);
    EXPECT_EQ(requested, std::vector<int>{kJumpFrame});
    EXPECT_EQ(find<QTabWidget>("PageControl_Main")->currentWidget()->objectName(), "TabSheet_Cikl");
}

TEST_F(Charts, AClickOnARelayMarkAsksForTheProtectionViewOfItsFrame) {
    ASSERT_TRUE(window->openFile(write(chartedRecording())));
    auto* page = find<RelayChartPage>("TabSheet_Rele");
    RelayChart* chart = zoomedTo(page->chart(), kMarkFrame);
    std::vector<int> requested;
    QObject::connect(page, &RelayChartPage::protectionFrameRequested,
                     [&requested](int frame) { requested.push_back(frame); });

    clickAt(chart, chart->series()[9]->coordsToPixels(kMarkFrame, 10), Qt::NoModifier);
    clickAt(chart, chart->series()[9]->coordsToPixels(kMarkFrame + 5, 10), Qt::NoModifier);
    EXPECT_EQ(requested, std::vector<int>{kMarkFrame}); // five frames off there is no mark
    EXPECT_EQ(find<QTabWidget>("PageControl_Grafik")->currentWidget()->objectName(), "TabSheet_KZ");
}

TEST_F(Charts, TheMarksOfTheFirstAndTheLastFrameAreDrawnWhole) {
    RecordingBuilder b = intactRecording();
    FrameSlot limits;
    limits.limitsEntered = 1; // a green mark at level 2
    limits.mark = 2;
    b.frame(1, limits).frame(kChartedFrames, limits).fixAllChecksums(2); // frames 0 and 7166
    ASSERT_TRUE(window->openFile(write(b)));
    for (const char* name : {"Chart_Param", "Chart_Rele"})
        EXPECT_EQ(dumped(name)["xRange"].toArray(), (QJsonArray{-0.5, 7166.5})) << name;

    RelayChart* chart = find<RelayChartPage>("TabSheet_Rele")->chart();
    const QColor green = toQColor(PaletteColour::Green);
    // The whole range, and zoomed to either end (the chart keeps the zoom within its range).
    for (const QCPRange& view : {QCPRange(-1, 7200), QCPRange(-20, 20), QCPRange(7150, 7190)}) {
        chart->xAxis->setRange(view);
        const QImage image = chart->toPixmap(760, 420).toImage();
        for (int frame : {0, kChartedFrames - 1}) {
            if (!chart->xAxis->range().contains(frame))
                continue;
            // A mark covers the pixel column its frame falls in.
            const QPointF at = chart->series()[0]->coordsToPixels(frame, 2);
            EXPECT_EQ(image.pixelColor(int(at.x()), int(at.y()) - 3), green)
                << "frame " << frame << " in " << view.lower << ".." << view.upper;
        }
    }
}

TEST_F(Charts, PrintsWhatTheChartShowsAndLeavesThePrinterAsItWas) {
    ASSERT_TRUE(window->openFile(write(chartedRecording())));
    auto* parameters = find<ParameterChartPage>("TabSheet_Param")->chart();
    find<QCheckBox>("CheckBox_GrParR")->click();
    parameters->xAxis->setRange(1000, 2000);
    const ChartPrint printed = parameters->printed();
    EXPECT_EQ(printed.title, parameters->title());
    EXPECT_EQ(printed.frames, window->session().document().cyclic.frameList.get());
    EXPECT_EQ(printed.framesInView.lower, 1000);
    EXPECT_EQ(printed.valuesInView.upper, parameters->yAxis->range().upper);
    EXPECT_EQ(printed.shown, parameters->shownLines());
    EXPECT_TRUE(printed.shown[3]); // Вылет (м), just shown

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString path = dir.filePath("chart.pdf");
    printer.setOutputFileName(path);
    printOnPaper(relayChartReport(find<RelayChartPage>("TabSheet_Rele")->chart()->printed()),
                 printer);
    EXPECT_TRUE(pdfFileText(path).contains(QString::fromUtf8("График работы координатной защиты")));
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Portrait);
    EXPECT_FALSE(printer.fullPage());
}
