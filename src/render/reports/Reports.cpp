#include "render/reports/Reports.h"

#include "core/document/RecorderDocument.h"
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
    }
    return {};
}

} // namespace zurval
