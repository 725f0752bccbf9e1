#include "AppTestSupport.h"

#include <QProgressBar>

using namespace zurval;
using namespace zurval::testing;
using namespace zurval::filemap;

namespace {

// Two banks that differ wherever the open command has to choose between them.
RecordingBuilder twoBanks() {
    RecordingBuilder b;
    b.frameMark(0, 2);
    for (const std::size_t base : {kBank0, kBank1}) {
        b.u16le(base + 0x00, 1234).u16le(base + 0x02, 1998).u8(base + 0x04, 2).u8(base + 0x06, 3);
        b.raw(base + 0x07, {0xA0, 0x2D, 0xA8, 0x31}); // Б-П1 in device letters
        b.raw(base + 0x14, {0xA0, 0x2D, 0xA8, 0x31}); // no device letters in the serial
        b.u8(base + 0x1D, 3).u8(base + 0x1E, 1);
        b.raw(base + 0x1F, {0x31, 0x12, 0x99});
        b.u32le(base + 0x87, 3725);
        b.u32le(base + 0xA0, 12345);
    }
    b.f32le(kBank0 + 0x2C, 12.5f).f32le(kBank1 + 0x2C, 9.75f);
    b.u24le(kBank0 + 0x31 + 3 * 3, 500).u24le(kBank1 + 0x31 + 3 * 3, 700);
    b.u24le(kBank0 + 0x31 + 3 * 4, 900).u24le(kBank1 + 0x31 + 3 * 4, 100);
    b.u24le(kBank0 + 0x9C, 1505).u24le(kBank1 + 0x9C, 59);
    b.u32le(kBank1 + 0xA0, 99999); // only the selected bank's mass is shown
    b.raw(kRemovalDates + 3 * 9, {0x15, 0x06, 0x05});
    b.fixAllChecksums(2);
    return b;
}

} // namespace

using ServicePages = WindowFixture;

TEST_F(ServicePages, OpenShowsTheSelectedBankAndTheLargerCounters) {
    ASSERT_TRUE(window->openFile(write(twoBanks())));
    EXPECT_TRUE(prompts.shown().empty());
    EXPECT_EQ(text("Edit_NKr"), "1234");
    EXPECT_EQ(text("Edit_GodKr"), "1998");
    EXPECT_EQ(text("Edit_ModRP"), QString::fromUtf8("Башенный"));
    EXPECT_EQ(text("Edit_IspKr"), QString::fromUtf8("Балочная"));
    EXPECT_EQ(text("Edit_GRKr"), "A4");
    EXPECT_EQ(text("Edit_MarkaKr"), QString::fromUtf8("Б-П1"));
    EXPECT_EQ(text("Edit_NRP"), QString::fromUtf8("\u00A0-\u04011"));
    EXPECT_EQ(text("Edit_VProg"), "3.1.2");
    EXPECT_EQ(text("Edit_DataUst"), "31.12.99");
    EXPECT_EQ(text("Edit_HarCh"), "12,50");
    EXPECT_EQ(text("Edit_N_40"), "700");
    EXPECT_EQ(text("Edit_N_50"), "900");
    EXPECT_EQ(text("Edit_TimeLS"), "1:02:05");
    EXPECT_EQ(text("Edit_TimeAll"), "25:05:00");
    EXPECT_EQ(text("Label_QSumm"), QString::fromUtf8("123,45 т."));
    EXPECT_EQ(text("Edit_DataSchRP9"), "15.06.05");
    EXPECT_EQ(text("Edit_DataSchRP0"), "00.00.00");
    // 1600 cycles in all: U0; K = 12.5 / 1600 = 0.0078: Q1; group A1; A4 is normative.
    EXPECT_EQ(text("Label_KIspU"), "U0");
    EXPECT_EQ(text("Label_KNag"), "0,008");
    EXPECT_EQ(text("Label_RezhQ"), "Q1");
    EXPECT_EQ(text("Label_RezhA"), "A1");
    EXPECT_EQ(text("Label_NHarch"), "63000");
    EXPECT_EQ(find<QProgressBar>("CGauge_50")->value(), 100);
    EXPECT_EQ(find<QProgressBar>("CGauge_40")->value(), 77); // 700 × 100 ÷ 900
    EXPECT_EQ(find<QProgressBar>("CGauge_10")->value(), 0);
}

TEST_F(ServicePages, BankCommandShowsOneBankWithoutReclassifying) {
    ASSERT_TRUE(window->openFile(write(twoBanks())));
    window->Menu_Parametr_Bank1Click();
    EXPECT_TRUE(checked("Menu_Parametr_Bank1"));
    EXPECT_FALSE(checked("Menu_Parametr_Bank0"));
    EXPECT_EQ(text("Edit_HarCh"), "9,75");
    EXPECT_EQ(text("Edit_VProg"), "3.1");
    EXPECT_EQ(text("Edit_N_40"), "700");
    EXPECT_EQ(text("Edit_N_50"), "100");
    EXPECT_EQ(text("Edit_TimeAll"), "0:59:00");
    EXPECT_EQ(text("Edit_DataSchRP9"), "15.06.05");
    // What the open computed stays.
    EXPECT_EQ(text("Label_QSumm"), QString::fromUtf8("123,45 т."));
    EXPECT_EQ(text("Label_KNag"), "0,008");
    EXPECT_EQ(find<QProgressBar>("CGauge_50")->value(), 100);
    EXPECT_EQ(window->document().recorderVersion, 2);
    EXPECT_FLOAT_EQ(window->document().characteristicNumber, 12.5f);

    window->Menu_Parametr_Bank0Click();
    EXPECT_EQ(text("Edit_N_40"), "500");
    EXPECT_EQ(text("Edit_N_50"), "900");
    EXPECT_EQ(text("Edit_HarCh"), "12,50");
    EXPECT_TRUE(prompts.shown().empty()); // no checksum tests on a bank command
}

TEST_F(ServicePages, BankCommandsReadTheFileAnew) {
    RecordingBuilder b = twoBanks();
    const QString path = write(b);
    ASSERT_TRUE(window->openFile(path));
    b.u16le(kBank0, 4321).fixBankChecksums().fixImageSum();
    ASSERT_TRUE(b.write(path));
    window->Menu_Parametr_Bank0Click();
    EXPECT_EQ(text("Edit_NKr"), "4321");
}
