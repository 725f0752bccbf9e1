#pragma once

#include "render/reports/ReportEngine.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace zurval::testing {

// The text of a PDF file as pdftotext lays it out, one printed line per text line.
inline QString pdfFileText(const QString& path) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    EXPECT_TRUE(p.waitForFinished(60000)) << "pdftotext (poppler-utils) must be installed";
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The pages written to a PDF file and read back as text.
inline QString pdfText(const report::Document& pages) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("report.pdf"));
    QString error;
    EXPECT_TRUE(report::writePdf(pages, path, &error)) << error.toStdString();
    return pdfFileText(path);
}

// The printed lines, blanks at both ends removed, empty ones left out.
inline QStringList printedLines(const QString& text) {
    QStringList lines;
    for (const QString& line : text.split(QLatin1Char('\n')))
        if (!line.trimmed().isEmpty())
            lines << line.trimmed();
    return lines;
}

// What the printed line that starts with title says after it.
inline QString textAfter(const QString& text, const QString& title) {
    for (const QString& line : printedLines(text))
        if (line.startsWith(title))
            return line.mid(title.size()).trimmed();
    return QStringLiteral("<no line %1>").arg(title);
}

// The columns of a printed line: texts separated by two or more blanks.
inline QStringList columns(const QString& line) {
    static const QRegularExpression kGap(QStringLiteral("\\s{2,}"));
    return line.trimmed().split(kGap);
}

// Whether every part occurs in text after the one before it; the first one missing otherwise.
inline ::testing::AssertionResult inOrder(const QString& text, const QStringList& parts) {
    qsizetype from = 0;
    for (const QString& part : parts) {
        const qsizetype at = text.indexOf(part, from);
        if (at < 0)
            return ::testing::AssertionFailure()
                   << "\"" << part.toStdString() << "\" missing or out of order in:\n"
                   << text.toStdString();
        from = at + part.size();
    }
    return ::testing::AssertionSuccess();
}

} // namespace zurval::testing
