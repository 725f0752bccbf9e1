#pragma once

#include <QApplication>

namespace zurval {

// Shows an exception that escapes a command in an error box and goes on with the next
// event, so one bad command never takes the program down.
class Application : public QApplication {
public:
    Application(int& argc, char** argv) : QApplication(argc, argv) {}
    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace zurval
