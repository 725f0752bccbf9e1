#pragma once

#include <QString>
#include <vector>

class QFrame;
class QLabel;
class QScrollBar;

namespace zurval {

class StringGrid;

// A grid of whole cells: exactly as large as its columns and rows.
[[nodiscard]] StringGrid* fixedGrid(const char* name, int columns, int rows, int columnWidth,
                                    int rowHeight);

// The horizontal scroll bar under a window grid, as wide as the grid; its position is the
// first entry shown, one step per entry.
[[nodiscard]] QScrollBar* windowScrollBar(const char* name, const StringGrid* grid, int maximum);

// The panel left of a window grid: one caption per grid row, each level with its row, and at
// the foot, level with the scroll bar, "Отобрано кадров:" followed by the count.
struct CaptionPanel {
    QFrame* panel = nullptr;
    QLabel* count = nullptr;
};
struct CaptionLabel {
    QString objectName; // empty for a caption nothing refers to
    QString text;
};
[[nodiscard]] CaptionPanel captionPanel(const char* name, const std::vector<CaptionLabel>& rows,
                                        const StringGrid* grid, const QScrollBar* scrollBar,
                                        const char* countCaptionName, const char* countName);

} // namespace zurval
