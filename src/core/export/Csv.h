#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

namespace zurval {

// A table as it goes into a CSV file: one header line, then one line per row.
struct CsvTable {
    QStringList header;
    std::vector<QStringList> rows;
};

// The CSV that spreadsheets under a Russian locale open as they are: fields separated by
// ";" (the decimal separator is a comma there), lines ended by CR LF, UTF-8 with a
// byte-order mark so that Cyrillic shows. A field is quoted only when it has to be.
constexpr char kCsvSeparator = ';';

// One field: quoted, with its quotes doubled, when it holds the separator, a quote, a line
// break or a leading or trailing space (which readers may trim otherwise). A text that a
// spreadsheet would run as a formula ("=...", "@...", "+cmd...") gets a leading apostrophe;
// signed numbers ("-0,10", "+12", "+1:05:00") stay as they are.
[[nodiscard]] QString csvField(const QString& text);
[[nodiscard]] QByteArray csvBytes(const CsvTable& table);

// Writes the table atomically: the file appears complete or not at all. false and *error
// (the reason) when it cannot.
[[nodiscard]] bool writeCsvFile(const QString& path, const CsvTable& table, QString* error);

} // namespace zurval
