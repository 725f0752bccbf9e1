#pragma once

#include "core/frames/RecordTexts.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>
#include <vector>

namespace zurval {

// The two forms of CSV file, fixed whatever the locale the program runs under, so that a
// script or a cron job writes what the window writes. Comma, the default: what a
// spreadsheet under a Russian locale opens as it is: ";" between fields, the decimal comma,
// dates "02.03.2026 10:08:00". Point: "," between fields, the decimal point and dates
// "2026-03-02 10:08:00", which a spreadsheet in English (or any language) reads as dates
// where it would keep "02.03.2026" a text.
enum class CsvStyle { Comma, Point };

[[nodiscard]] char csvSeparator(CsvStyle style);
[[nodiscard]] SpreadsheetForm spreadsheetForm(CsvStyle style);
// "comma" or "point", as --csv-style names them; nullopt for any other word.
[[nodiscard]] std::optional<CsvStyle> csvStyleNamed(const QString& name);

// A table as it goes into a CSV file: one header line, then one line per row, its cells
// made in the style's form.
struct CsvTable {
    QStringList header;
    std::vector<QStringList> rows;
    CsvStyle style = CsvStyle::Comma;
};

// A cell's text and the value its column sorts by (numbers and dates as numbers; an invalid
// value for an empty cell).
struct SummaryCell {
    QString text;
    QVariant sortKey;
    bool quantity = false; // a count, number or duration, lined up on the right
};
// Lines end in CR LF; UTF-8 with a byte-order mark so that Cyrillic shows. A field is quoted,
// with its quotes doubled, only when it holds the separator, a quote, a line break or a
// leading or trailing space (which readers may trim otherwise). A text that a spreadsheet
// would run as a formula ("=...", "@...", "+cmd...") gets a leading apostrophe; signed
// numbers ("-0,10", "+12", "+1:05:00") stay as they are.
[[nodiscard]] QString csvField(const QString& text, char separator);
[[nodiscard]] QByteArray csvBytes(const CsvTable& table);

// Writes the table atomically: the file appears complete or not at all. false and *error
// (the reason) when it cannot.
[[nodiscard]] bool writeCsvFile(const QString& path, const CsvTable& table, QString* error);

} // namespace zurval
