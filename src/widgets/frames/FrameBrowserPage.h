#pragma once

#include "core/document/DocumentView.h"
#include "core/frames/FrameBrowser.h"

#include <QHash>
#include <QWidget>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QScrollBar;

namespace zurval {

class Prompts;
class StringGrid;
struct RecorderDocument;
class RecorderSession;

// "Общая": the frame browser, the detail boxes that decode a frame's bit words, and the
// conditions of the frame selection.
class FrameBrowserPage : public QWidget, public DocumentView {
    Q_OBJECT
public:
    // The page rewrites FrameSelection of the session's document; until the session has
    // loaded a file, the selection and the details do nothing.
    FrameBrowserPage(RecorderSession& session, Prompts& prompts, QWidget* parent = nullptr);

    void clear() override;
    void show() override;

    // Moves the window to FrameSelection entry k and shows entries k..k + 2 as decoded, as a
    // Shift-click on a chart point does.
    void jumpToFrame(int k);

signals:
    // A frame's cell was chosen: its number belongs in the protection page's frame field.
    void frameNumberChosen(const QString& number);
    // "Отобразить КЗ" in the grid's context menu.
    void protectionViewRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    [[nodiscard]] QWidget* buildRowCaptions();
    [[nodiscard]] QWidget* buildDetailArea();
    [[nodiscard]] QGroupBox* buildSelectionGroup();
    void showColumns(const BrowserColumns& columns);
    void ScrollBar_CiklChange(int position);
    void StringGrid_O_OtbSelectCell(int column, int row);
    // The check boxes, "Найти" and Enter in the threshold; false when the threshold is no
    // integer.
    bool runSelection();

    const RecorderSession& session_;
    RecorderDocument& document_; // the session's
    Prompts& prompts_;
    int detailMemory_ = kDetailNone; // the grid's tag: the kind of box last shown
    // The FrameList position of the frame each column shows, as the last fill left it.
    std::array<std::optional<int>, kBrowserColumns> shownFrames_{};

    StringGrid* StringGrid_O_Otb = nullptr;
    QScrollBar* ScrollBar_Cikl = nullptr;
    QLabel* Label_O_OtbZap = nullptr;
    QCheckBox* CheckBox_VLim = nullptr;
    QCheckBox* CheckBox_Error = nullptr;
    QCheckBox* CheckBox_SLim = nullptr;
    QCheckBox* CheckBox_O_DO = nullptr;
    QLineEdit* Edit_O_M = nullptr;
    QHash<QString, QGroupBox*> detailBoxes_;
    QHash<QString, QLabel*> detailLabels_;
};

} // namespace zurval
