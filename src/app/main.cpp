#include "Commands.h"

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
    return call->command->run(call->arguments);
}
