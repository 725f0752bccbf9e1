#pragma once

#include "core/document/DocumentView.h"
#include "core/frames/OverloadTable.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QScrollBar;

namespace zurval {

class Prompts;
class StringGrid;
struct RecorderDocument;
class RecorderSession;

// "Перегрузки": the overload records eight at a time, the selection by load percentage and
// the lines about the largest and the last overload.
class OverloadPage : public QWidget, public DocumentView {
    Q_OBJECT
public:
    // The page rewrites OverloadSelection of the session's document.
    OverloadPage(RecorderSession& session, Prompts& prompts, QWidget* parent = nullptr);

    void clear() override;
    void show() override;

private:
    void showColumns(const OverloadColumns& columns);
    void ScrollBar_PerChange(int position);
    void Button3Click();

    const RecorderSession& session_;
    RecorderDocument& document_; // the session's
    Prompts& prompts_;

    StringGrid* StringGrid_Per_Otb = nullptr;
    QScrollBar* ScrollBar_Per = nullptr;
    QLabel* Label_Per_OtbZap = nullptr;
    QLineEdit* Edit_Per_M = nullptr;
    QLabel* Label_MaxM = nullptr;
    QLabel* Label_LastM = nullptr;
};

} // namespace zurval
