#include "AppTestSupport.h"
#include "automation/Commands.h"

#include <QFile>
#include <QProcess>

using namespace zurval;

using Step = std::pair<QString, QString>;

TEST(CommandLine, SortsTheWordsIntoPlainWordsOptionsAndStepsInTheirOrder) {
    QString error;
    const std::optional<CommandCall> call =
        parseCommandLine({"--dump-state", "--do=Menu_Open", "f.vrl", "--each", "--set", "Edit=a=b",
                          "--answer", "", "--do", "Button3", "--frame=5", "--answer="},
                         &error);
    ASSERT_TRUE(call) << error.toStdString();
    EXPECT_EQ(call->command->syntax.name, "--dump-state");
    EXPECT_EQ(call->arguments.positional, QStringList{"f.vrl"});
    EXPECT_EQ(call->arguments.steps, (std::vector<Step>{{"--do", "Menu_Open"},
                                                        {"--set", "Edit=a=b"},
                                                        {"--answer", ""},
                                                        {"--do", "Button3"},
                                                        {"--answer", ""}}));
    EXPECT_TRUE(call->arguments.has("--each"));
    EXPECT_EQ(call->arguments.value("--frame"), "5");
    EXPECT_FALSE(call->arguments.has("--picture"));

    // A command's options may stand before its name; --archive takes any number of paths.
    const std::optional<CommandCall> archive =
        parseCommandLine({"--archive-db", "a.sqlite", "--archive", "add", "a.vrl", "парк"}, &error);
    ASSERT_TRUE(archive) << error.toStdString();
    EXPECT_EQ(archive->arguments.positional, (QStringList{"add", "a.vrl", "парк"}));
    EXPECT_EQ(archive->arguments.value("--archive-db"), "a.sqlite");

    const struct {
        QStringList words;
        QString command;
    } named[] = {{{}, ""},
                 {{"f.vrl"}, ""},
                 {{"--archive-db", "a.sqlite", "f.vrl"}, ""},
                 {{"-h"}, "--help"},
                 {{"-V"}, "--version"}};
    for (const auto& n : named) {
        const std::optional<CommandCall> c = parseCommandLine(n.words, &error);
        ASSERT_TRUE(c) << error.toStdString();
        EXPECT_EQ(c->command->syntax.name, n.command);
    }
}

TEST(CommandLine, RefusesWhatItDoesNotUnderstandAndNamesIt) {
    const struct {
        QStringList words;
        QString error;
    } refused[] = {
        {{"--bogus"}, "unknown command --bogus"},
        {{"-x", "f.vrl"}, "unknown command -x"},
        {{"a.vrl", "b.vrl"}, "unexpected b.vrl for zurval"},
        {{"--report", "card", "f.vrl", "--pdf", "o.pdf", "--fly"},
         "unknown option --fly for --report"},
        {{"--report", "card", "f.vrl"}, "--report needs --pdf OUT.pdf"},
        {{"--export", "frames"}, "--export needs FILE.vrl"},
        {{"--export", "frames", "f.vrl", "--csv"}, "--csv needs OUT.csv"},
        {{"--export", "frames", "f.vrl", "--csv", "a", "--csv=b"}, "--csv is given twice"},
        {{"--dump-state", "--each=yes"}, "--each takes no value"},
        {{"--summary", "d", "e"}, "unexpected e for --summary"},
        {{"--archive-db"}, "--archive-db needs DB"},
        {{"--archive-db", "a.sqlite", "--summary", "d"},
         "unknown option --archive-db for --summary"},
    };
    for (const auto& r : refused) {
        QString error;
        EXPECT_FALSE(parseCommandLine(r.words, &error)) << r.words.join(' ').toStdString();
        EXPECT_EQ(error, r.error);
    }
}

TEST(CommandLine, RangesAndFrameNumbersKeepToTheirLists) {
    const struct {
        QString text;
        bool singleEntry;
        std::optional<std::pair<int, int>> range;
    } ranges[] = {
        {"5-6", false, std::pair{5, 6}}, {"0-7167", false, std::pair{0, 7167}},
        {"5-5", true, std::pair{5, 5}},  {"5-5", false, std::nullopt},
        {"10-5", true, std::nullopt},    {"0-7168", true, std::nullopt},
        {"-1-5", true, std::nullopt},    {"a-b", true, std::nullopt},
        {"5", true, std::nullopt},
    };
    for (const auto& r : ranges) {
        QString error;
        const std::optional<EntryRange> range = parseRange(r.text, 7168, r.singleEntry, &error);
        EXPECT_EQ(range ? std::optional(std::pair{range->first, range->last}) : std::nullopt,
                  r.range)
            << r.text.toStdString();
    }
    QString error;
    EXPECT_FALSE(parseRange("10-5", 7168, false, &error));
    EXPECT_EQ(error, "--range takes A-B with 0 <= A < B <= 7167, not 10-5");

    EXPECT_EQ(parseFrameNumber("7167", &error), 7167);
    for (const char* refused : {"7168", "-1", "x5", ""})
        EXPECT_FALSE(parseFrameNumber(refused, &error)) << refused;
}

TEST(CommandLine, HelpAndTheReadmeNameEveryCommandAndOption) {
    const QString help = helpText();
    QFile readme(ZURVAL_README);
    ASSERT_TRUE(readme.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(readme.readAll());
    const qsizetype start = text.indexOf("## Command line");
    const QString section = text.mid(start, text.indexOf("\n## ", start + 1) - start);
    for (const Command& c : commands()) {
        for (const QString& name : {c.syntax.name, c.alias}) {
            EXPECT_TRUE(help.contains(name)) << name.toStdString();
            EXPECT_TRUE(section.contains(name)) << name.toStdString();
        }
        for (const OptionSpec& o : c.syntax.options) {
            const QString option = (o.name + ' ' + o.value).trimmed();
            EXPECT_TRUE(help.contains("\n    " + option)) << option.toStdString();
            EXPECT_TRUE(section.contains(o.name)) << o.name.toStdString();
        }
    }
}

TEST(CommandLine, TheProgramAnswersHelpVersionAndUnknownCommandsWithoutAWindow) {
    const struct {
        QString word;
        int exitCode;
        QString out;
        QString err;
    } answers[] = {
        {"--help", 0, helpText(), ""},
        {"--version", 0, "zurval " ZURVAL_VERSION "\n", ""},
        {"--fly", 2, "", "zurval: unknown command --fly\n"},
    };
    for (const auto& a : answers) {
        QProcess p;
        p.start(ZURVAL_BINARY, {a.word});
        ASSERT_TRUE(p.waitForFinished(60000));
        EXPECT_EQ(p.exitCode(), a.exitCode) << a.word.toStdString();
        EXPECT_EQ(QString::fromUtf8(p.readAllStandardOutput()), a.out);
        EXPECT_EQ(QString::fromUtf8(p.readAllStandardError()), a.err);
    }
}
