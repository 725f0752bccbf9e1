#include "automation/ReportCommand.h"

#include "automation/CommandRecording.h"
#include "core/document/RecorderSession.h"
#include "core/frames/IntegerText.h"
#include "render/reports/Reports.h"

#include <algorithm>
#include <iterator>
#include <optional>

namespace zurval {
namespace {

struct ReportKindName {
    const char* name;
    ReportKind kind;
};
constexpr ReportKindName kKinds[] = {
    {"card", ReportKind::InformationCard},       {"scheme", ReportKind::Scheme},
    {"oper", ReportKind::Operational},           {"overloads", ReportKind::Overloads},
    {"param-chart", ReportKind::ParameterChart}, {"relay-chart", ReportKind::RelayChart},
};

struct ReportRequest {
    ReportKind kind;
    QString file;
    QString pdf;
    std::optional<PrintRange> range;
    std::optional<int> frame;
};

std::optional<ReportRequest> parseReportRequest(const CommandArguments& arguments, QString* error) {
    auto refuse = [error](const QString& why) -> std::optional<ReportRequest> {
        *error = why;
        return std::nullopt;
    };
    const QString kind = arguments.positional.value(0);
    const auto* named = std::find_if(std::begin(kKinds), std::end(kKinds),
                                     [&kind](const ReportKindName& k) { return kind == k.name; });
    if (named == std::end(kKinds))
        return refuse(QStringLiteral("--report takes card, scheme, oper, overloads, param-chart "
                                     "or relay-chart, not %1")
                          .arg(kind));
    ReportRequest request{
        named->kind, arguments.positional.value(1), arguments.value("--pdf"), {}, {}};
    auto notWith = [&kind](const char* option) {
        return QStringLiteral("%1 does not go with --report %2").arg(option, kind);
    };
    const bool listed =
        request.kind == ReportKind::Operational || request.kind == ReportKind::Overloads;
    if (arguments.has("--range") && !listed)
        return refuse(notWith("--range"));
    if (arguments.has("--frame") && request.kind != ReportKind::Scheme)
        return refuse(notWith("--frame"));
    QString why;
    if (arguments.has("--range")) {
        const std::optional<EntryRange> range =
            parseRange(arguments.value("--range"),
                       request.kind == ReportKind::Operational ? kFrameCapacity : kOverloadCapacity,
                       false, &why);
        if (!range)
            return refuse(why);
        request.range = PrintRange{range->first, range->last};
    }
    if (arguments.has("--frame")) {
        request.frame = parseFrameNumber(arguments.value("--frame"), &why);
        if (!request.frame)
            return refuse(why);
    }
    return request;
}

} // namespace

int runReport(const CommandArguments& arguments) {
    QString problem;
    const std::optional<ReportRequest> request = parseReportRequest(arguments, &problem);
    if (!request)
        return fail(kExitRefused, problem);
    // Without --range, as if the frame-range dialog were confirmed with its own defaults.
    const PrintRange range = request->range.value_or(kDefaultPrintRange);

    RecorderSession session;
    if (const int opened = openCommandRecording(request->file, arguments, session);
        opened != kExitDone)
        return opened;
    // The scheme prints the frame of the protection page: the oldest one after opening, or
    // the one typed into its frame field.
    if (request->frame)
        session.setShownFrame(QString::number(*request->frame));
    const BuiltReport built =
        buildReport(request->kind, session.texts(), session.document(), range);
    if (!built.refusal.isEmpty())
        return fail(kExitRefused, built.refusal);
    QString error;
    if (!report::writePdf(built.pages, request->pdf, &error))
        return fail(kExitNotWritten,
                    aboutFile(request->pdf, QStringLiteral("cannot write: ") + error));
    return kExitDone;
}

} // namespace zurval
