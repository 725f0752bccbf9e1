// zurval-bench-startup [--bare] [FILE.vrl]: starts the program's window as `zurval FILE`
// does and ends the process as soon as the window has painted itself with the recording
// shown; with --bare, a plain QMainWindow with a menu bar, a tab widget and a status bar
// instead, ended after its first painting. The process ends at once, without tearing the
// window down, so that timed from outside as whole processes the two tell how long the user
// waits for a window and what the program adds to that and to the memory of any Qt window.

#include "automation/Commands.h"
#include "widgets/app/MainWindow.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <cstdlib>
#include <cstring>

namespace {

// Quits once a widget of the main window paints while ready() holds.
class QuitWhenPainted : public QObject {
public:
    explicit QuitWhenPainted(std::function<bool(QWidget*)> ready) : ready_(std::move(ready)) {}
    void setReady(std::function<bool(QWidget*)> ready) { ready_ = std::move(ready); }
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (e->type() == QEvent::Paint && !quitting_) {
            auto* w = qobject_cast<QWidget*>(watched);
            if (w && ready_(w->window())) {
                quitting_ = true;
                // After the painting has reached the screen.
                QTimer::singleShot(0, [] { std::_Exit(0); });
            }
        }
        return false;
    }

private:
    std::function<bool(QWidget*)> ready_;
    bool quitting_ = false;
};

int bareWindow(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("Файл"))->addAction(QStringLiteral("Открыть..."));
    auto* tabs = new QTabWidget;
    tabs->addTab(new QWidget, QStringLiteral("Основная информация"));
    window.setCentralWidget(tabs);
    window.setStatusBar(new QStatusBar);
    window.resize(794, 540);
    QuitWhenPainted quit([](QWidget*) { return true; });
    app.installEventFilter(&quit);
    window.show();
    return QApplication::exec();
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && !std::strcmp(argv[1], "--bare"))
        return bareWindow(argc, argv);
    QuitWhenPainted quit([](QWidget*) { return false; });
    return zurval::runProgram(argc, argv,
                              [&quit](QCoreApplication* app, const zurval::CommandCall& call) {
                                  const bool file = !call.arguments.positional.isEmpty();
                                  quit.setReady([file](QWidget* w) {
                                      const auto* window = qobject_cast<zurval::TForm_Main*>(w);
                                      return window && (!file || window->documentLoaded());
                                  });
                                  app->installEventFilter(&quit);
                              });
}
