#include "automation/Commands.h"

#include <QGuiApplication>
#include <QIcon>

namespace {

// The window list and the task bar show the program's own icon: on X11 the windows carry
// it, a Wayland desktop takes it from the desktop entry named here.
void useProgramIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64})
        icon.addFile(QStringLiteral(":/icons/zurval-%1.png").arg(size));
    QGuiApplication::setWindowIcon(icon);
    QGuiApplication::setDesktopFileName(QStringLiteral("ru.zurval.zurval"));
}

} // namespace

// The first word names the command (none: the window); it runs in the application object it
// needs.
int main(int argc, char** argv) {
    QStringList words;
    for (int i = 1; i < argc; ++i)
        words << QString::fromLocal8Bit(argv[i]);
    QString error;
    const std::optional<zurval::CommandCall> call = zurval::parseCommandLine(words, &error);
    if (!call)
        return zurval::fail(zurval::kExitRefused, error);
    const auto app = zurval::createApplication(call->command->app, argc, argv);
    if (call->command->app == zurval::AppKind::Window)
        useProgramIcon();
    return call->command->run(call->arguments);
}
