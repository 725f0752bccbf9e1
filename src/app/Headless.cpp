#include "Headless.h"

#include "Application.h"
#include "ControlGatherer.h"
#include "IntegerText.h"
#include "MainWindow.h"
#include "ScriptSteps.h"
#include "StateDump.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <cstdio>
#include <optional>

namespace zurval {
namespace {

void fail(const QString& why) {
    std::fprintf(stderr, "zurval: %s\n", qUtf8Printable(why));
}

void print(const QJsonDocument& json) {
    const QByteArray bytes = json.toJson(QJsonDocument::Indented);
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout);
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

int runDumpState(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    Application app(argc, argv);
    ScriptedPrompts prompts(true);
    app.setPrompts(&prompts);

    QStringList words;
    for (int i = 2; i < argc; ++i)
        words << QString::fromLocal8Bit(argv[i]);
    const bool each = words.removeAll(QStringLiteral("--each")) > 0;
    QString file;
    if (!words.isEmpty() && !words.first().startsWith(QLatin1String("--")))
        file = words.takeFirst();
    QString problem;
    const std::optional<std::vector<ScriptStep>> steps = parseScriptSteps(words, &problem);
    if (!steps) {
        fail(problem);
        return 2;
    }

    TForm_Main window(prompts);
    ScriptRunner runner(&window, prompts);
    // Names are checked before anything runs; a disabled control is refused at its step.
    for (const ScriptStep& step : *steps)
        if (const QString why = runner.checkTarget(step); !why.isEmpty()) {
            fail(why);
            return 2;
        }

    const bool opened = file.isEmpty() || window.openFile(file);
    QJsonArray states;
    std::size_t messagesSeen = 0;
    auto snapshot = [&] {
        states.append(stateOf(&window, prompts, messagesSeen));
        messagesSeen = prompts.shown().size();
    };
    if (each)
        snapshot();
    for (const ScriptStep& step : *steps) {
        if (const QString why = runner.run(step); !why.isEmpty()) {
            fail(why);
            return 2;
        }
        if (each && ScriptRunner::actsOnWindow(step))
            snapshot();
    }
    print(each ? QJsonDocument(states) : QJsonDocument(stateOf(&window, prompts)));
    return opened ? 0 : 2;
}

int runReport(int argc, char** argv) {
    QStringList words;
    for (int i = 2; i < argc; ++i)
        words << QString::fromLocal8Bit(argv[i]);
    QString problem;
    const std::optional<ReportRequest> request = parseReportRequest(words, &problem);
    if (!request) {
        fail(problem);
        return 2;
    }
    if (request->kind == "scheme") {
        fail("the work area scheme cannot be printed yet");
        return 2;
    }
    // Without --range, as if the frame-range dialog were confirmed with its own defaults.
    const PrintRange range = request->range.value_or(PrintRange{0, 200});
    if (request->range && range.from >= range.to) {
        fail(kWrongRangeMessage);
        return 2;
    }

    qputenv("QT_QPA_PLATFORM", "offscreen");
    Application app(argc, argv);
    ScriptedPrompts prompts(true);
    app.setPrompts(&prompts);
    TForm_Main window(prompts);
    const bool opened = window.openFile(request->file);
    for (const QString& text : prompts.texts())
        fail(text.trimmed());
    if (!opened)
        return 2;

    const ReportKind kind = request->kind == "card"   ? ReportKind::InformationCard
                            : request->kind == "oper" ? ReportKind::Operational
                                                      : ReportKind::Overloads;
    const ControlTexts controls = gatherControlTexts(&window);
    const BuiltReport built = buildReport(kind, ReportInputs{controls, window.document(), range});
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
