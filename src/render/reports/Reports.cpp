#include "render/reports/Reports.h"

#include "core/document/RecorderDocument.h"
#include "core/document/ShownTexts.h"
#include "render/reports/ChartReports.h"
#include "render/reports/InformationCard.h"
#include "render/reports/ListReports.h"
#include "render/reports/WorkAreaScheme.h"

namespace zurval {

BuiltReport buildReport(ReportKind kind, const ShownTexts& shown, const RecorderDocument& document,
                        PrintRange range) {
    switch (kind) {
    case ReportKind::InformationCard:
        return BuiltReport{informationCard(shown), {}};
    case ReportKind::Scheme:
        return workAreaScheme(shown, document);
    case ReportKind::Operational:
        return operationalReport(shown, *document.cyclic.frameList, range);
    case ReportKind::Overloads:
        return overloadsReport(shown, *document.cyclic.overloadList, range);
    case ReportKind::ParameterChart:
        return BuiltReport{parameterChartReport(chartAfterOpening(
                               parameterChartTitle(shown.service), *document.cyclic.frameList)),
                           {}};
    case ReportKind::RelayChart:
        return BuiltReport{relayChartReport(chartAfterOpening(relayChartTitle(shown.service),
                                                              *document.cyclic.frameList)),
                           {}};
    }
    return {};
}

} // namespace zurval
