#pragma once

#include "render/reports/Reports.h"

#include <QWidget>
#include <functional>

class QPrinter;

namespace zurval {

class Prompts;
class RecorderSession;

// How a filled report reaches the user: the modal print preview, from which they print.
using ReportPreview = std::function<void(const report::Document& pages, QWidget* parent)>;
void previewModally(const report::Document& pages, QWidget* parent);
// Every page on the printer, one sheet each.
void printPages(const report::Document& pages, QPrinter& printer);
// The same on the pages' own paper and orientation, the printer's put back afterwards.
void printOnPaper(const report::Document& pages, QPrinter& printer);
// Печать → График параметров / График работы КЗ: the printer dialog over parent, then the
// pages on the printer chosen; nothing when the user cancels.
void printWithDialog(const report::Document& pages, QWidget* parent);

// One print command of Файл → Печать: the report filled from the session as the user sees
// it now, handed to preview over parent, or, when it cannot be filled, the reason in an
// error box.
void printReport(ReportKind kind, const RecorderSession& session, PrintRange range,
                 Prompts& prompts, const ReportPreview& preview, QWidget* parent);

} // namespace zurval
