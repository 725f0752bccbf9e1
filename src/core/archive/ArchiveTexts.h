#pragma once

#include "core/archive/CraneHistory.h"
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

// The printed history of a crane: the columns of its readings table, a row's texts (the
// growth since the reading before, "сброс" where the counters were reset), and the texts
// about its forecast.
[[nodiscard]] const QStringList& historyCaptions();
[[nodiscard]] QStringList historyCells(int number, const StoredReading& reading,
                                       const NumberGrowth& growth);
// "15.01.2025 (по считыванию от 11.03.2026)"; "не известна" without one.
[[nodiscard]] QString installationText(const QDate& installed, const QDate& fromReading);
// "считывания № 3–5 (3)": the readings the line runs through, numbered from 1 as listed.
[[nodiscard]] QString forecastBasisText(const std::vector<StoredReading>& readings,
                                        const Forecast& forecast);
// The fitted growth of the characteristic number per year; empty without a line.
[[nodiscard]] QString growthPerYearText(const Forecast& forecast);
// How the forecast was made, in a sentence or two.
[[nodiscard]] QString forecastMethodText(const Forecast& forecast);
// The axis labels and legend of the chart of a crane.
struct CraneChartTexts {
    QString dateAxis;
    QString numberAxis;
    QString points;
    QString earlier;
    QString line;
};
[[nodiscard]] const CraneChartTexts& craneChartTexts();
// "нормативное: 63000"
[[nodiscard]] QString normativeLevelText(double normative);
// The mark of the forecast date on the chart: "прогноз: 25.09.2026", "достигнуто".
[[nodiscard]] QString forecastMarkText(const Forecast& forecast);
// "Кран КБ-403 № 101, регистратор № РП-0001"
[[nodiscard]] QString craneText(const CraneKey& crane);
// The status bar's name of a reading opened from the archive: "архив: РП-0001, 11.03.2026".
[[nodiscard]] QString archivedReadingName(const StoredReading& reading);

} // namespace zurval
