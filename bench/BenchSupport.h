#pragma once

#include <QGuiApplication>

namespace zurval::bench {

// Painting text needs a GUI application; one for the whole run, on the offscreen platform.
inline void ensureGuiApplication() {
    static int argc = 1;
    static char name[] = "zurval-bench";
    static char* argv[] = {name, nullptr};
    if (!QGuiApplication::instance()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static QGuiApplication app(argc, argv);
    }
}

} // namespace zurval::bench
