#include "AppTestSupport.h"
#include "widgets/common/StringGrid.h"

#include <QLineEdit>
#include <QScrollBar>

using namespace zurval;
using namespace zurval::testing;
using namespace zurval::filemap;
using Kind = ScriptStep::Kind;

TEST(ScriptSteps, ReadTheStepOptionsInOrder) {
    QString error;
    const auto steps = parseScriptSteps({{"--answer", ""},
                                         {"--do", "Menu_Open"},
                                         {"--set", "Edit_O_M=a=b"},
                                         {"--key", "Edit_O_M=Return"},
                                         {"--scroll", "ScrollBar_Cikl=7"},
                                         {"--cell", "StringGrid_O_Otb=1,9"},
                                         {"--confirm", "no"}},
                                        &error);
    ASSERT_TRUE(steps) << error.toStdString();
    ASSERT_EQ(steps->size(), 7u);
    EXPECT_EQ((*steps)[0].kind, Kind::Answer);
    EXPECT_EQ((*steps)[0].value, "");
    EXPECT_EQ((*steps)[1].name, "Menu_Open");
    EXPECT_EQ((*steps)[2].name, "Edit_O_M");
    EXPECT_EQ((*steps)[2].value, "a=b");
    EXPECT_EQ((*steps)[5].value, "1,9");
    EXPECT_EQ((*steps)[6].value, "no");
    for (const auto& bad : {std::pair<QString, QString>{"--set", "Edit_O_M"},
                            std::pair<QString, QString>{"--confirm", "maybe"}})
        EXPECT_FALSE(parseScriptSteps({bad}, &error)) << bad.first << ' ' << bad.second;
}

using UserSession = WindowFixture;

TEST_F(UserSession, MenuItemsAndAnswersActAsTheUserWould) {
    RecordingBuilder b = intactRecording();
    b.u16le(kBank0, 11).u16le(kBank1, 22).fixBankChecksums().fixImageSum();
    const QString path = write(b);
    EXPECT_EQ(run(Kind::Answer, {}, path), "");
    click("Menu_Open");
    EXPECT_EQ(text("Edit_NKr"), "11");
    click("Menu_Parametr_Bank1");
    EXPECT_EQ(text("Edit_NKr"), "22");
    EXPECT_TRUE(checked("Menu_Parametr_Bank1"));
    click("Menu_Clear");
    EXPECT_EQ(text("Edit_NKr"), "0000000");
    click("Menu_Open"); // no answer left: the dialog is cancelled
    EXPECT_EQ(prompts.texts(), QStringList({kCannotOpenMessage}));
    click("M_About"); // a modal box opened by a step is closed again

    EXPECT_EQ(run(Kind::Confirm, {}, "no"), "");
    EXPECT_FALSE(prompts.confirm("?"));
    EXPECT_TRUE(prompts.confirm("?")); // then the default
}

TEST_F(UserSession, EditsKeysScrollBarsAndGridsReceiveWhatAUserGives) {
    auto* edit = new QLineEdit(window.get());
    edit->setObjectName("Edit_Test");
    QStringList edited;
    int returns = 0;
    QObject::connect(edit, &QLineEdit::textEdited, [&](const QString& t) { edited << t; });
    QObject::connect(edit, &QLineEdit::returnPressed, [&] { ++returns; });
    edit->setText("old");
    type("Edit_Test", "125");
    press("Edit_Test", "Return");
    EXPECT_EQ(edit->text(), "125");
    EXPECT_EQ(edited, QStringList({"125"}));
    EXPECT_EQ(returns, 1);

    auto* bar = new QScrollBar(Qt::Horizontal, window.get());
    bar->setObjectName("ScrollBar_Test");
    bar->setRange(0, 10);
    int moved = -1;
    QObject::connect(bar, &QScrollBar::valueChanged, [&](int v) { moved = v; });
    scroll("ScrollBar_Test", 7);
    EXPECT_EQ(moved, 7);
    scroll("ScrollBar_Test", 70); // the bar keeps to its range
    EXPECT_EQ(bar->value(), 10);

    auto* grid = new StringGrid(3, 19, 125, 17, false, window.get());
    grid->setObjectName("StringGrid_Test");
    std::pair<int, int> chosen{-1, -1};
    QObject::connect(grid, &StringGrid::cellSelected, [&](int c, int r) { chosen = {c, r}; });
    chooseCell("StringGrid_Test", 2, 11);
    EXPECT_EQ(chosen, std::make_pair(2, 11));
    EXPECT_EQ(run(Kind::Cell, "StringGrid_Test", "3,0"), "no cell 3,0 in StringGrid_Test");
}

TEST_F(UserSession, RefusesUnknownDisabledAndUnsuitableControls) {
    const std::vector<std::tuple<Kind, const char*, const char*, const char*>> refused = {
        {Kind::Do, "Menu_Nowhere", "", "no control named Menu_Nowhere"},
        {Kind::Do, "SavePicture_KZ", "", "SavePicture_KZ is disabled"},
        {Kind::Do, "Edit_NKr", "", "Edit_NKr is not a menu item or a button"},
        {Kind::Set, "Edit_NKr", "5", "Edit_NKr is read-only"},
        {Kind::Key, "Edit_NKr", "Hyper", "cannot press Hyper on Edit_NKr"},
        {Kind::Scroll, "Edit_NKr", "3", "cannot scroll Edit_NKr to 3"},
    };
    for (const auto& [kind, name, value, why] : refused)
        EXPECT_EQ(run(kind, name, value), why);
    EXPECT_EQ(text("Edit_NKr"), "0000000");
}
