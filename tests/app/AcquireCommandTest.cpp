#include "AppTestSupport.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <algorithm>
#include <functional>

using namespace zurval::testing;

namespace {

struct Outcome {
    int exitCode = -1;
    QJsonObject json;
    QStringList messages() const {
        QStringList out;
        for (const QJsonValue& m : json["messages"].toArray())
            out << m["kind"].toString() + ": " + m["text"].toString();
        return out;
    }
};

using Meanwhile = std::function<void(QProcess& zurval)>;

// The program in a folder of its own, as a script would run it; meanwhile acts on it while
// it runs.
Outcome runZurval(const QString& folder, const QStringList& args,
                  const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment(),
                  const Meanwhile& meanwhile = {}) {
    QProcess p;
    QProcessEnvironment e = env;
    e.remove("QT_QPA_PLATFORM"); // the headless commands choose the offscreen platform
    p.setProcessEnvironment(e);
    p.setWorkingDirectory(folder);
    p.start(ZURVAL_BINARY, args);
    if (meanwhile && p.waitForStarted())
        meanwhile(p);
    EXPECT_TRUE(p.waitForFinished(60000));
    Outcome r;
    r.exitCode = p.exitCode();
    r.json = QJsonDocument::fromJson(p.readAllStandardOutput()).object();
    return r;
}

// zurval-device serving the sample recording on a pseudo-terminal, which the program finds
// through ZURVAL_COM1 (ВРЛ-2) or ZURVAL_COM0, the first port the ВРЛ-3 scan tries.
Outcome acquire(const QString& folder, const char* device, QStringList deviceOptions,
                const QStringList& args,
                const std::function<void(QProcess& zurval, const QString& pty)>& meanwhile = {}) {
    QProcess emulator;
    emulator.start(ZURVAL_DEVICE, QStringList{device} + deviceOptions);
    while (!emulator.canReadLine() && emulator.waitForReadyRead(30000)) {
    }
    const QString pty = QString::fromLocal8Bit(emulator.readLine()).trimmed();
    EXPECT_TRUE(pty.startsWith("/dev/")) << emulator.readAllStandardError().toStdString();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString(device) == "vrl2" ? "ZURVAL_COM1" : "ZURVAL_COM0", pty);
    const Outcome run =
        runZurval(folder, QStringList{"--acquire", device} + args, env,
                  meanwhile ? [&](QProcess& zurval) { meanwhile(zurval, pty); } : Meanwhile());
    emulator.terminate();
    emulator.waitForFinished(10000);
    return run;
}

QString aborted(int count) {
    return QString::fromUtf8("information: \n Считывание прервано на %1 байте!\n"
                             "Повторите считывание!")
        .arg(count);
}
const QString kAborted = aborted(1);

// Whether the process has the file open.
bool holdsOpen(qint64 pid, const QString& path) {
    const QDir fds(QStringLiteral("/proc/%1/fd").arg(pid));
    const QFileInfoList open = fds.entryInfoList(QDir::AllEntries | QDir::System);
    return std::any_of(open.begin(), open.end(),
                       [&](const QFileInfo& fd) { return fd.symLinkTarget() == path; });
}

} // namespace

TEST(AcquireCommand, CompleteReadsSaveAFileThatOpensWithTheOperatorTexts) {
    const struct {
        const char* device;
        QString operatorTexts;
        QString readingDate; // a pattern
        QStringList messages;
    } cases[] = {
        {"vrl2",
         QString::fromUtf8("Петров И.И.|12-345|ООО Кран|01.02.24"),
         "^01\\.02\\.24$",
         {QString::fromUtf8("confirm: \n Подключите ВРЛ-2 к компьютеру!")}},
        // Left out, the date is the one the ВРЛ-3 proposes: the time of the read.
        {"vrl3",
         QString::fromUtf8("Петров И.И.|12-345|ООО Кран"),
         "^\\d\\d\\.\\d\\d\\.\\d\\d \\d\\d-\\d\\d$",
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.device);
        QTemporaryDir dir;
        const Outcome reading = acquire(dir.path(), c.device, {},
                                        {"--save", "read.vrl", "--operator", c.operatorTexts});
        EXPECT_EQ(reading.exitCode, 0);
        EXPECT_EQ(reading.messages(), c.messages);
        EXPECT_EQ(reading.json["saved"].toString(), dir.filePath("read.vrl"));
        EXPECT_EQ(reading.json["count"].toInt(), 270337);
        const QJsonArray status = reading.json["status"].toArray();
        ASSERT_FALSE(status.isEmpty());
        EXPECT_EQ(status.last()["text"].toString(), dir.filePath("read.vrl"));
        EXPECT_EQ(status.last()["color"].toString(), "#008000");

        const Outcome opened = runZurval(dir.path(), {"--dump-state", "read.vrl"});
        EXPECT_EQ(opened.messages(), QStringList());
        const QJsonObject controls = opened.json["controls"].toObject();
        EXPECT_EQ(controls["Edit_Name"]["text"].toString(), QString::fromUtf8("Петров И.И."));
        EXPECT_EQ(controls["Edit_Org"]["text"].toString(), QString::fromUtf8("ООО Кран"));
        EXPECT_TRUE(controls["Edit_DataSch"]["text"].toString().contains(
            QRegularExpression(c.readingDate)));
    }
}

TEST(AcquireCommand, ReadsThatSaveNothingExitOne) {
    const struct {
        const char* device;
        QStringList deviceOptions;
        QStringList args;
        QStringList messages;
        bool scratchKept;
    } cases[] = {
        {"vrl3", {}, {}, {}, true}, // the save dialog cancelled: the data stay in "temp.bin"
        {"vrl3", {"--silent"}, {"--save", "read.vrl"}, {kAborted}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.deviceOptions.join(' ').toStdString());
        QTemporaryDir dir;
        const Outcome run = acquire(dir.path(), c.device, c.deviceOptions, c.args);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.json["saved"].isNull());
        EXPECT_EQ(run.messages(), c.messages);
        EXPECT_FALSE(QFile::exists(dir.filePath("read.vrl")));
        EXPECT_EQ(QFile::exists(dir.filePath("temp.bin")), c.scratchKept);
    }
}

TEST(AcquireCommand, SigtermAbortsAReadThatWouldRunForHoursAndTheJsonHasTheCount) {
    QTemporaryDir dir;
    const Outcome run =
        acquire(dir.path(), "vrl2", {"--trickle", "20"}, {"--save", "read.vrl"},
                [](QProcess& zurval, const QString& pty) {
                    // Holding the port, the program is reading.
                    while (!holdsOpen(zurval.processId(), pty) && !zurval.waitForFinished(10)) {
                    }
                    zurval.terminate();
                });
    ASSERT_TRUE(run.json.contains("count"));
    const int count = run.json["count"].toInt();
    EXPECT_GT(count, 0);
    EXPECT_LT(count, 270337);
    EXPECT_EQ(run.messages(),
              QStringList({QString::fromUtf8("confirm: \n Подключите ВРЛ-2 к компьютеру!"),
                           aborted(count)}));
    EXPECT_TRUE(run.json["saved"].isNull());
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_FALSE(QFile::exists(dir.filePath("read.vrl")));
}

TEST(AcquireCommand, RefusesWhatItCannotDo) {
    const QStringList refused[] = {
        {"--acquire", "vrl4"},
        {"--acquire", "vrl3", "--port", "COM1"}, // the ВРЛ-3 is found, not chosen
        {"--acquire", "vrl2", "--save"},
        {"--acquire", "vrl2", "--operator", "a|b|c|d|e"},
    };
    QTemporaryDir dir;
    for (const QStringList& args : refused)
        EXPECT_EQ(runZurval(dir.path(), args).exitCode, 2) << args.join(' ').toStdString();
}
