#pragma once

#include "core/frames/CycleFrame.h"

#include <QString>
#include <optional>

namespace zurval {

// Frame numbers the user types name entries of FrameList; only 0 .. 7167 are drawn.
constexpr int kLastFrameNumber = kFrameCapacity - 1;

// The answer to a typed frame number outside FrameList, here and on the printed scheme.
[[nodiscard]] QString frameOutOfRangeMessage();

// What a typed frame number comes to: the frame to draw, or the message why not. An arrow
// key that would step past either end of FrameList does nothing and says nothing.
struct FrameRequest {
    std::optional<int> frame;
    QString error;
};
// The number in the text, moved by step (the arrow keys give +1 and -1).
[[nodiscard]] FrameRequest requestFrame(const QString& text, int step = 0);

// The playback of a range of frames, one frame per timer step. The texts of the first and
// the last number are read anew at every step, as the user may change them meanwhile.
class Playback {
public:
    struct Start {
        bool started = false;
        QString error;           // the conversion message of either number
        int progressMaximum = 0; // frames after the first
    };
    // "Воспроизвести": a first number outside FrameList starts nothing and says so. Pressing
    // it during a playback starts again from the first number.
    [[nodiscard]] Start start(const QString& firstText, const QString& lastText);
    // "Стоп": the playback ends after the next frame.
    void requestStop() { stopRequest_ = true; }
    // The frame the next step draws.
    [[nodiscard]] int frame() const { return playbackFrame_; }

    struct Step {
        bool goesOn = false;
        int progress = 0; // 0 once the playback has ended
        QString error;
    };
    // After the step's frame was drawn. The playback ends at the last number, at the newest
    // frame of FrameList, after the first frame when the last number is smaller, after a
    // stop request, or with a message when a number is no longer an integer.
    [[nodiscard]] Step afterDrawing(const QString& firstText, const QString& lastText);

private:
    int playbackFrame_ = 0;
    int progressMaximum_ = 0;
    bool stopRequest_ = false;
};

} // namespace zurval
