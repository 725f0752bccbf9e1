#include "Application.h"
#include "MainWindow.h"
#include "QtPrompts.h"
#include "StateDump.h"

#include <QTimer>
#include <cstdio>
#include <cstring>

namespace {

constexpr const char* kUsage =
    "usage: zurval [FILE.vrl]\n"
    "       zurval --dump-state FILE.vrl\n"
    "  --dump-state  open FILE headless, confirm every message box and\n"
    "                print the messages and every named control as JSON\n";

int dumpState(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    zurval::Application app(argc, argv);
    zurval::ScriptedPrompts prompts(true);
    app.setPrompts(&prompts);
    zurval::TForm_Main window(prompts);
    const bool opened = window.openFile(QString::fromLocal8Bit(argv[2]));
    const QByteArray json = zurval::stateJson(&window, prompts);
    std::fwrite(json.constData(), 1, static_cast<std::size_t>(json.size()), stdout);
    return opened ? 0 : 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h"))) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (argc >= 2 && !std::strcmp(argv[1], "--dump-state")) {
        if (argc != 3) {
            std::fputs(kUsage, stderr);
            return 2;
        }
        return dumpState(argc, argv);
    }
    zurval::Application app(argc, argv);
    zurval::QtPrompts prompts;
    app.setPrompts(&prompts);
    zurval::TForm_Main window(prompts);
    prompts.setParent(&window);
    window.show();
    if (argc >= 2) {
        const QString path = QString::fromLocal8Bit(argv[1]);
        QTimer::singleShot(0, &window, [&window, path] { window.openFile(path); });
    }
    return app.exec();
}
