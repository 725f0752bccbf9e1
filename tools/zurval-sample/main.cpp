#include "RecordingBuilder.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: zurval-sample OUTPUT.vrl\n");
        return 2;
    }
    zurval::RecordingBuilder b;
    b.fixBankChecksums().fixImageSum();
    return b.write(args[1]) ? 0 : 1;
}
