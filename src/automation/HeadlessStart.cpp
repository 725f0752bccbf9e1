#include "automation/HeadlessStart.h"

#include <QDir>
#include <QFile>
#include <QString>
#include <unistd.h>

namespace zurval {

void startHeadless() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString runtime =
            QDir::temp().filePath(QStringLiteral("zurval-runtime-%1").arg(getuid()));
        if (QDir().mkpath(runtime) &&
            QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                               QFileDevice::ExeOwner))
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
    }
}

} // namespace zurval
