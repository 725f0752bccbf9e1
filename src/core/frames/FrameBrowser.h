#pragma once

#include "core/common/PaletteColour.h"
#include "core/frames/CycleFrame.h"

#include <QString>
#include <array>
#include <optional>
#include <vector>

namespace zurval {

struct SpreadsheetForm;

// The browser StringGrid_O_Otb: three frames side by side, one per column, from the scroll
// bar's position.
constexpr int kBrowserRows = 19;
constexpr int kBrowserColumns = 3;
constexpr int kBrowserScrollMaximum = kFrameCapacity - kBrowserColumns; // 7165

constexpr int kBrowserRowNumber = 0;
constexpr int kBrowserRowTemperature = 5;
constexpr int kBrowserRowInputs = 9;
constexpr int kBrowserRowRelays = 10;
constexpr int kBrowserRowLimitsEntered = 11;
constexpr int kBrowserRowLimitsTriggered = 12;
constexpr int kBrowserRowDateTime = 14;

// Captions of the rows, top to bottom.
extern const std::array<const char*, kBrowserRows> kBrowserRowCaptions;

using FrameColumn = std::array<QString, kBrowserRows>;

// What the window shows: the cells of each column, and the FrameList position of the frame
// each column shows, by which a cell selection finds it; none for an empty column or a reset
// entry.
struct BrowserColumns {
    std::array<FrameColumn, kBrowserColumns> cells;
    std::array<std::optional<int>, kBrowserColumns> frames;
};

enum class TemperatureFormat {
    Whole,       // "#0", when the window is filled by scrolling
    TwoDecimals, // "#0.00", in the other fills
};

// The 19 cells of one frame, as the browser shows them, or in a spreadsheet's form.
[[nodiscard]] FrameColumn frameColumn(const CycleFrame& f, TemperatureFormat temperature,
                                      const SpreadsheetForm* spreadsheet = nullptr);

enum class BrowserFill {
    AfterOpening,   // as decoded, temperature with decimals
    Scrolling,      // whole temperature; a frame with radius exactly 0 shows no time
    AfterSelection, // temperature with decimals; a frame with radius exactly 0 is not shown
};

// The three columns of FrameSelection entries start..start + 2 (after a selection the window
// starts at 0). Positions past the end of the list give empty columns.
[[nodiscard]] BrowserColumns browserColumns(const FrameArray& list, const FrameSelection& selection,
                                            int start, BrowserFill fill);

// The detail boxes beside the browser. They overlap; a cell selection first hides them all.
extern const std::array<const char*, 5> kDetailBoxNames;

// One label of a detail box and the bit of the word it shows.
struct DetailLabel {
    const char* objectName;
    const char* caption; // the design caption
    int bit;
    PaletteColour whenSet;
    PaletteColour whenClear;
    bool coloured = true;                 // the "Резерв" inputs keep their colour
    const char* captionWhenSet = nullptr; // a label that names the state it shows
    const char* captionWhenClear = nullptr;
};

// Each table lists its box's labels from top to bottom.
extern const std::array<DetailLabel, 16> kInputLabels;  // GB_DV, layouts other than 3
extern const std::array<DetailLabel, 16> kInputLabels3; // GB_DV3, layout 3
extern const std::array<DetailLabel, 16> kRelayLabels;  // GB_VR
// GB_KZ, for the limits entered; a limit that acted is shown red instead.
extern const std::array<DetailLabel, 9> kLimitLabels;

// GB_DopInf: the layout-3 flags in bits 9..15 of the limits entered, as texts.
struct ExtraInfoLabel {
    const char* objectName;
    int bit;
    const char* textWhenSet;
    const char* textWhenClear;
};
extern const std::array<ExtraInfoLabel, 7> kExtraInfoLabels;

// What remembers the box last shown (the grid's tag); it survives hiding, clearing and loading.
enum DetailMemory : int {
    kDetailNone = 0,
    kDetailInputs = 1,
    kDetailRelays = 2,
    kDetailLimitsEntered = 3,
    kDetailLimitsTriggered = 4,
};

// The row whose cell in column 0 is selected again after scrolling, so that the open box
// follows the first column; -1 when no box was shown yet.
[[nodiscard]] int detailRowToFollow(int detailMemory);

struct LabelColour {
    const char* objectName;
    PaletteColour colour;
};
struct LabelText {
    const char* objectName;
    QString text;
};

// What a cell selection changes: hide every detail box, then show these.
struct DetailView {
    std::vector<const char*> shownBoxes;
    int detailMemory = kDetailNone;
    std::optional<QString> frameNumberText; // into Edit_nz_KZ when set
    std::vector<LabelColour> colours;
    std::vector<LabelText> texts;
};

// A selected cell of the browser, told by its row and the FrameList position of the frame
// its column shows (BrowserColumns::frames). Nothing but hiding happens before a file is
// loaded or in a column that shows no frame.
[[nodiscard]] DetailView selectBrowserCell(int row, std::optional<int> frame, bool documentLoaded,
                                           int detailMemory, int recorderVersion,
                                           const FrameArray& frameList);

} // namespace zurval
