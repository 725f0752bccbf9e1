#include "SampleRecording.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

namespace {

constexpr const char* kUsage =
    "usage: zurval-sample OUTPUT.vrl\n"
    "Writes a complete recorder file of several days of tower-crane work, the same every\n"
    "time: layout version 2, a full frame ring with one damaged frame, overloads and an\n"
    "operator block.\n";

} // namespace

int main(int argc, char** argv) {
    const QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"))) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (args.size() != 1 || args[0].startsWith(QChar('-'))) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    QString error;
    if (!zurval::makeSampleRecording().write(args[0], &error)) {
        std::fprintf(stderr, "zurval-sample: cannot write %s: %s\n", qPrintable(args[0]),
                     qPrintable(error));
        return 1;
    }
    return 0;
}
