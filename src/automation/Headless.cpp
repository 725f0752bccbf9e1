#include "automation/Headless.h"

#include "automation/CommandRecording.h"
#include "automation/ScriptSteps.h"
#include "automation/StateDump.h"
#include "core/acquisition/PosixSerialPort.h"
#include "core/document/ShownTexts.h"
#include "core/recorder/RecorderFile.h"
#include "widgets/acquisition/Saver.h"
#include "widgets/app/Application.h"
#include "widgets/app/MainWindow.h"
#include "widgets/app/WindowTransferView.h"
#include "widgets/archive/ArchiveMenu.h"
#include "widgets/export/FleetSummaryWindow.h"
#include "widgets/protection/ProtectionViewPage.h"

#include <QAction>
#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLineEdit>
#include <QPushButton>
#include <QSocketNotifier>
#include <QTemporaryDir>
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <optional>
#include <unistd.h>

namespace zurval {
namespace {

// The scripted prompts answer the message boxes; an exception's error box goes there too.
void usePrompts(ScriptedPrompts& prompts) {
    if (Application* app = Application::instance())
        app->setPrompts(&prompts);
}

// Why the window could not open path, as the open command finds it.
QString whyUnreadable(const QString& path) {
    QString why;
    static_cast<void>(readRecorderFile(path, &why));
    return why;
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

// While it lives, SIGINT and SIGTERM abort a running read as "Прервать" does. The handler
// only writes to a pipe; the read sees it between two bytes, where the view handles the
// events.
class AbortOnSignal {
public:
    explicit AbortOnSignal(bool& abortRequested) {
        if (::pipe2(pipe_, O_CLOEXEC | O_NONBLOCK) != 0)
            return;
        writeEnd_ = pipe_[1];
        notifier_ = std::make_unique<QSocketNotifier>(pipe_[0], QSocketNotifier::Read);
        QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this, &abortRequested] {
            char drained[16];
            while (::read(pipe_[0], drained, sizeof drained) > 0) {
            }
            abortRequested = true;
        });
        struct sigaction handler {};
        handler.sa_handler = [](int) {
            const char byte = 0;
            static_cast<void>(::write(writeEnd_, &byte, 1));
        };
        ::sigaction(SIGINT, &handler, &oldInt_);
        ::sigaction(SIGTERM, &handler, &oldTerm_);
    }
    ~AbortOnSignal() {
        if (!notifier_)
            return;
        ::sigaction(SIGINT, &oldInt_, nullptr);
        ::sigaction(SIGTERM, &oldTerm_, nullptr);
        notifier_.reset();
        ::close(pipe_[0]);
        ::close(pipe_[1]);
        writeEnd_ = -1;
    }
    AbortOnSignal(const AbortOnSignal&) = delete;
    AbortOnSignal& operator=(const AbortOnSignal&) = delete;

private:
    static inline volatile std::sig_atomic_t writeEnd_ = -1;
    int pipe_[2] = {-1, -1};
    std::unique_ptr<QSocketNotifier> notifier_;
    struct sigaction oldInt_ {};
    struct sigaction oldTerm_ {};
};

// A device read shown nowhere: panel 1 of the status bar and its colour, reported each time
// the window would have painted them anew; the operator's texts as a fresh window has them.
class HeadlessTransferView : public TransferView {
public:
    void setStatusText(const QString& text) override { text_ = text; }
    void setStatusColour(StatusColour colour) override { colour_ = statusBarColour(colour); }
    void setProgressVisible(bool) override {}
    void setProgress(int) override {}
    void repaint() override { paint(); }
    void beforeBlockingStep() override {
        if (!sincePaint_.isValid() || sincePaint_.elapsed() >= kTransferPaintIntervalMs)
            paint();
    }
    [[nodiscard]] OperatorBlock operatorTexts() const override { return operatorTexts_; }
    void setOperatorTexts(const OperatorBlock& texts) override { operatorTexts_ = texts; }

    // Each state of panel 1 the user could have seen: text and colour.
    [[nodiscard]] const QJsonArray& shown() const { return shown_; }
    void noteShown() {
        if (text_ == shownText_ && colour_ == shownColour_)
            return;
        shownText_ = text_;
        shownColour_ = colour_;
        shown_.append(QJsonObject{{"text", text_}, {"color", colour_.name()}});
    }

private:
    void paint() {
        noteShown();
        // The signal that aborts the read comes in as an event.
        QCoreApplication::processEvents();
        sincePaint_.start();
    }

    QString text_;
    QColor colour_ = statusBarColour(StatusColour::ButtonFace);
    QString shownText_;
    QColor shownColour_ = colour_;
    QJsonArray shown_;
    QElapsedTimer sincePaint_;
    OperatorBlock operatorTexts_ = [] {
        ShownTexts cleared;
        cleared.clear();
        return cleared.operatorTexts;
    }();
};

struct AcquireRequest {
    bool vrl3 = false;
    QString port = QStringLiteral("COM1");
    QString saveAs;                   // "" cancels the save dialog
    std::optional<QStringList> typed; // name, certificate, organisation, date
};

std::optional<AcquireRequest> parseAcquire(const CommandArguments& arguments, QString* problem) {
    auto refuse = [problem](const QString& why) -> std::optional<AcquireRequest> {
        *problem = why;
        return std::nullopt;
    };
    AcquireRequest r;
    const QString device = arguments.positional.value(0);
    if (device != "vrl2" && device != "vrl3")
        return refuse(QStringLiteral("--acquire takes vrl2 or vrl3, not %1").arg(device));
    r.vrl3 = device == "vrl3";
    if (arguments.has("--port")) {
        r.port = arguments.value("--port");
        if (r.vrl3 || (r.port != "COM1" && r.port != "COM2"))
            return refuse(QStringLiteral("--port takes COM1 or COM2, and only with vrl2"));
    }
    if (arguments.has("--save")) {
        if (arguments.value("--save").isEmpty())
            return refuse(QStringLiteral("--save needs a file name"));
        r.saveAs = QFileInfo(arguments.value("--save")).absoluteFilePath();
    }
    if (arguments.has("--operator")) {
        const QString texts = arguments.value("--operator");
        if (texts.count('|') > 3)
            return refuse(
                QStringLiteral("--operator takes at most NAME|CERT|ORG|DATE, not %1").arg(texts));
        r.typed = texts.split('|');
    }
    return r;
}

} // namespace

void answerOperatorDialog(TForm_saver& dialog, const std::optional<QStringList>& typed) {
    delete dialog.findChild<QObject*>(QStringLiteral("OperatorAnswer"), Qt::FindDirectChildrenOnly);
    new OperatorAnswer(dialog, typed);
}

int runAcquire(const CommandArguments& arguments) {
    QString problem;
    const std::optional<AcquireRequest> request = parseAcquire(arguments, &problem);
    if (!request)
        return fail(kExitRefused, problem);

    ScriptedPrompts prompts(true);
    usePrompts(prompts);
    prompts.queueFileName(request->saveAs);
    HeadlessTransferView view;
    TForm_saver operatorDialog;
    answerOperatorDialog(operatorDialog, request->typed);
    PosixSerialPort port;
    SystemClock clock;
    bool abortRequested = false;
    const AcquisitionContext context{port,           clock,     prompts,   view,
                                     operatorDialog, QString(), QString(), &abortRequested};
    ReadOutcome read;
    {
        const AbortOnSignal abortOnSignal(abortRequested);
        if (request->vrl3) {
            read = readVrl3(context, QDateTime::currentDateTime());
        } else {
            ReceiveBuffer buffer;
            read = readVrl2(context, request->port == QLatin1String("COM1") ? 1 : 2, buffer);
        }
    }
    view.noteShown();

    const QString saved = read.savedPath;
    print(
        QJsonDocument(QJsonObject{{"messages", dumpMessages(prompts)},
                                  {"status", view.shown()},
                                  {"count", read.readCounter},
                                  {"saved", saved.isEmpty() ? QJsonValue() : QJsonValue(saved)}}));
    return saved.isEmpty() ? kExitNotWritten : kExitDone;
}

int runDumpState(const CommandArguments& arguments) {
    QString problem;
    const std::optional<std::vector<ScriptStep>> steps =
        parseScriptSteps(arguments.steps, &problem);
    if (!steps)
        return fail(kExitRefused, problem);
    // The frame is typed into the frame number edit as given, once it is known to be one.
    const QString frameText = arguments.value("--frame");
    if (arguments.has("--frame") && !parseFrameNumber(frameText, &problem))
        return fail(kExitRefused, problem);
    // A reading of the archive opens from a copy of its recording, as its file would.
    QString file = arguments.positional.value(0);
    QTemporaryDir copyFolder;
    if (file.startsWith(QLatin1String("archive:"))) {
        const std::optional<CommandRecording> recording = readCommandRecording(file, arguments);
        if (!recording)
            return kExitRefused;
        QFile copy(copyFolder.filePath(file.mid(8) + QStringLiteral(".vrl")));
        const auto& bytes = recording->file.bytes;
        if (!copy.open(QIODevice::WriteOnly) ||
            copy.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size())) !=
                qint64(bytes.size()))
            return fail(kExitNotWritten, aboutFile(copy.fileName(), copy.errorString()));
        copy.close();
        file = copy.fileName();
    }
    const bool each = arguments.has("--each");
    const QString picturePath = arguments.value("--picture");

    ScriptedPrompts prompts(true);
    usePrompts(prompts);
    TForm_Main window(prompts);
    if (arguments.has("--archive-db"))
        window.archive().useLocation(arguments.value("--archive-db"));
    ScriptRunner runner(&window, prompts);
    // Names are checked before anything runs; a disabled control is refused at its step.
    for (const ScriptStep& step : *steps)
        if (const QString why = runner.checkTarget(step); !why.isEmpty())
            return fail(kExitRefused, why);

    const bool opened = file.isEmpty() || window.openFile(file);
    if (!opened)
        complain(aboutFile(file, whyUnreadable(file)));
    QJsonArray states;
    std::size_t messagesSeen = 0;
    auto snapshot = [&] {
        states.append(stateOf(&window, prompts, messagesSeen));
        messagesSeen = prompts.shown().size();
    };
    if (each)
        snapshot();
    for (const ScriptStep& step : *steps) {
        if (const QString why = runner.run(step); !why.isEmpty())
            return fail(kExitRefused, why);
        // A folder summary reads and the archive adds in the background; the state shows
        // them done.
        if (FleetSummaryWindow* summary = window.summaryWindow())
            summary->waitUntilRead();
        window.archive().waitUntilAdded();
        if (each && ScriptRunner::actsOnWindow(step))
            snapshot();
    }
    // The protection picture, with the frame drawn first as "Показать" draws it.
    auto* protection = window.findChild<ProtectionViewPage*>(QStringLiteral("TabSheet_KZ"));
    if (arguments.has("--frame")) {
        protection->setFrameNumberText(frameText);
        protection->showTypedFrame();
    }
    QString error;
    if (!picturePath.isEmpty() && !writePng(protection->picture(), picturePath, &error))
        return fail(kExitNotWritten,
                    aboutFile(picturePath, QStringLiteral("cannot write: ") + error));
    print(each ? QJsonDocument(states) : QJsonDocument(stateOf(&window, prompts)));
    return opened ? kExitDone : kExitRefused;
}

} // namespace zurval
