#include "core/common/Cp1251.h"

#include <gtest/gtest.h>

using namespace zurval;

TEST(Cp1251, DecodesCyrillicAndTheIrregularHighHalf) {
    EXPECT_EQ(fromCp1251(QByteArray("\xC0\xE1\xE2 z", 5)), QString::fromUtf8("Абв z"));
    EXPECT_EQ(fromCp1251(QByteArray("\xA8\xB8\xB9", 3)), QString::fromUtf8("Ёё№"));
    EXPECT_EQ(fromCp1251(QByteArray("\xFF\xDF", 2)), QString::fromUtf8("яЯ"));
}

TEST(Cp1251, EncodingRoundTripsEveryAssignedByte) {
    QByteArray all;
    for (int b = 1; b < 256; ++b)
        if (b != 0x98)
            all.append(static_cast<char>(b));
    EXPECT_EQ(toCp1251(fromCp1251(all)), all);
    EXPECT_EQ(toCp1251(QString::fromUtf8("Ω")), QByteArray("?"));
}
