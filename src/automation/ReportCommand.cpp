#include "automation/ReportCommand.h"

#include "core/document/RecorderSession.h"
#include "core/frames/IntegerText.h"
#include "render/reports/Reports.h"

#include <QFileInfo>
#include <optional>

namespace zurval {
namespace {

struct ReportRequest {
    QString kind; // card, scheme, oper, overloads
    QString file;
    QString pdf;
    std::optional<PrintRange> range;
    std::optional<int> frame;
};

std::optional<ReportRequest> parseReportRequest(const CommandArguments& arguments, QString* error) {
    static const QStringList kKinds{"card", "scheme", "oper", "overloads"};
    auto refuse = [error](const QString& why) -> std::optional<ReportRequest> {
        *error = why;
        return std::nullopt;
    };
    const QString kind = arguments.positional.value(0);
    if (!kKinds.contains(kind))
        return refuse(
            QStringLiteral("--report takes card, scheme, oper or overloads, not %1").arg(kind));
    ReportRequest request{kind, arguments.positional.value(1), arguments.value("--pdf"), {}, {}};
    auto notWith = [&kind](const char* option) {
        return QStringLiteral("%1 does not go with --report %2").arg(option, kind);
    };
    const bool listed = kind == "oper" || kind == "overloads";
    if (arguments.has("--range") && !listed)
        return refuse(notWith("--range"));
    if (arguments.has("--frame") && kind != "scheme")
        return refuse(notWith("--frame"));
    QString why;
    if (arguments.has("--range")) {
        const std::optional<EntryRange> range =
            parseRange(arguments.value("--range"),
                       kind == "oper" ? kFrameCapacity : kOverloadCapacity, false, &why);
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
    const PrintRange range = request->range.value_or(PrintRange{0, 200});

    RecorderSession session;
    session.setFileName(QFileInfo(request->file).absoluteFilePath());
    // What the window would tell in message boxes.
    const bool opened = session.load(
        [&request](const OpenNotice& n) {
            if (const auto* m = std::get_if<notice::Message>(&n))
                complain(aboutFile(request->file, m->text.trimmed()));
        },
        &problem);
    if (!opened)
        return fail(kExitRefused, aboutFile(request->file, problem));

    const ReportKind kind = request->kind == "card"     ? ReportKind::InformationCard
                            : request->kind == "scheme" ? ReportKind::Scheme
                            : request->kind == "oper"   ? ReportKind::Operational
                                                        : ReportKind::Overloads;
    // The scheme prints the frame of the protection page: the oldest one after opening, or
    // the one typed into its frame field.
    if (request->frame)
        session.setShownFrame(QString::number(*request->frame));
    const BuiltReport built = buildReport(kind, session.texts(), session.document(), range);
    if (!built.refusal.isEmpty())
        return fail(kExitRefused, built.refusal);
    QString error;
    if (!report::writePdf(built.pages, request->pdf, &error))
        return fail(kExitNotWritten,
                    aboutFile(request->pdf, QStringLiteral("cannot write: ") + error));
    return kExitDone;
}

} // namespace zurval
