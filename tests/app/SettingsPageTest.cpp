#include "AppTestSupport.h"
#include "core/protection/ProtectionSettings.h"
#include "widgets/common/ControlColours.h"
#include "widgets/common/StringGrid.h"

#include <QPlainTextEdit>

using namespace zurval;
using namespace zurval::testing;

namespace {

RecordingBuilder withBoomPoints(const std::vector<ZonePoint>& points) {
    RecordingBuilder b = intactRecording();
    b.protectionZone(kZoneLayouts[kBoom].start, static_cast<std::uint16_t>(points.size()), points);
    b.u16le(0x40262, 1800).u16le(0x4026C, 250);
    b.fixAllChecksums(2);
    return b;
}

QStringList row(StringGrid* grid, int r) {
    return {grid->cellText(0, r), grid->cellText(1, r), grid->cellText(2, r)};
}

} // namespace

using SettingsPage = WindowFixture;

TEST_F(SettingsPage, ShowsTheListingZonesAndLimitsAndForgetsOldRows) {
    RecordingBuilder first = withBoomPoints({{-150, 5}, {100, 200}, {300, 400}});
    first.breakBlock(kZoneLayouts[kHook].start, kZoneLayouts[kHook].dataBytes()).fixImageSum();
    ASSERT_TRUE(window->openFile(write(first, "a.vrl")));
    EXPECT_TRUE(prompts.shown().empty()); // a damaged zone under layout 2 only turns red
    auto* boom = find<StringGrid>("StringGrid_KZ_boom");
    EXPECT_EQ(row(boom, 0), QStringList({QString::fromUtf8("№№"), "X", "Y"}));
    EXPECT_EQ(row(boom, 1), QStringList({"1", "-1,50", "0,05"}));
    EXPECT_EQ(text("Label_Col_Boom"), "3");
    EXPECT_EQ(find("Label180")->property("zurvalBackground").value<QColor>(), colours::Red);
    EXPECT_EQ(find("Label183")->property("zurvalBackground").value<QColor>(), buttonFace());
    EXPECT_EQ(text("Edit_KZ_Gmax"), "180");
    EXPECT_EQ(text("Edit_KZ_Har0"), "2,5");
    EXPECT_EQ(find<QPlainTextEdit>("RE_Param")->toPlainText().split('\n').size(), 55);

    ASSERT_TRUE(window->openFile(write(withBoomPoints({{700, 800}}), "b.vrl")));
    EXPECT_EQ(row(boom, 1), QStringList({"1", "7,00", "8,00"}));
    EXPECT_EQ(row(boom, 2), QStringList({"", "", ""}));
    EXPECT_EQ(text("Label_Col_Boom"), "1");
    EXPECT_EQ(find("Label180")->property("zurvalBackground").value<QColor>(), buttonFace());

    window->ClearAll();
    EXPECT_TRUE(find<QPlainTextEdit>("RE_Param")->toPlainText().isEmpty());
    EXPECT_EQ(row(boom, 0), QStringList({QString::fromUtf8("№№"), "X", "Y"}));
    EXPECT_EQ(row(boom, 1), QStringList({"", "", ""}));
}
