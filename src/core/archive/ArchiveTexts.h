#pragma once

#include "core/archive/FleetArchive.h"
#include "core/export/Csv.h"

#include <QJsonArray>
#include <QString>
#include <QStringList>
#include <vector>

namespace zurval {

// Every text the archive shows: the window's cells, the CSV files and the JSON of the
// command line are made here.

// "12.05.2031", "достигнуто" or "нет данных"; with a spreadsheet form a date in its form.
[[nodiscard]] QString forecastText(const Forecast& forecast,
                                   const SpreadsheetForm* spreadsheet = nullptr);
// "да" when the forecast rests on a single reading, else empty.
[[nodiscard]] QString singleReadingText(const Forecast& forecast);
// What the cell of a characteristic number that was no number, infinite or below zero says.
[[nodiscard]] QString missingNumberText();
// "в архиве" for a reading whose file the archive holds, "только путь" for one it knows by
// its path only.
[[nodiscard]] QString recordingKeptText(bool kept);
// "оператор", "последний кадр", "нет"
[[nodiscard]] QString readingDateSourceText(ReadingDateSource source);

// The columns of "Парк кранов", one row per crane and recorder. A caption may hold a line
// break where the window wraps it; the files put a space there.
[[nodiscard]] const QStringList& fleetCaptions();
[[nodiscard]] std::vector<SummaryCell> fleetCells(const FleetRow& row,
                                                  const SpreadsheetForm* spreadsheet = nullptr);
[[nodiscard]] CsvTable fleetTable(const std::vector<FleetRow>& rows,
                                  CsvStyle style = CsvStyle::Comma);
// An object per row, keyed by the columns' names; texts in the point style, counts and
// numbers as numbers, empty cells null.
[[nodiscard]] QJsonArray fleetJson(const std::vector<FleetRow>& rows);

// The columns of the readings of one crane.
[[nodiscard]] const QStringList& readingCaptions();
[[nodiscard]] std::vector<SummaryCell> readingCells(const StoredReading& reading,
                                                    const SpreadsheetForm* spreadsheet = nullptr);
[[nodiscard]] CsvTable readingsTable(const std::vector<StoredReading>& readings,
                                     CsvStyle style = CsvStyle::Comma);
[[nodiscard]] QJsonArray readingsJson(const std::vector<StoredReading>& readings);

} // namespace zurval
