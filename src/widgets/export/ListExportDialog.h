#pragma once

#include "core/export/ListExport.h"

#include <QString>
#include <optional>

namespace zurval {

class Prompts;
class RecorderSession;

// Where a CSV file goes and in which style, as the save dialog gave them.
struct CsvDestination {
    QString path;
    CsvStyle style = CsvStyle::Comma;
};

// The save dialog of every CSV export: title, starting in folder, proposing fileName. Its
// file types choose the style: the Russian spreadsheet form first (the default), then ","
// with the decimal point. nullopt when the user cancels.
[[nodiscard]] std::optional<CsvDestination> askCsvDestination(Prompts& prompts,
                                                              const QString& title,
                                                              const QString& folder,
                                                              const QString& fileName);

// Экспорт в CSV → Кадры... / Перегрузки...: the save dialog in folder, proposing the
// recording's name with the list's; then the list as CSV, or the reason it could not be
// written in an error box.
void exportListWithDialog(ExportedList list, const RecorderSession& session, Prompts& prompts,
                          const QString& folder);

} // namespace zurval
