#include "NumberFormat.h"

#include <gtest/gtest.h>

// The expected texts are written with the comma of a Russian locale.
int main(int argc, char** argv) {
    zurval::setDecimalSeparator(QChar(','));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
