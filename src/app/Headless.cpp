#include "Headless.h"

#include "Application.h"
#include "MainWindow.h"
#include "ProtectionViewPage.h"
#include "ScriptSteps.h"
#include "StateDump.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <cstdio>

namespace zurval {
namespace {

void fail(const QString& why) {
    std::fprintf(stderr, "zurval: %s\n", qUtf8Printable(why));
}

// Takes "--NAME VALUE" out of the words; false when the option has no value.
bool takeOption(QStringList& words, const QString& name, QString* value) {
    const qsizetype at = words.indexOf(name);
    if (at < 0)
        return true;
    if (at + 1 >= words.size())
        return false;
    *value = words.takeAt(at + 1);
    words.removeAt(at);
    return true;
}

void print(const QJsonDocument& json) {
    const QByteArray bytes = json.toJson(QJsonDocument::Indented);
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout);
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
    QString picturePath, frameText;
    const bool frameGiven = words.contains(QStringLiteral("--frame"));
    if (!takeOption(words, QStringLiteral("--picture"), &picturePath) ||
        !takeOption(words, QStringLiteral("--frame"), &frameText)) {
        fail(QStringLiteral("--picture and --frame need a value"));
        return 2;
    }
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
    // The protection picture, with the frame drawn first as "Показать" draws it.
    auto* protection = window.findChild<ProtectionViewPage*>(QStringLiteral("TabSheet_KZ"));
    if (frameGiven) {
        protection->setFrameNumberText(frameText);
        if (!protection->showTypedFrame()) {
            fail(QStringLiteral("frame %1 is refused").arg(frameText));
            return 2;
        }
    }
    if (!picturePath.isEmpty() && !writePng(protection->picture(), picturePath)) {
        fail(QStringLiteral("cannot write %1").arg(picturePath));
        return 2;
    }
    print(each ? QJsonDocument(states) : QJsonDocument(stateOf(&window, prompts)));
    return opened ? 0 : 2;
}

} // namespace zurval
