#include "widgets/app/HelpViewer.h"

#include "core/common/Prompts.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace zurval {

QString findHelpFile() {
    const QDir programFolder(QCoreApplication::applicationDirPath());
    const QString candidates[] = {
        programFolder.filePath(kHelpFileName),
        programFolder.filePath(QStringLiteral("../share/zurval/") + kHelpFileName), // installed
        QDir::current().filePath(kHelpFileName)};
    for (const QString& path : candidates)
        if (QFileInfo(path).isFile())
            return path;
    return {};
}

void showHelp(QWidget* parent, Prompts& prompts) {
    const QString path = findHelpFile();
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly)) {
        prompts.error(QStringLiteral("Файл справки %1 не найден.\nОн должен лежать рядом с "
                                     "программой или в текущей папке.")
                          .arg(QString::fromLatin1(kHelpFileName)));
        return;
    }
    QDialog dialog(parent);
    dialog.setObjectName("HelpViewer");
    dialog.setWindowTitle(QStringLiteral("Справка"));
    auto* browser = new QTextBrowser;
    browser->setOpenExternalLinks(false);
    browser->setSearchPaths({QFileInfo(path).absolutePath()});
    browser->setHtml(QString::fromUtf8(file.readAll()));
    auto* close = new QPushButton(QStringLiteral("Закрыть"));
    QObject::connect(close, &QPushButton::clicked, &dialog, &QDialog::accept);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(browser);
    layout->addWidget(close, 0, Qt::AlignRight);
    dialog.resize(640, 520);
    dialog.exec();
}

} // namespace zurval
