#pragma once

#include "Reports.h"

#include <QWidget>
#include <functional>

class QPrinter;

namespace zurval {

class Prompts;

// How a filled report reaches the user: the modal print preview, from which they print.
using ReportPreview = std::function<void(const report::Document& pages, QWidget* parent)>;
void previewModally(const report::Document& pages, QWidget* parent);
// Every page on the printer, one sheet each.
void printPages(const report::Document& pages, QPrinter& printer);

// What a report window reads from the main window.
struct ReportSources {
    // Its print menu items carry the requests in their Tag; its named edits and labels
    // give the texts.
    QWidget* mainWindow;
    const RecorderDocument& document;
    PrintRange range; // PrintFrom, PrintTo
};

// "Форма для печати", the report window of one print command; it is never shown itself.
// Constructing it does the work: for each print menu item whose Tag is 1, in the order
// M_IK, M_CRP, M_Oper, M_Per, it fills that report from the main window as it is now and
// previews it modally (or tells why it cannot), then sets the Tag back to 0.
class TForm_Print : public QWidget {
    Q_OBJECT
public:
    TForm_Print(const ReportSources& sources, Prompts& prompts,
                const ReportPreview& preview = previewModally);
};

} // namespace zurval
