#include "AppTestSupport.h"
#include "ReportTestSupport.h"
#include "widgets/reports/FrameRangeDialog.h"
#include "widgets/reports/ReportWindow.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QProcess>
#include <QProcessEnvironment>

using namespace zurval;
using namespace zurval::testing;

namespace {

// A main window whose report window hands the filled reports to the test instead of a
// preview.
struct ReportCommands : WindowFixture {
    std::vector<report::Document> previews;
    ReportCommands() {
        window->setReportPreview(
            [this](const report::Document& pages, QWidget*) { previews.push_back(pages); });
    }
    int tag(const char* item) const { return find<QAction>(item)->property("Tag").toInt(); }
};

} // namespace

TEST_F(ReportCommands, CardAfterClearingPrintsTheClearedTexts) {
    ASSERT_TRUE(window->openFile(write(intactRecording())));
    click("Menu_Clear");
    click("M_IK");
    ASSERT_EQ(previews.size(), 1u);
    EXPECT_EQ(tag("M_IK"), 0);
    ASSERT_EQ(previews[0].pages.size(), 1u);
    const QString text = pdfText(previews[0]);
    EXPECT_TRUE(inOrder(text, {QStringLiteral("на кран Неизвестно №0000000"),
                               QStringLiteral("Информацию считал:"), QStringLiteral("Неизвестно"),
                               QStringLiteral("Класс использования"), QStringLiteral("U1")}));
    QStringList working;
    for (const QString& line : printedLines(text))
        if (line.contains(QStringLiteral("< M")))
            working << columns(line).value(1);
    EXPECT_EQ(working, QStringList({"1"}) + QStringList(13, "0"));
    // This window shows no overload lines, so the card says there was none.
    EXPECT_TRUE(text.contains(QStringLiteral("Перегрузок более 125% не было.")));
}

TEST_F(ReportCommands, EachCommandPreviewsItsOwnReportOnceAndClearsItsRequest) {
    ASSERT_TRUE(window->openFile(write(intactRecording())));
    // The range reports print only when the frame-range dialog is left with "Ok"; the
    // scripted steps close it as its close button would.
    const struct {
        const char* item;
        const char* typedRange; // nullptr: the dialog is cancelled
        std::size_t previews;
        PrintRange range;
    } cases[] = {
        {"M_IK", nullptr, 1, {0, 0}},     {"M_CRP", nullptr, 1, {0, 0}},
        {"M_Oper", nullptr, 0, {0, 0}},   {"M_Per", nullptr, 0, {0, 0}},
        {"M_Oper", "3-5", 1, {3, 5}},     {"M_Oper", nullptr, 0, {3, 5}},
        {"M_Per", "10-20", 1, {10, 20}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.item) + " " + (c.typedRange ? c.typedRange : "cancelled"));
        previews.clear();
        if (c.typedRange) {
            const QStringList ends = QString::fromLatin1(c.typedRange).split('-');
            QTimer::singleShot(0, [ends] {
                QWidget* dialog = QApplication::activeModalWidget();
                ASSERT_NE(dialog, nullptr);
                dialog->findChild<QLineEdit*>("E_Home")->setText(ends[0]);
                dialog->findChild<QLineEdit*>("E_End")->setText(ends[1]);
                dialog->findChild<QPushButton*>("B_Ok")->click();
            });
        }
        click(c.item);
        EXPECT_EQ(previews.size(), c.previews);
        EXPECT_EQ(window->printRange().from, c.range.from);
        EXPECT_EQ(window->printRange().to, c.range.to);
        for (const char* request : {"M_IK", "M_CRP", "M_Oper", "M_Per"})
            EXPECT_EQ(tag(request), 0) << request;
    }
    EXPECT_TRUE(prompts.shown().empty());
}

TEST_F(ReportCommands, SchemePrintsTheFrameWhoseNumberTheProtectionPageShows) {
    // FrameList starts at slot 1 when no slot is marked newest: frame k is slot k + 1.
    // Frame 5 moved the crane forward from frame 4, with the hook limit on and acting.
    RecordingBuilder b = intactRecording();
    FrameSlot before, moved;
    before.travel = 1000;
    moved.travel = 1200;
    moved.inputs = moved.limitsEntered = moved.limitsTriggered = 0x0040; // position 10
    b.frame(5, before).frame(6, moved).fixAllChecksums(2);
    ASSERT_TRUE(window->openFile(write(b)));
    struct Case {
        const char* typed;
        QString moved, entered, acted; // the printed lists
    };
    const Case cases[] = {
        {nullptr, "", "", ""}, // the oldest frame, drawn by the open command
        {"5", QStringLiteral("Путь вперед"), QStringLiteral("Крюк"), QStringLiteral("Крюк")},
        {"6", QStringLiteral("Нет"), QStringLiteral("Нет"), QStringLiteral("Нет")},
    };
    for (const Case& c : cases) {
        if (c.typed)
            type("Edit_nz_KZ", c.typed);
        previews.clear();
        click("M_CRP");
        ASSERT_EQ(previews.size(), 1u);
        const QString text = pdfText(previews[0]);
        EXPECT_TRUE(
            text.contains(QStringLiteral("по данным кадра №%1,").arg(c.typed ? c.typed : "0")));
        EXPECT_EQ(textAfter(text, QStringLiteral("Движения крана:")), c.moved);
        EXPECT_EQ(textAfter(text, QStringLiteral("Активированные ограничения:")), c.entered);
        EXPECT_EQ(textAfter(text, QStringLiteral("Сработавшие ограничения:")), c.acted);
    }
    EXPECT_TRUE(prompts.shown().empty());
    // A number that names no frame is refused with a message instead of a preview.
    previews.clear();
    type("Edit_nz_KZ", "7168");
    click("M_CRP");
    EXPECT_TRUE(previews.empty());
    EXPECT_EQ(prompts.texts(), QStringList(QStringLiteral(
                                   "Неправильный номер кадра! Кадры нумеруются с 0 по 7167.")));
    EXPECT_EQ(tag("M_CRP"), 0);
}

TEST_F(ReportCommands, ARangeOutsideTheFramesIsRefusedInsteadOfPreviewed) {
    printReport(
        ReportKind::Operational, window->session(), {7000, 7168}, prompts,
        [this](const report::Document& pages, QWidget*) { previews.push_back(pages); },
        window.get());
    EXPECT_TRUE(previews.empty());
    EXPECT_EQ(prompts.texts(),
              QStringList(QStringLiteral("Неправильный диапазон! Кадры нумеруются с 0 по 7167.")));
}

TEST_F(ReportCommands, RealPreviewOpensAndIsClosedByTheScriptedSteps) {
    window->setReportPreview(previewModally);
    click("M_IK");
    EXPECT_EQ(tag("M_IK"), 0);
    EXPECT_TRUE(prompts.shown().empty());
}

using FrameRangeDialog = WindowFixture;

TEST_F(FrameRangeDialog, TakesOnlyAStartBelowTheEndAndStaysOpenOtherwise) {
    struct Case {
        const char* start;
        const char* end;
        QString message; // "" when the range is taken
    };
    const Case cases[] = {
        {"5", "5", QStringLiteral("Неправильный диапазон!")},
        {"7", "6", QStringLiteral("Неправильный диапазон!")},
        {"x", "6", QStringLiteral("'x' is not a valid integer value")},
        {"5", "", QStringLiteral("'' is not a valid integer value")},
        {"5", "6", ""},
    };
    for (const Case& c : cases) {
        prompts.clear();
        PrintRange range{1, 2};
        const auto dialog = std::make_unique<TForm_Kadr1>(window.get(), prompts, range);
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Вывод кадров на печать"));
        EXPECT_EQ(dialog->size(), QSize(313, 128));
        dialog->show();
        EXPECT_EQ(text("E_Home"), "0");
        EXPECT_EQ(text("E_End"), "200");
        type("E_Home", c.start);
        type("E_End", c.end);
        click("B_Ok");
        EXPECT_EQ(prompts.texts(), c.message.isEmpty() ? QStringList() : QStringList(c.message))
            << c.start << ".." << c.end;
        EXPECT_EQ(dialog->isVisible(), !c.message.isEmpty()) << c.start << ".." << c.end;
        EXPECT_EQ(range.from, c.message.isEmpty() ? 5 : 1);
        EXPECT_EQ(range.to, c.message.isEmpty() ? 6 : 2);
        if (dialog->isVisible())
            click("B_Cancel"); // closes it and keeps the range
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_EQ(range.from, c.message.isEmpty() ? 5 : 1);
    }
}

TEST(ReportOption, WritesThePdfOrEndsWithTheExitCodeOfWhatWentWrong) {
    QTemporaryDir dir;
    const QString recording = dir.filePath("r.vrl");
    ASSERT_TRUE(intactRecording().write(recording));
    struct Case {
        QStringList args;
        int exitCode;
        int frameLines; // printed frame lines of an operational report; -1: not counted
        QString pdf = "out.pdf";
    };
    const QString missing = dir.filePath("missing.vrl");
    const Case cases[] = {
        {{"card", recording}, 0, -1},
        {{"oper", recording}, 0, 201}, // without --range, the dialog's 0 to 200
        {{"oper", recording, "--range", "5-6"}, 0, 2},
        {{"overloads", recording, "--range", "0-3199"}, 0, -1},
        {{"card", missing}, 2, -1},
        {{"oper", recording, "--range", "5-5"}, 2, -1},
        {{"oper", recording, "--range", "0-7168"}, 2, -1},
        {{"overloads", recording, "--range", "3000-3200"}, 2, -1},
        {{"oper", recording, "--range", "a-b"}, 2, -1},
        {{"card", recording, "--range", "0-5"}, 2, -1},
        {{"scheme", recording}, 0, -1},
        {{"scheme", recording, "--frame", "7167"}, 0, -1},
        {{"scheme", recording, "--frame", "7168"}, 2, -1},
        {{"scheme", recording, "--frame", "x"}, 2, -1},
        {{"scheme", recording, "--range", "0-5"}, 2, -1},
        {{"param-chart", recording}, 0, -1},
        {{"relay-chart", recording}, 0, -1},
        {{"param-chart", recording, "--range", "0-5"}, 2, -1},
        {{"relay-chart", recording, "--frame", "5"}, 2, -1},
        {{"chart", recording}, 2, -1},
        {{"card", recording}, 1, -1, "no/such/out.pdf"},
    };
    for (const Case& c : cases) {
        const QString pdf = dir.filePath(c.pdf);
        QFile::remove(pdf);
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("QT_QPA_PLATFORM"); // the option chooses the offscreen platform itself
        env.insert("LC_ALL", "ru_RU.UTF-8");
        p.setProcessEnvironment(env);
        p.start(ZURVAL_BINARY, QStringList{"--report"} + c.args + QStringList{"--pdf", pdf});
        ASSERT_TRUE(p.waitForFinished(60000));
        const QString why = c.args.join(' ') + "\n" + QString::fromUtf8(p.readAllStandardError());
        EXPECT_EQ(p.exitCode(), c.exitCode) << why;
        EXPECT_EQ(QFile::exists(pdf), c.exitCode == 0) << why;
        if (c.frameLines >= 0) {
            // A frame line starts with its number followed by the wind speed.
            static const QRegularExpression kFrameLine("^\\d+\\s+-?\\d+,\\d\\d\\s");
            EXPECT_EQ(printedLines(pdfFileText(pdf)).filter(kFrameLine).size(), c.frameLines)
                << why;
        }
    }
}
