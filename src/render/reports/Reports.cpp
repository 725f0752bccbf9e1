#include "Reports.h"

#include "InformationCard.h"
#include "ListReports.h"
#include "RecorderDocument.h"
#include "WorkAreaScheme.h"

namespace zurval {

BuiltReport buildReport(ReportKind kind, const ReportInputs& in) {
    switch (kind) {
    case ReportKind::InformationCard:
        return BuiltReport{informationCard(in.controls), {}};
    case ReportKind::Scheme:
        return workAreaScheme(in.controls, in.document);
    case ReportKind::Operational:
        return operationalReport(in.controls, *in.document.cyclic.frameList, in.range);
    case ReportKind::Overloads:
        return overloadsReport(in.controls, *in.document.cyclic.overloadList, in.range);
    }
    return {};
}

} // namespace zurval
