#pragma once

#include "core/common/PaletteColour.h"
#include "core/frames/CycleFrame.h"
#include "core/recorder/ServiceTexts.h"

#include <QString>
#include <QVector>
#include <array>
#include <vector>

namespace zurval {

// The charts plot FrameList against the frame number; the newest frame is left out.
constexpr int kChartedFrames = kFrameCapacity - 1; // frames 0..7166
// The frame axis of both charts reaches half a frame beyond the first and the last charted
// frame, so that their marks are drawn whole, clear of the axis line and the frame.
constexpr double kFrameAxisLow = -0.5;
constexpr double kFrameAxisHigh = kChartedFrames - 0.5;

// The check boxes under the parameter chart, each showing one or two of its lines.
enum class ParameterBox { M, Q, R, H, S, GA, Always };

struct ParameterCheckBox {
    ParameterBox box;
    const char* objectName;
    const char* caption;
    bool checkedAfterClearing;
    PaletteColour colour; // its caption draws the line it stands for
};
constexpr std::size_t kParameterBoxCount = 6;
extern const std::array<ParameterCheckBox, kParameterBoxCount> kParameterBoxes;

// Label33 beside the boxes stands for the 100 % line.
extern const char* const kLimitLineCaption;

// One line of Chart_Param. value gives its Y for a frame; readOutPattern is the number
// format of the read-out, nullptr for the constant lines that the read-out leaves out.
struct ParameterSeries {
    const char* objectName;
    const char* title;
    PaletteColour colour;
    ParameterBox shownBy;
    int penWidth;
    double (*value)(const CycleFrame&);
    const char* readOutPattern;
};
constexpr std::size_t kParameterSeriesCount = 8;
extern const std::array<ParameterSeries, kParameterSeriesCount> kParameterSeries;

// One row of marks of Chart_Rele: bit `bit` of the limit words at height `level`; a row
// without a bit (bit < 0) gets no marks.
struct RelaySeries {
    const char* objectName;
    const char* title;
    int level;
    int bit;
};
constexpr std::size_t kRelaySeriesCount = 10;
extern const std::array<RelaySeries, kRelaySeriesCount> kRelaySeries;

constexpr double kRelayAxisMinimum = 0;
constexpr double kRelayAxisMaximum = 11;

extern const char* const kParameterChartDesignTitle;
extern const char* const kRelayChartDesignTitle;
extern const char* const kFramesAxisTitle; // the bottom axis of both charts

// The titles after opening, from the crane model, crane number and recorder number shown on
// the service page.
[[nodiscard]] QString parameterChartTitle(const ServicePageTexts& service);
[[nodiscard]] QString relayChartTitle(const ServicePageTexts& service);

// The points of one line for frames 0..7166: X is the frame's number.
struct LinePoints {
    QVector<double> frames;
    QVector<double> values;
};
[[nodiscard]] LinePoints parameterPoints(const FrameArray& frames, const ParameterSeries& series);

// shown[i] tells whether kParameterSeries[i] is on the chart.
using ShownLines = std::array<bool, kParameterSeriesCount>;
// The lines the boxes show as they are after clearing.
[[nodiscard]] ShownLines linesShownAfterClearing();

struct ValueRange {
    double lower = 0;
    double upper = 0;
};
// The values of the parameter chart that show its shown lines whole, with 5 % of their span
// above and below; 0 to 100 when it shows no points (no frames, or no line shown).
[[nodiscard]] ValueRange parameterValueRange(const FrameArray* frames, const ShownLines& shown);

// A limit switched on in a frame: green, or red when it also acted.
struct RelayMark {
    int frame = 0;
    bool acted = false;
    bool operator==(const RelayMark& o) const { return frame == o.frame && acted == o.acted; }
};

// The marks of one row, in frame order, for frames 0..7166.
[[nodiscard]] std::vector<RelayMark> relayMarks(const FrameArray& frames,
                                                const RelaySeries& series);

// What the read-out under the mouse says about one frame: the first line names the frame and
// its time, the others give values, each in the colour of what it describes.
struct ReadOutLine {
    QString text;
    PaletteColour colour = PaletteColour::Black;
};
using ReadOut = std::vector<ReadOutLine>;

[[nodiscard]] ReadOut parameterReadOut(const CycleFrame& frame, const ShownLines& shown);
[[nodiscard]] ReadOut relayReadOut(const CycleFrame& frame);

} // namespace zurval
