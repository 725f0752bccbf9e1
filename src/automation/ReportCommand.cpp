#include "ReportCommand.h"

#include "HeadlessStart.h"
#include "IntegerText.h"
#include "RecorderSession.h"
#include "Reports.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QRegularExpression>
#include <cstdio>
#include <optional>

namespace zurval {
namespace {

void fail(const QString& why) {
    std::fprintf(stderr, "zurval: %s\n", qUtf8Printable(why));
}

// The command line after the program and --report.
QStringList wordsAfterCommand(int argc, char** argv) {
    QStringList words;
    for (int i = 2; i < argc; ++i)
        words << QString::fromLocal8Bit(argv[i]);
    return words;
}

struct ReportRequest {
    QString kind; // card, scheme, oper, overloads
    QString file;
    QString pdf;
    std::optional<PrintRange> range;
    std::optional<int> frame;
};

std::optional<ReportRequest> parseReportRequest(const QStringList& words, QString* error) {
    static const QStringList kKinds{"card", "scheme", "oper", "overloads"};
    auto refuse = [error](const QString& why) -> std::optional<ReportRequest> {
        *error = why;
        return std::nullopt;
    };
    if (words.size() < 2 || !kKinds.contains(words[0]) || words[1].startsWith("--"))
        return refuse("--report needs one of card, scheme, oper, overloads and a FILE");
    ReportRequest request{words[0], words[1], {}, {}, {}};
    for (int i = 2; i < words.size(); i += 2) {
        const QString& option = words[i];
        if (i + 1 >= words.size())
            return refuse(QStringLiteral("%1 needs a value").arg(option));
        const QString& value = words[i + 1];
        if (option == "--pdf") {
            request.pdf = value;
        } else if (option == "--range" && (request.kind == "oper" || request.kind == "overloads")) {
            static const QRegularExpression kRange("^(-?\\d+)-(-?\\d+)$");
            const QRegularExpressionMatch m = kRange.match(value);
            const std::optional<int> from =
                m.hasMatch() ? parseInteger(m.captured(1)) : std::nullopt;
            const std::optional<int> to = m.hasMatch() ? parseInteger(m.captured(2)) : std::nullopt;
            if (!from || !to)
                return refuse(QStringLiteral("--range takes A-B, not %1").arg(value));
            request.range = PrintRange{*from, *to};
        } else if (option == "--frame" && request.kind == "scheme") {
            request.frame = parseInteger(value);
            if (!request.frame)
                return refuse(QStringLiteral("--frame takes a frame number, not %1").arg(value));
        } else {
            return refuse(
                QStringLiteral("%1 does not go with --report %2").arg(option, request.kind));
        }
    }
    if (request.pdf.isEmpty())
        return refuse("--report needs --pdf OUT.pdf");
    return request;
}

} // namespace

int runReport(int argc, char** argv) {
    QStringList words = wordsAfterCommand(argc, argv);
    QString problem;
    const std::optional<ReportRequest> request = parseReportRequest(words, &problem);
    if (!request) {
        fail(problem);
        return 2;
    }
    // Without --range, as if the frame-range dialog were confirmed with its own defaults.
    const PrintRange range = request->range.value_or(PrintRange{0, 200});
    if (request->range && range.from >= range.to) {
        fail(kWrongRangeMessage);
        return 2;
    }

    startHeadless();
    // Painting and fonts, no widgets.
    const QGuiApplication app(argc, argv);
    RecorderSession session;
    // What the window would tell in message boxes.
    const bool opened =
        session.open(QFileInfo(request->file).absoluteFilePath(), [](const OpenNotice& n) {
            if (const auto* m = std::get_if<notice::Message>(&n))
                fail(m->text.trimmed());
        });
    if (!opened) {
        fail(kCannotOpenMessage.trimmed());
        return 2;
    }

    const ReportKind kind = request->kind == "card"     ? ReportKind::InformationCard
                            : request->kind == "scheme" ? ReportKind::Scheme
                            : request->kind == "oper"   ? ReportKind::Operational
                                                        : ReportKind::Overloads;
    // The scheme prints the frame of the protection page: the oldest one after opening, or
    // the one typed into its frame field.
    if (request->frame)
        session.setShownFrame(QString::number(*request->frame));
    const BuiltReport built = buildReport(kind, session.texts(), session.document(), range);
    if (!built.refusal.isEmpty()) {
        fail(built.refusal);
        return 2;
    }
    QString error;
    if (!report::writePdf(built.pages, request->pdf, &error)) {
        fail(QStringLiteral("cannot write %1: %2").arg(request->pdf, error));
        return 1;
    }
    return 0;
}

} // namespace zurval
