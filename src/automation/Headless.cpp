#include "Headless.h"

#include "HeadlessStart.h"

#include "Application.h"
#include "FleetSummaryWindow.h"
#include "MainWindow.h"
#include "ProtectionViewPage.h"
#include "Saver.h"
#include "ScriptSteps.h"
#include "StateDump.h"
#include "WindowTransferView.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <cstdio>
#include <optional>

namespace zurval {
namespace {

// The command line after the program and its command option (--dump-state, --acquire, ...).
QStringList wordsAfterCommand(int argc, char** argv) {
    QStringList words;
    for (int i = 2; i < argc; ++i)
        words << QString::fromLocal8Bit(argv[i]);
    return words;
}

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

// Fills in and closes the operator dialog once its modal loop runs.
class OperatorAnswer : public QObject {
public:
    OperatorAnswer(TForm_saver& dialog, const std::optional<QStringList>& typed)
        : QObject(&dialog), dialog_(dialog), typed_(typed) {
        setObjectName(QStringLiteral("OperatorAnswer"));
        dialog.installEventFilter(this);
    }

    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Show)
            QMetaObject::invokeMethod(this, &OperatorAnswer::answer, Qt::QueuedConnection);
        return false;
    }

private:
    void answer() {
        if (!typed_) {
            dialog_.reject();
            return;
        }
        const char* const edits[] = {"Edit_Name", "Edit_NUd", "Edit_Org", "Edit_DataSch"};
        for (int i = 0; i < std::min<int>(4, typed_->size()); ++i)
            dialog_.findChild<QLineEdit*>(QString::fromLatin1(edits[i]))->setText(typed_->at(i));
        dialog_.findChild<QPushButton*>(QStringLiteral("Button_Ok"))->click();
    }

    TForm_saver& dialog_;
    std::optional<QStringList> typed_;
};

struct AcquireRequest {
    bool vrl3 = false;
    QString port = QStringLiteral("COM1");
    QString saveAs;                   // "" cancels the save dialog
    std::optional<QStringList> typed; // name, certificate, organisation, date
};

std::optional<AcquireRequest> parseAcquire(const QStringList& words, QString* problem) {
    AcquireRequest r;
    if (words.isEmpty() || (words[0] != "vrl2" && words[0] != "vrl3")) {
        *problem = QStringLiteral("--acquire takes vrl2 or vrl3");
        return std::nullopt;
    }
    r.vrl3 = words[0] == "vrl3";
    for (int i = 1; i < words.size(); i += 2) {
        const QString& option = words[i];
        if (i + 1 >= words.size()) {
            *problem = QStringLiteral("%1 needs a value").arg(option);
            return std::nullopt;
        }
        const QString& value = words[i + 1];
        if (option == "--port" && !r.vrl3 && (value == "COM1" || value == "COM2")) {
            r.port = value;
        } else if (option == "--save" && !value.isEmpty()) {
            r.saveAs = QFileInfo(value).absoluteFilePath();
        } else if (option == "--operator" && value.count('|') <= 3) {
            r.typed = value.split('|');
        } else {
            *problem = option == "--port"
                           ? QStringLiteral("--port takes COM1 or COM2, and only with vrl2")
                           : QStringLiteral("cannot use %1 %2").arg(option, value);
            return std::nullopt;
        }
    }
    return r;
}

} // namespace

void answerOperatorDialog(TForm_saver& dialog, const std::optional<QStringList>& typed) {
    delete dialog.findChild<QObject*>(QStringLiteral("OperatorAnswer"), Qt::FindDirectChildrenOnly);
    new OperatorAnswer(dialog, typed);
}

int runAcquire(int argc, char** argv) {
    startHeadless();
    Application app(argc, argv);
    QStringList words = wordsAfterCommand(argc, argv);
    QString problem;
    const std::optional<AcquireRequest> request = parseAcquire(words, &problem);
    if (!request) {
        fail(problem);
        return 2;
    }

    ScriptedPrompts prompts(true);
    app.setPrompts(&prompts);
    prompts.queueFileName(request->saveAs);
    TForm_Main window(prompts);
    answerOperatorDialog(window.deviceReads().operatorDialog(), request->typed);
    QJsonArray status;
    QObject::connect(&window.deviceReads().transferView(), &WindowTransferView::statusShown,
                     [&status](const QString& text, const QColor& colour) {
                         status.append(QJsonObject{{"text", text}, {"color", colour.name()}});
                     });

    const QString menuItem =
        request->vrl3 ? QStringLiteral("Menu_VRL3") : QStringLiteral("Menu_") + request->port;
    window.findChild<QAction*>(menuItem)->trigger();

    const QString saved = window.deviceReads().lastRead().savedPath;
    print(
        QJsonDocument(QJsonObject{{"messages", dumpMessages(prompts)},
                                  {"status", status},
                                  {"saved", saved.isEmpty() ? QJsonValue() : QJsonValue(saved)}}));
    return saved.isEmpty() ? 1 : 0;
}

int runDumpState(int argc, char** argv) {
    startHeadless();
    Application app(argc, argv);
    ScriptedPrompts prompts(true);
    app.setPrompts(&prompts);

    QStringList words = wordsAfterCommand(argc, argv);
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
        // A folder summary reads in the background; the state shows it read.
        if (FleetSummaryWindow* summary = window.summaryWindow())
            summary->waitUntilRead();
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
