#pragma once

#include "core/archive/FleetArchive.h"
#include "render/reports/ReportEngine.h"

#include <QDate>
#include <vector>

namespace zurval {

// The archive's printed documents.

// One crane and recorder: its row of the fleet and its readings, oldest first and the
// undated ones last.
struct CraneHistory {
    FleetRow row;
    std::vector<StoredReading> readings;
};

// "История крана", A4 portrait: for each crane a head, the readings table, the chart of the
// characteristic number and the forecast with how it was made; each crane from a new page,
// the page number and the date made (today) at the foot of every page.
[[nodiscard]] report::Document craneHistoryReport(const std::vector<CraneHistory>& cranes,
                                                  const QDate& today);

// "Парк кранов", A4 landscape: the window's columns, the rows in the order given, each crane
// whose examination is due within twelve months from today marked.
[[nodiscard]] report::Document fleetReport(const std::vector<FleetRow>& rows,
                                           const QString& archiveShown, const QDate& today);

} // namespace zurval
