#include "automation/StateDump.h"
#include "AppTestSupport.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QProcessEnvironment>

using namespace zurval;
using namespace zurval::testing;
using namespace zurval::filemap;

namespace {

struct Dump {
    int exitCode = -1;
    QJsonObject state;
    QJsonArray states; // with --each
    QString errors;
    QJsonObject control(const char* name) const {
        return state["controls"].toObject()[QString::fromLatin1(name)].toObject();
    }
    QStringList messages() const {
        QStringList out;
        for (const QJsonValue& m : state["messages"].toArray())
            out << m.toObject()["kind"].toString() + ": " + m.toObject()["text"].toString();
        return out;
    }
};

Dump dumpState(const QStringList& args, const QString& locale = "C.UTF-8") {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LC_ALL", locale);
    env.remove("QT_QPA_PLATFORM"); // the dump chooses the offscreen platform itself
    p.setProcessEnvironment(env);
    p.start(ZURVAL_BINARY, QStringList{"--dump-state"} + args);
    EXPECT_TRUE(p.waitForFinished(60000));
    Dump d;
    d.exitCode = p.exitCode();
    QJsonParseError error;
    d.errors = QString::fromUtf8(p.readAllStandardError());
    const QByteArray out = p.readAllStandardOutput();
    if (out.isEmpty())
        return d;
    const QJsonDocument json = QJsonDocument::fromJson(out, &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    d.state = json.object();
    d.states = json.array();
    return d;
}

} // namespace

using StateDump = WindowFixture;

TEST_F(StateDump, ListsTheBankMessagesVersionAndGreyStatusBar) {
    RecordingBuilder b = intactRecording();
    b.breakBlock(kBank1 + 49, 42).breakBlock(kBank1 + 156, 3).breakImageSum();
    const Dump d = dumpState({write(b)});
    EXPECT_EQ(d.exitCode, 0);
    EXPECT_EQ(
        d.messages(),
        QStringList(
            {QString::fromUtf8("plain: Ошибка контольной суммы рабочих циклов в Банке-1!"),
             QString::fromUtf8("plain: Ошибка контольной суммы счетчика моточасов в Банке-1!")}));
    const QJsonArray panels = d.control("StatusBar_Main")["panels"].toArray();
    ASSERT_EQ(panels.size(), 3);
    EXPECT_EQ(panels[1].toString(), QDir(dir.path()).absoluteFilePath("test.vrl"));
    EXPECT_EQ(panels[2].toString(), QString::fromUtf8("Версия ЦРО: 2"));
    EXPECT_EQ(d.control("StatusBar_Main")["background"].toString(), "#808080");
}

TEST_F(StateDump, IntactFileKeepsTheButtonFaceAndShowsEveryNamedControl) {
    RecordingBuilder b = intactRecording();
    b.operatorBlock(QString::fromUtf8("Оператор"), "", "", "");
    const Dump d = dumpState({write(b)});
    EXPECT_EQ(d.exitCode, 0);
    EXPECT_TRUE(d.messages().isEmpty());
    EXPECT_NE(d.control("StatusBar_Main")["background"].toString(), "#808080");
    EXPECT_EQ(d.control("Edit_Name")["text"].toString(), QString::fromUtf8("Оператор"));
    EXPECT_EQ(d.control("Menu_Open")["tag"].toInt(), 1);
    EXPECT_EQ(d.control("Menu_Open")["shortcut"].toString(), "Ctrl+O");
    EXPECT_EQ(d.control("Menu_Print")["shortcut"].toString(), "Ctrl+P");
    EXPECT_EQ(d.control("Menu_Print")["text"].toString(), QString::fromUtf8("Печать"));
    EXPECT_TRUE(d.control("Menu_Parametr_Bank0")["checked"].toBool());
    EXPECT_TRUE(d.control("M_CRP")["enabled"].toBool());
    EXPECT_FALSE(d.control("GroupBox_VKZ")["enabled"].toBool());
    EXPECT_FALSE(d.control("ProgressBar_Read")["visible"].toBool());
    EXPECT_EQ(d.control("ProgressBar_Read")["maximum"].toInt(), 100);
    // Controls on pages that are not current still report their own flag.
    EXPECT_TRUE(d.control("Edit_N_10")["visible"].toBool());
    EXPECT_EQ(d.control("TabSheet_Narab")["text"].toString(), QString::fromUtf8("Наработка"));
    EXPECT_EQ(d.control("CGauge_100")["color"].toString(), "#ffff00");
    EXPECT_EQ(d.control("CGauge_110")["color"].toString(), "#ff0000");
    EXPECT_EQ(d.control("CGauge_90")["color"].toString(), "#008000");
}

TEST_F(StateDump, FileThatCannotBeOpenedExitsTwoAfterTheDump) {
    const Dump d = dumpState({dir.filePath("absent.vrl")});
    EXPECT_EQ(d.exitCode, 2);
    EXPECT_EQ(d.messages(), QStringList({QString::fromUtf8("error: \n Файл не удальсь открыть!")}));
    EXPECT_EQ(d.control("Edit_Name")["text"].toString(), QString::fromUtf8("Неизвестно"));
    EXPECT_EQ(d.errors, "zurval: " + dir.filePath("absent.vrl") +
                            ": cannot open: No such file or directory\n");
}

TEST_F(StateDump, RussianLocaleWritesDecimalCommas) {
    RecordingBuilder b = intactRecording();
    b.f32le(kBank0 + 0x2C, 0.145f).u32le(kBank0 + 0xA0, 12345).fixBankChecksums().fixImageSum();
    const Dump d = dumpState({write(b)}, "ru_RU.UTF-8");
    EXPECT_EQ(d.control("Edit_HarCh")["text"].toString(), "0,14"); // 0.145f is 0.14499…
    EXPECT_EQ(d.control("Label_QSumm")["text"].toString(), QString::fromUtf8("123,45 т."));
    EXPECT_EQ(d.control("Label_KNag")["text"].toString(), "0,145");
}

TEST_F(StateDump, EachStepGetsAStateWithItsOwnMessages) {
    RecordingBuilder b = intactRecording();
    b.u16le(kBank1, 22).fixBankChecksums().fixImageSum();
    const QString file = write(b);
    const Dump d = dumpState({file, "--each", "--do", "Menu_Parametr_Bank1", "--answer", "", "--do",
                              "Menu_Open", "--do", "Menu_Clear"});
    EXPECT_EQ(d.exitCode, 0);
    ASSERT_EQ(d.states.size(), 4); // the open, then one per step; --answer is no step
    const auto control = [&](int i, const char* name) {
        return d.states[i].toObject()["controls"].toObject()[name].toObject();
    };
    const auto messages = [&](int i) {
        return d.states[i].toObject()["messages"].toArray().size();
    };
    EXPECT_EQ(control(1, "Edit_NKr")["text"].toString(), "22");
    EXPECT_TRUE(control(1, "Menu_Parametr_Bank1")["checked"].toBool());
    EXPECT_EQ(messages(1), 0);
    EXPECT_EQ(messages(2), 1); // the cancelled dialog
    EXPECT_EQ(control(3, "Edit_NKr")["text"].toString(), "0000000");
}

TEST_F(StateDump, StartsFromTheEmptyWindowWithoutAFileAndRefusesBadSteps) {
    Dump d = dumpState({"--do", "Menu_Parametr_Bank1"});
    EXPECT_EQ(d.exitCode, 0);
    EXPECT_EQ(d.messages(), QStringList({QString::fromUtf8("error: \n Файл не удальсь открыть!")}));
    EXPECT_FALSE(d.control("Menu_Parametr_Bank1")["checked"].toBool());
    for (const QStringList& bad : {QStringList{"--do", "Menu_Nowhere"},
                                   QStringList{"--do", "SavePicture_KZ"}, QStringList{"--wave"}}) {
        d = dumpState(bad);
        EXPECT_EQ(d.exitCode, 2) << bad.join(' ').toStdString();
        EXPECT_TRUE(d.state.isEmpty() && d.states.isEmpty());
        EXPECT_TRUE(d.errors.contains(bad.last())) << d.errors.toStdString();
    }
}

namespace {
// A custom control of the kind the charts and the protection picture are.
struct SelfDescribingPicture : QWidget, DescribesOwnState {
    QJsonObject describeState() const override { return {{"frame", 42}}; }
};
} // namespace

TEST_F(StateDump, EveryNamedControlIsReportedOnceAndCustomOnesDescribeThemselves) {
    EXPECT_EQ(duplicateControlNames(window.get()), QStringList());
    const QJsonObject controls = dumpControls(window.get());
    EXPECT_FALSE(controls.contains("ScrollLeftButton")); // a tab bar's own button
    EXPECT_TRUE(controls.contains("TabSheet_Narab"));

    auto* picture = new SelfDescribingPicture;
    picture->setObjectName("PaintBox_Test");
    picture->setParent(window.get());
    EXPECT_EQ(dumpControls(window.get())["PaintBox_Test"].toObject()["frame"].toInt(), 42);

    auto* twin = new QLabel(window.get());
    twin->setObjectName("Edit_NKr");
    EXPECT_EQ(duplicateControlNames(window.get()), QStringList({"Edit_NKr"}));
}

TEST_F(StateDump, PictureOptionWritesTheProtectionPictureOfTheChosenFrame) {
    const QString file = write(intactRecording());
    struct Case {
        QStringList frame; // the --frame option, if any
        int exitCode;
        int frameShown; // -1: nothing written
        QString out = "kz.png";
    };
    const Case cases[] = {
        {{}, 0, 0}, // the oldest frame, as the open command leaves it
        {{"--frame", "5"}, 0, 5},
        {{"--frame", "7168"}, 2, -1},
        {{"--frame", "x5"}, 2, -1},
        {{}, 1, -1, "no/such/kz.png"},
    };
    for (const Case& c : cases) {
        const QString out = dir.filePath(c.out);
        QFile::remove(out);
        const Dump d = dumpState(QStringList{file, "--picture", out} + c.frame);
        EXPECT_EQ(d.exitCode, c.exitCode) << c.frame.join(' ');
        EXPECT_EQ(QFile::exists(out), c.frameShown >= 0) << c.frame.join(' ');
        if (c.frameShown < 0)
            continue;
        EXPECT_EQ(QImage(out).size(), QSize(754, 366));
        EXPECT_EQ(d.control("PaintBox_KZ")["frame"].toInt(), c.frameShown);
    }
}
