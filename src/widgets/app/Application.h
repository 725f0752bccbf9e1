#pragma once

#include <QApplication>

namespace zurval {

class Prompts;

// Shows an exception that escapes a command in an error box and goes on with the next
// event, so one bad command never takes the program down.
class Application : public QApplication {
public:
    Application(int& argc, char** argv) : QApplication(argc, argv) {}
    // The running application when it is one of these, else null.
    static Application* instance() {
        return dynamic_cast<Application*>(QCoreApplication::instance());
    }
    // Where the error boxes go; until set, exceptions are only written to stderr.
    void setPrompts(Prompts* prompts) { prompts_ = prompts; }
    bool notify(QObject* receiver, QEvent* event) override;

private:
    void report(const QString& text);
    Prompts* prompts_ = nullptr;
};

} // namespace zurval
