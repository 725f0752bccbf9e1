#include "core/export/Csv.h"
#include "CsvReading.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zurval;
using namespace zurval::testing;

TEST(CsvField, QuotesOnlyWhatASpreadsheetWouldMisread) {
    const struct {
        const char* text;
        const char* field;
    } cases[] = {
        {"12,50", "12,50"},
        {"", ""},
        {"Брак", "Брак"},
        {"a;b", "\"a;b\""},
        {"ООО \"Кран\"", "\"ООО \"\"Кран\"\"\""},
        {"two\nlines", "\"two\nlines\""},
        {"17:05:35 ", "\"17:05:35 \""}, // a time without a date keeps its trailing space
        {" lead", "\" lead\""},
        // Texts a spreadsheet would run as formulas are kept as texts.
        {"=HYPERLINK(\"x\")", "\"'=HYPERLINK(\"\"x\"\")\""},
        {"@SUM(A1)", "'@SUM(A1)"},
        {"+cmd|' /C calc'!A0", "'+cmd|' /C calc'!A0"},
        {"-КБ", "'-КБ"},
        // A spreadsheet drops a leading tab or carriage return and runs what follows.
        {"\t=1+1", "'\t=1+1"},
        {"\t+12", "'\t+12"},
        {"\t-1", "'\t-1"},
        {"\t@A1", "'\t@A1"},
        {"\r=1+1", "\"'\r=1+1\""},
        {"\r-1", "\"'\r-1\""},
        // Signed numbers and times stay numbers.
        {"-0,10", "-0,10"},
        {"+12", "+12"},
        {"-8:20:00", "-8:20:00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(csvField(QString::fromUtf8(c.text), ';'), QString::fromUtf8(c.field)) << c.text;
    // With "," between fields, a decimal comma would be quoted; a semicolon need not be.
    EXPECT_EQ(csvField("12,50", ','), "\"12,50\"");
    EXPECT_EQ(csvField("a;b", ','), "a;b");
}

TEST(CsvFile, IsUtf8WithByteOrderMarkAndReadsBackCellForCellInEitherStyle) {
    for (const CsvStyle style : {CsvStyle::Comma, CsvStyle::Point}) {
        CsvTable table;
        table.style = style;
        table.header = {QStringLiteral("Номер кадра"), QStringLiteral("Вылет м.")};
        table.rows = {{"1", "12,50"},
                      {"2", "a;b \"c\"\r\nd, e"},
                      {"", " "},
                      {QStringLiteral("Кран №1"), "17:05:35 "}};
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("таблица.csv"));
        QString error;
        ASSERT_TRUE(writeCsvFile(path, table, &error)) << error.toStdString();
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF\xD0\x9D")); // the mark, then "Н" in UTF-8
        EXPECT_TRUE(bytes.endsWith("\r\n"));

        const ParsedCsv parsed = parseCsv(bytes, csvSeparator(style));
        ASSERT_TRUE(parsed.ok);
        ASSERT_EQ(parsed.lines.size(), table.rows.size() + 1);
        EXPECT_EQ(parsed.lines[0], table.header);
        for (std::size_t i = 0; i < table.rows.size(); ++i)
            EXPECT_EQ(parsed.lines[i + 1], table.rows[i]) << i;
    }
}

TEST(CsvFile, ThatCannotBeWrittenTellsWhyAndLeavesNothing) {
    QTemporaryDir dir;
    QString error;
    EXPECT_FALSE(writeCsvFile(dir.filePath("missing/folder/out.csv"), {{"a"}, {}}, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(dir.filePath("missing/folder/out.csv")));
}
