#include "ReportWindow.h"

#include "ControlGatherer.h"
#include "Prompts.h"

#include <QAction>
#include <QGuiApplication>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>

namespace zurval {
namespace {

// The requests are tested in this order; a command marks one of them.
struct Request {
    const char* menuItem;
    ReportKind kind;
};
constexpr Request kRequests[] = {
    {"M_IK", ReportKind::InformationCard},
    {"M_CRP", ReportKind::Scheme},
    {"M_Oper", ReportKind::Operational},
    {"M_Per", ReportKind::Overloads},
};

} // namespace

void printPages(const report::Document& pages, QPrinter& printer) {
    QPainter painter(&printer);
    for (int i = 0; i < static_cast<int>(pages.pages.size()); ++i) {
        if (i > 0)
            printer.newPage();
        report::renderPage(pages, i, painter);
    }
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

TForm_Print::TForm_Print(const ReportSources& sources, Prompts& prompts,
                         const ReportPreview& preview) {
    setObjectName("Form_Print");
    setWindowTitle(QStringLiteral("Форма для печати"));

    const ControlTexts controls = gatherControlTexts(sources.mainWindow);
    for (const Request& request : kRequests) {
        auto* item = sources.mainWindow->findChild<QAction*>(QString::fromLatin1(request.menuItem));
        if (!item || item->property("Tag").toInt() != 1)
            continue;
        const BuiltReport built =
            buildReport(request.kind, ReportInputs{controls, sources.document, sources.range});
        if (built.refusal.isEmpty())
            preview(built.pages, sources.mainWindow);
        else
            prompts.error(built.refusal);
        // Cleared also after a refusal, so the next print command shows its own report only.
        item->setProperty("Tag", 0);
    }
}

} // namespace zurval
