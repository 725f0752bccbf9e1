#pragma once

#include "ListExport.h"

#include <QString>

namespace zurval {

class Prompts;
class RecorderSession;

// Экспорт в CSV → Кадры... / Перегрузки...: the save dialog in folder, proposing the
// recording's name with the list's; then the list as CSV, or the reason it could not be
// written in an error box.
void exportListWithDialog(ExportedList list, const RecorderSession& session, Prompts& prompts,
                          const QString& folder);

} // namespace zurval
