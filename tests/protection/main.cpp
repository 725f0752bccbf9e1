#include "core/common/NumberFormat.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

// The expected texts are written with the comma of a Russian locale. The picture tests paint
// text, which needs a GUI application (offscreen).
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    zurval::setDecimalSeparator(QChar(','));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
