#include "core/common/NumberFormat.h"
#include "widgets/app/Application.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    zurval::Application app(argc, argv);
    zurval::setDecimalSeparator(QChar(','));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
