#include "Application.h"
#include "ExportCommands.h"
#include "Headless.h"
#include "MainWindow.h"
#include "QtPrompts.h"
#include "ReportCommand.h"

#include <QLibraryInfo>
#include <QSettings>
#include <QTextStream>
#include <QTimer>
#include <QTranslator>
#include <cstdio>
#include <cstring>

namespace {

constexpr const char* kUsage =
    "usage: zurval [FILE.vrl]\n"
    "       zurval --dump-state [FILE.vrl] [--each] [STEP ...] [--frame N] [--picture OUT.png]\n"
    "       zurval --acquire vrl2|vrl3 [--port COM1|COM2] [--save FILE]\n"
    "                                  [--operator NAME|CERT|ORG|DATE]\n"
    "       zurval --report card|oper|overloads FILE.vrl --pdf OUT.pdf [--range A-B]\n"
    "       zurval --export frames|overloads FILE.vrl --csv OUT.csv [--range A-B]\n"
    "       zurval --summary DIR [--csv OUT.csv]\n"
    "  --dump-state  start headless, open FILE (if given), act out the steps with every\n"
    "                message box confirmed, and print the messages and every named\n"
    "                control as JSON\n"
    "  --each        print one state per step (the first before any step)\n"
    "  --report      open FILE, fill the information card, the operational report or\n"
    "                the overloads table as the print menu does and write it to OUT.pdf\n"
    "                (--range A-B: the frames or overload records A to B, A < B;\n"
    "                without it 0-200, the frame-range dialog's defaults)\n"
    "steps, run in order:\n"
    "  --do NAME            trigger the menu item or click the button NAME\n"
    "  --set NAME=TEXT      type TEXT into the edit NAME\n"
    "  --key NAME=KEY       press KEY (Return, Up, Down, Left, Right, PageUp, PageDown, ...)\n"
    "  --scroll NAME=N      drag the scroll bar or track bar NAME to N\n"
    "  --cell NAME=COL,ROW  choose that cell of the grid NAME\n"
    "  --answer TEXT        the file the next file dialog gives (\"\" cancels it)\n"
    "  --confirm yes|no     the answer of the next OK/Cancel box\n"
    "after the steps:\n"
    "  --frame N            draw frame N of the coordinate-protection view as \"Показать\"\n"
    "                       does (exit code 2 when it is refused)\n"
    "  --picture OUT.png    write the coordinate-protection picture (754 x 366) to OUT.png\n"
    "  --acquire     start headless and read a transfer device: vrl2 on --port (COM1\n"
    "                when left out), vrl3 wherever the scan finds it. The connect prompt\n"
    "                is confirmed, the save dialog gives FILE (cancelled without --save),\n"
    "                the operator dialog takes the texts given and Ok (texts left out\n"
    "                keep what it proposes; closed without Ok without --operator).\n"
    "                Prints the messages, each state of panel 1 of the status bar and\n"
    "                the file saved as JSON; exit code 0 when a file was saved, else 1\n"
    "  --export      write FrameList (frames) or the non-empty overload records\n"
    "                (overloads) of FILE as CSV, cells as the pages show them;\n"
    "                --range takes entries A to B of the list only\n"
    "  --summary     one row per *.vrl under DIR (recursively): crane, duty, motor\n"
    "                hours, overloads, what each reading added to the one before of\n"
    "                the same recorder, and the file's state; a table on stdout or\n"
    "                CSV into OUT.csv\n"
    "  CSV files are UTF-8 with a byte-order mark, separated by \";\", numbers with\n"
    "  the locale's decimal separator. Exit code 0, or 2 when the command is refused\n"
    "port COMn is the device in ZURVAL_COMn when that is set, else COM1-4 are\n"
    "/dev/ttyS0-3, COM5-9 /dev/ttyUSB0-4 and COM10-14 /dev/ttyACM0-4\n";

// The commands on files alone need no window.
int runFileCommand(int argc, char** argv) {
    const QCoreApplication app(argc, argv);
    const QStringList words = QCoreApplication::arguments().mid(2);
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (!std::strcmp(argv[1], "--export"))
        return zurval::runExportCommand(words, err);
    return zurval::runSummaryCommand(words, out, err);
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h"))) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (argc >= 2 && !std::strcmp(argv[1], "--dump-state"))
        return zurval::runDumpState(argc, argv);
    if (argc >= 2 && !std::strcmp(argv[1], "--acquire"))
        return zurval::runAcquire(argc, argv);
    if (argc >= 2 && !std::strcmp(argv[1], "--report"))
        return zurval::runReport(argc, argv);
    if (argc >= 2 && (!std::strcmp(argv[1], "--export") || !std::strcmp(argv[1], "--summary")))
        return runFileCommand(argc, argv);
    if (argc >= 2 && argv[1][0] == '-' && argv[1][1] == '-') {
        std::fputs(kUsage, stderr);
        return 2;
    }
    zurval::Application app(argc, argv);
    // Every text of the program is Russian; Qt's own buttons and dialogs follow suit.
    QTranslator qtTexts;
    if (qtTexts.load(QStringLiteral("qtbase_ru"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTexts);
    zurval::QtPrompts prompts;
    app.setPrompts(&prompts);
    zurval::TForm_Main window(prompts);
    prompts.setParent(&window);
    QSettings settings(QStringLiteral("zurval"), QStringLiteral("zurval"));
    window.useSettings(&settings);
    window.show();
    if (argc >= 2) {
        const QString path = QString::fromLocal8Bit(argv[1]);
        QTimer::singleShot(0, &window, [&window, path] { window.openFile(path); });
    }
    return app.exec();
}
