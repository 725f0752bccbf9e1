#include "widgets/reports/ReportWindow.h"

#include "core/common/Prompts.h"
#include "core/document/RecorderSession.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>

namespace zurval {

void printPages(const report::Document& pages, QPrinter& printer) {
    QPainter painter(&printer);
    for (int i = 0; i < static_cast<int>(pages.pages.size()); ++i) {
        if (i > 0)
            printer.newPage();
        report::renderPage(pages, i, painter);
    }
}

void printOnPaper(const report::Document& pages, QPrinter& printer) {
    const QPageLayout layout = printer.pageLayout();
    const bool fullPage = printer.fullPage();
    printer.setFullPage(true); // the pages carry their own margins
    printer.setPageLayout(report::pageLayout(pages.format));
    printPages(pages, printer);
    printer.setFullPage(fullPage);
    printer.setPageLayout(layout);
}

void printWithDialog(const report::Document& pages, QWidget* parent) {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog PrintDialog(&printer, parent);
    PrintDialog.setObjectName("PrintDialog");
    if (PrintDialog.exec() == QDialog::Accepted)
        printOnPaper(pages, printer);
}

void previewModally(const report::Document& pages, QWidget* parent) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setFullPage(true); // the pages carry their own margins
    printer.setPageLayout(report::pageLayout(pages.format));
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Предварительный просмотр"));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested,
                     [&pages](QPrinter* target) { printPages(pages, *target); });
    // Most of the screen, also where no window manager maximizes it.
    if (const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        dialog.setGeometry(area.adjusted(area.width() / 20, area.height() / 20, -area.width() / 20,
                                         -area.height() / 20));
    }
    dialog.setWindowState(Qt::WindowMaximized);
    dialog.exec();
}

void printReport(ReportKind kind, const RecorderSession& session, PrintRange range,
                 Prompts& prompts, const ReportPreview& preview, QWidget* parent) {
    const BuiltReport built = buildReport(kind, session.texts(), session.document(), range);
    if (built.refusal.isEmpty())
        preview(built.pages, parent);
    else
        prompts.error(built.refusal);
}

} // namespace zurval
