#include "ReportTestSupport.h"
#include "SampleRecording.h"
#include "core/recorder/FileMap.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zurval;
using namespace zurval::testing;

namespace {

struct Outcome {
    int exitCode = -1;
    QByteArray out;
    QString err;
};

Outcome runZurval(const QStringList& args) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LC_ALL", "C.UTF-8");
    env.remove("QT_QPA_PLATFORM");
    p.setProcessEnvironment(env);
    p.start(ZURVAL_BINARY, args);
    EXPECT_TRUE(p.waitForFinished(60000));
    return {p.exitCode(), p.readAllStandardOutput(), QString::fromUtf8(p.readAllStandardError())};
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The state dump with every name of a recorder file (panel 1, the recent files) blanked.
QByteArray withoutName(QByteArray dump) {
    static const QRegularExpression kName(QStringLiteral("[^\"\\s]*\\.vrl"));
    return QString::fromUtf8(dump).replace(kName, QStringLiteral("NAME")).toUtf8();
}

} // namespace

TEST(CommandRecording, AReadingOfTheArchiveOpensAsItsFileDoesApartFromItsName) {
    QTemporaryDir dir;
    const QString file = dir.filePath("sample.vrl");
    ASSERT_TRUE(makeSampleRecording().write(file));
    const QString db = dir.filePath("archive.sqlite");
    ASSERT_EQ(runZurval({"--archive-db", db, "--archive", "add", file}).exitCode, 0);
    const QJsonArray readings =
        QJsonDocument::fromJson(runZurval({"--archive-db", db, "--archive", "list"}).out)["cranes"]
            .toArray();
    ASSERT_EQ(readings.size(), 1);
    const Outcome crane = runZurval({"--archive-db", db, "--archive", "crane",
                                     readings[0].toObject()["recorder_number"].toString()});
    const QString reading =
        "archive:" +
        QJsonDocument::fromJson(crane.out)["readings"].toArray()[0].toObject()["sha256"].toString();
    ASSERT_NE(reading, "archive:") << crane.out.toStdString();

    // Each command on the file and on the reading; out names what it writes, "" for stdout.
    struct Case {
        QStringList args;
        QString out;
    };
    const Case cases[] = {
        {{"--dump-state", "@", "--do", "Menu_Parametr_Bank1"}, ""},
        {{"--report", "card", "@", "--pdf", "$"}, "card.pdf"},
        {{"--report", "relay-chart", "@", "--pdf", "$"}, "relay.pdf"},
        {{"--export", "frames", "@", "--csv", "$"}, "frames.csv"},
    };
    for (const Case& c : cases) {
        QByteArray given[2];
        for (int archived = 0; archived < 2; ++archived) {
            QStringList args{"--archive-db", db};
            const QString out = dir.filePath(QString::number(archived) + c.out);
            for (const QString& a : c.args)
                args << (a == "@" ? (archived ? reading : file) : a == "$" ? out : a);
            const Outcome run = runZurval(args);
            EXPECT_EQ(run.exitCode, 0) << args.join(' ').toStdString() << run.err.toStdString();
            given[archived] = c.out.isEmpty()          ? withoutName(run.out)
                              : c.out.endsWith(".pdf") ? pdfFileText(out).toUtf8()
                                                       : readAll(out);
        }
        EXPECT_FALSE(given[0].isEmpty()) << c.args.join(' ').toStdString();
        EXPECT_EQ(given[0], given[1]) << c.args.join(' ').toStdString();
    }

    // A reading the archive does not hold opens nothing and writes nothing.
    const QString unknown = "archive:" + QString(64, '0');
    const QString pdf = dir.filePath("unknown.pdf");
    for (const QStringList& args : {QStringList{"--dump-state", unknown},
                                    {"--report", "card", unknown, "--pdf", pdf},
                                    {"--export", "frames", unknown, "--csv", pdf}}) {
        const Outcome run = runZurval(QStringList{"--archive-db", db} + args);
        EXPECT_EQ(run.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains("no reading")) << run.err.toStdString();
        EXPECT_FALSE(QFile::exists(pdf));
    }
}

TEST(CommandRecording, EveryCommandTellsAFailingImageChecksumAndNamesTheFileAsGiven) {
    QTemporaryDir dir;
    const QString file = dir.filePath("damaged.vrl");
    ASSERT_TRUE(makeSampleRecording().write(file));
    QFile damaged(file);
    ASSERT_TRUE(damaged.open(QIODevice::ReadWrite));
    damaged.seek(filemap::kStoredImageSum);
    damaged.write(QByteArray(4, '\0'));
    damaged.close();
    for (const QStringList& args :
         {QStringList{"--report", "card", file, "--pdf", dir.filePath("card.pdf")},
          {"--export", "overloads", file, "--csv", dir.filePath("o.csv")}}) {
        const Outcome run = runZurval(args);
        EXPECT_EQ(run.exitCode, 0) << args.join(' ').toStdString();
        EXPECT_EQ(run.err, "zurval: " + file + ": the image checksum fails\n")
            << args.join(' ').toStdString();
    }
}
