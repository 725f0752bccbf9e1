#include "automation/Commands.h"

#include "automation/ArchiveCommands.h"
#include "automation/ExportCommands.h"
#include "automation/Headless.h"
#include "automation/HeadlessStart.h"
#include "automation/ReportCommand.h"
#include "widgets/app/Application.h"
#include "widgets/app/MainWindow.h"
#include "widgets/app/QtPrompts.h"

#include <QGuiApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QSettings>
#include <QTextStream>
#include <QTimer>
#include <QTranslator>
#include <algorithm>
#include <cstdio>

namespace zurval {
namespace {

int runWindow(const CommandArguments& arguments) {
    // Every text of the program is Russian; Qt's own buttons and dialogs follow suit.
    QTranslator qtTexts;
    if (qtTexts.load(QStringLiteral("qtbase_ru"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTexts);
    QtPrompts prompts;
    Application::instance()->setPrompts(&prompts);
    TForm_Main window(prompts);
    prompts.setParent(&window);
    QSettings settings(QStringLiteral("zurval"), QStringLiteral("zurval"));
    window.useSettings(&settings);
    if (arguments.has(QStringLiteral("--archive-db")))
        window.archive().useLocation(arguments.value(QStringLiteral("--archive-db")));
    window.show();
    if (!arguments.positional.isEmpty()) {
        const QString path = arguments.positional.first();
        QTimer::singleShot(0, &window, [&window, path] { window.openFile(path); });
    }
    return QCoreApplication::exec();
}

// The window list and the task bar show the program's own icon: on X11 the windows carry
// it, a Wayland desktop takes it from the desktop entry named here.
void useProgramIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64})
        icon.addFile(QStringLiteral(":/icons/zurval-%1.png").arg(size));
    QGuiApplication::setWindowIcon(icon);
    QGuiApplication::setDesktopFileName(QStringLiteral("ru.zurval.zurval"));
}

int printHelp(const CommandArguments&) {
    std::fputs(qUtf8Printable(helpText()), stdout);
    return kExitDone;
}

int printVersion(const CommandArguments&) {
    std::puts("zurval " ZURVAL_VERSION);
    return kExitDone;
}

const OptionSpec kCsvStyleOption{
    "--csv-style", "comma|point",
    "comma (the default): \";\" between fields, decimal comma, dates 02.03.2026 10:08:00, as "
    "a spreadsheet under a Russian locale reads them; point: \",\", decimal point, dates "
    "2026-03-02 10:08:00"};

// FILE.vrl of the commands that read one recording may also be a reading of the archive.
const OptionSpec kArchiveReadingOption{
    "--archive-db", "DB",
    "the archive that FILE given as archive:SHA256 is a reading of (the user's own when left "
    "out): its recording opens as its file would"};

const std::vector<Command> kCommands{
    {{"",
      {"FILE.vrl"},
      0,
      {{"--archive-db", "DB",
        "the fleet archive the window uses this time, instead of the one chosen with "
        "\"База архива...\"; the same forms as for --archive"}}},
     "",
     {"[--archive-db DB] [FILE.vrl]"},
     "open the window, and FILE in it when given",
     AppKind::Window,
     runWindow},
    {{"--dump-state",
      {"FILE.vrl"},
      0,
      {
          {"--each", "", "print one state per step (the first before any step)"},
          {"--do", "NAME", "trigger the menu item or click the button NAME", Occurrence::Step},
          {"--set", "NAME=TEXT", "type TEXT into the edit NAME", Occurrence::Step},
          {"--key", "NAME=KEY",
           "press KEY (Return, Up, Down, Left, Right, PageUp, PageDown, ...) on NAME",
           Occurrence::Step},
          {"--scroll", "NAME=N", "drag the scroll bar or track bar NAME to N", Occurrence::Step},
          {"--cell", "NAME=COL,ROW", "choose that cell of the grid NAME", Occurrence::Step},
          {"--answer", "TEXT", "the file the next file dialog gives (\"\" cancels it)",
           Occurrence::Step},
          {"--confirm", "yes|no", "the answer of the next OK/Cancel box", Occurrence::Step},
          {"--frame", "N",
           "after the steps, draw frame N of the coordinate-protection view as \"Показать\" "
           "does"},
          {"--picture", "OUT.png",
           "then write the coordinate-protection picture (754 x 366) to OUT.png"},
          kArchiveReadingOption,
      }},
     "",
     {"--dump-state [FILE.vrl] [--each] [STEP ...] [--frame N] [--picture OUT.png]",
      "[--archive-db DB]"},
     "start headless, open FILE (if given), act out the STEPs (--do, --set, --key, --scroll, "
     "--cell, --answer, --confirm, each as often as needed) in the order given with every "
     "message box confirmed, and print the messages and every named control as JSON",
     AppKind::OffscreenWindow,
     runDumpState},
    {{"--acquire",
      {"vrl2|vrl3"},
      1,
      {
          {"--port", "COM1|COM2", "the port of the ВРЛ-2 (COM1 when left out)"},
          {"--save", "FILE", "the file the save dialog gives (cancelled without it)"},
          {"--operator", "NAME|CERT|ORG|DATE",
           "the texts the operator dialog takes before Ok (texts left out keep what it "
           "proposes; closed without Ok without it)"},
      }},
     "",
     {"--acquire vrl2|vrl3 [--port COM1|COM2] [--save FILE]", "[--operator NAME|CERT|ORG|DATE]"},
     "start headless and read a transfer device: vrl2 on --port, vrl3 wherever the scan finds "
     "it. The connect prompt is confirmed; SIGINT or SIGTERM aborts the read. Prints the "
     "messages, each state of panel 1 of the status bar, the byte count reached and the file "
     "saved as JSON; exit code 1 when no file was saved",
     AppKind::OffscreenWindow,
     runAcquire},
    {{"--report",
      {"card|scheme|oper|overloads|param-chart|relay-chart", "FILE.vrl"},
      2,
      {
          {"--pdf", "OUT.pdf", "the file the report is written to", Occurrence::Required},
          {"--frame", "N",
           "the frame of the scheme, drawn as \"Показать\" draws it (0 when left "
           "out, the one drawn after opening)"},
          {"--range", "A-B",
           "the frames or overload records A to B of oper and overloads, A below B (0-200 when "
           "left out, the frame-range dialog's defaults)"},
          kArchiveReadingOption,
      }},
     "",
     {"--report card|scheme|oper|overloads|param-chart|relay-chart",
      "FILE.vrl --pdf OUT.pdf [--frame N] [--range A-B] [--archive-db DB]"},
     "open FILE, fill the information card, the work area scheme, the operational report, "
     "the overloads table or the parameter or relay chart (every frame, the lines shown after "
     "opening) as the print menu does and write it to OUT.pdf",
     AppKind::OffscreenGui,
     runReport},
    {{"--export",
      {"frames|overloads", "FILE.vrl"},
      2,
      {{"--csv", "OUT.csv", "the file the CSV is written to", Occurrence::Required},
       {"--range", "A-B", "entries A to B of the list only, A <= B"},
       kCsvStyleOption,
       kArchiveReadingOption}},
     "",
     {"--export frames|overloads FILE.vrl --csv OUT.csv [--range A-B]",
      "[--csv-style comma|point] [--archive-db DB]"},
     "write FrameList (frames) or the non-empty overload records (overloads) of FILE as CSV: "
     "the values the pages show, bit words in groups of four and time stamps as dates; the "
     "open command's messages go to stderr",
     AppKind::Core,
     runExportCommand},
    {{"--summary",
      {"DIR"},
      1,
      {{"--csv", "OUT.csv", "write CSV into OUT.csv instead of the table on stdout"},
       kCsvStyleOption}},
     "",
     {"--summary DIR [--csv OUT.csv [--csv-style comma|point]]"},
     "one row per *.vrl under DIR (recursively): crane, duty, motor hours, overloads, what "
     "each reading added to the one before of the same recorder, and the file's state; a "
     "table on stdout or CSV into OUT.csv",
     AppKind::Core,
     [](const CommandArguments& arguments) {
         QTextStream out(stdout);
         return runSummaryCommand(arguments, out);
     }},
    {{"--archive",
      {"add|list|crane|report|get", "FILE|DIR|RECORDER_NUMBER|SHA256"},
      1,
      {{"--archive-db", "DB",
        "the archive: an SQLite file ($XDG_DATA_HOME/zurval/archive.sqlite when left out), "
        "or postgresql://[USER@]HOST[:PORT]/DB[?KEYWORD=VALUE&...] for a server, every "
        "libpq connection keyword passed on (sslmode, sslrootcert, service, ...); its "
        "password comes from ~/.pgpass, PGPASSFILE, PGPASSWORD or a service file, and is "
        "never printed; may also stand before --archive"},
       {"--csv", "OUT.csv", "list and crane: write CSV into OUT.csv instead of JSON on stdout"},
       {"--out", "FILE.vrl", "get: where the recording is written"},
       {"--pdf", "OUT.pdf",
        "list: the fleet table, report: the crane's history, written to OUT.pdf"},
       kCsvStyleOption},
      true},
     "",
     {"--archive add FILE|DIR...", "list [--csv OUT.csv [--csv-style comma|point] | --pdf OUT.pdf]",
      "crane RECORDER_NUMBER [--csv OUT.csv [--csv-style comma|point]]",
      "report RECORDER_NUMBER --pdf OUT.pdf", "get SHA256 --out FILE.vrl", "[--archive-db DB]"},
     "the fleet archive. add: store each intact recording, its file included, and every *.vrl "
     "under each DIR once, and print {\"added\": N, \"known\": N, \"refused\": [{\"path\": "
     "..., \"reason\": ...}], \"created\": BOOL} (exit code 2 when one was refused); only "
     "add makes a new archive, and says so on stderr; list: one row per crane and recorder "
     "with its newest dated reading, the new overloads above 125 % and the forecast of its "
     "expert examination, or with --pdf the fleet table on A4 landscape, each crane whose "
     "forecast falls within the next twelve months marked; crane: the readings of one "
     "recorder, each with its \"sha256\"; report: the history of the crane that recorder is "
     "on (head, readings, chart, forecast and its method) as a PDF, exit code 2 and no file "
     "for an unknown recorder; "
     "get: the recording of that reading byte for byte as it was added. list, crane, report "
     "and get only read, and refuse a missing archive; a database that is no archive of this "
     "program "
     "is refused and left as it was",
     AppKind::OffscreenGui,
     [](const CommandArguments& arguments) {
         QTextStream out(stdout);
         return runArchiveCommand(arguments, out);
     }},
    {{"--help", {}, 0, {}}, "-h", {"--help"}, "print this text", AppKind::None, printHelp},
    {{"--version", {}, 0, {}},
     "-V",
     {"--version"},
     "print the program's version",
     AppKind::None,
     printVersion},
};

const QString kNotes[] = {
    "Every option takes its value as --opt VALUE or as --opt=VALUE.",
    "FILE.vrl of --dump-state, --report and --export may be archive:SHA256, a reading of the "
    "archive (its \"sha256\" as --archive crane lists it): the archive's copy of its recording "
    "opens exactly as its file would, and the messages name archive:SHA256. A reading whose "
    "recording the archive does not keep opens from the path it was added from while the file "
    "there still holds it; else it is refused.",
    "CSV files are UTF-8 with a byte-order mark, in the same form whatever the locale; bit words "
    "are written in groups of four (0000 0010 1010 0011) so that spreadsheets keep them as "
    "texts.",
    "Exit codes: 0 done; 1 the output could not be written (the PDF, the CSV, the picture, the "
    "archive, or no recording saved by --acquire); 2 refused input (bad arguments, a FILE that "
    "cannot be opened, a refused frame, range or step, a recording the archive refuses, a "
    "recorder it holds no reading of).",
    "Port COMn is the device in ZURVAL_COMn (ZURVAL_COM0 to ZURVAL_COM14) when that is set, "
    "else COM1-4 are /dev/ttyS0-3, COM5-9 /dev/ttyUSB0-4 and COM10-14 /dev/ttyACM0-4.",
};

constexpr int kWidth = 92;

// lead, then text with its words in lines of at most kWidth columns, each further line
// indented to column; a lead that reaches column stands on a line of its own.
QString wrapped(const QString& lead, int column, const QString& text) {
    QString out;
    QString line = lead;
    if (!lead.isEmpty() && lead.size() >= column) {
        out += line + '\n';
        line.clear();
    }
    line = line.leftJustified(column);
    bool lineEmpty = true;
    for (const QString& word : text.split(' ', Qt::SkipEmptyParts)) {
        if (!lineEmpty && line.size() + 1 + word.size() > kWidth) {
            out += line + '\n';
            line = QString(column, ' ');
            lineEmpty = true;
        }
        line += (lineEmpty ? QString() : QStringLiteral(" ")) + word;
        lineEmpty = false;
    }
    return out + line + '\n';
}

} // namespace

const std::vector<Command>& commands() {
    return kCommands;
}

std::optional<CommandCall> parseCommandLine(const QStringList& words, QString* error) {
    const Command* command = &kCommands.front();
    QStringList rest = words;
    if (!words.isEmpty() && words.first().startsWith(u'-')) {
        auto named = [](const QString& word) {
            return std::find_if(kCommands.begin(), kCommands.end(), [&word](const Command& c) {
                return !c.syntax.name.isEmpty() && (word == c.syntax.name || word == c.alias);
            });
        };
        // A command's options may come before its name too: zurval --archive-db DB --archive.
        qsizetype at = 0;
        while (at < words.size() && named(words[at]) == kCommands.end())
            ++at;
        // Without a command's name, the words are the window's when the first is its option.
        const std::vector<OptionSpec>& windowOptions = kCommands.front().syntax.options;
        const bool forWindow =
            at == words.size() &&
            std::any_of(windowOptions.begin(), windowOptions.end(), [&words](const OptionSpec& o) {
                return words.first() == o.name || words.first().startsWith(o.name + '=');
            });
        if (!forWindow) {
            if (at == words.size() || (at > 0 && !words.first().startsWith(QLatin1String("--")))) {
                *error = QStringLiteral("unknown command %1").arg(words.first());
                return std::nullopt;
            }
            command = &*named(words[at]);
            rest = words.mid(at + 1) + words.mid(0, at);
        }
    }
    std::optional<CommandArguments> arguments = parseArguments(command->syntax, rest, error);
    if (!arguments)
        return std::nullopt;
    return CommandCall{command, std::move(*arguments)};
}

std::unique_ptr<QCoreApplication> createApplication(AppKind kind, int& argc, char** argv) {
    switch (kind) {
    case AppKind::None:
        return nullptr;
    case AppKind::Core:
        return std::make_unique<QCoreApplication>(argc, argv);
    case AppKind::OffscreenGui:
        startHeadless();
        return std::make_unique<QGuiApplication>(argc, argv);
    case AppKind::OffscreenWindow:
        startHeadless();
        return std::make_unique<Application>(argc, argv);
    case AppKind::Window:
        return std::make_unique<Application>(argc, argv);
    }
    return nullptr;
}

int runProgram(int argc, char** argv, const ProgramStarted& started) {
    QStringList words;
    for (int i = 1; i < argc; ++i)
        words << QString::fromLocal8Bit(argv[i]);
    QString error;
    const std::optional<CommandCall> call = parseCommandLine(words, &error);
    if (!call)
        return fail(kExitRefused, error);
    const auto app = createApplication(call->command->app, argc, argv);
    if (call->command->app == AppKind::Window)
        useProgramIcon();
    if (started)
        started(app.get(), *call);
    return call->command->run(call->arguments);
}

QString helpText() {
    QString text;
    for (const Command& c : kCommands) {
        // Further lines of a usage line up after the command's name.
        const QString first = text.isEmpty() ? "usage: zurval " : "       zurval ";
        QString lead = first;
        for (const QString& line : c.usage) {
            text += lead + line + '\n';
            lead = QString(first.size() + c.syntax.name.size() + 1, ' ');
        }
    }
    for (const Command& c : kCommands) {
        const QString name = c.syntax.name.isEmpty() ? c.usage.first()
                             : c.alias.isEmpty()     ? c.syntax.name
                                                     : c.syntax.name + ", " + c.alias;
        text += '\n' + wrapped("  " + name, 16, c.description);
        for (const OptionSpec& o : c.syntax.options)
            text += wrapped("    " + (o.name + ' ' + o.value).trimmed(), 28, o.description);
    }
    for (const QString& note : kNotes)
        text += '\n' + wrapped("", 0, note);
    return text;
}

} // namespace zurval
