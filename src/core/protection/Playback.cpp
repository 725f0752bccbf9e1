#include "core/protection/Playback.h"

#include "core/frames/IntegerText.h"

#include <algorithm>

namespace zurval {

QString frameOutOfRangeMessage() {
    return QStringLiteral("Неправильный номер кадра! Кадры нумеруются с 0 по %1.")
        .arg(kLastFrameNumber);
}

FrameRequest requestFrame(const QString& text, int step) {
    const std::optional<int> number = parseInteger(text);
    if (!number)
        return {std::nullopt, notAnIntegerMessage(text)};
    // In 64 bits: the up arrow on the largest integer must not wrap round into FrameList.
    const long long wanted = static_cast<long long>(*number) + step;
    if (wanted < 0 || wanted > kLastFrameNumber)
        return {std::nullopt, step == 0 ? frameOutOfRangeMessage() : QString()};
    return {static_cast<int>(wanted), {}};
}

Playback::Start Playback::start(const QString& firstText, const QString& lastText) {
    stopRequest_ = false;
    const std::optional<int> last = parseInteger(lastText);
    const std::optional<int> first = parseInteger(firstText);
    if (!last)
        return {false, notAnIntegerMessage(lastText)};
    if (!first)
        return {false, notAnIntegerMessage(firstText)};
    if (*first < 0 || *first > kLastFrameNumber)
        return {false, frameOutOfRangeMessage()};
    playbackFrame_ = *first;
    progressMaximum_ = std::max(0, std::min(*last, kLastFrameNumber) - *first);
    return {true, {}, progressMaximum_};
}

Playback::Step Playback::afterDrawing(const QString& firstText, const QString& lastText) {
    const std::optional<int> last = parseInteger(lastText);
    if (!last)
        return {false, 0, notAnIntegerMessage(lastText)};
    if (playbackFrame_ >= *last || playbackFrame_ >= kLastFrameNumber || stopRequest_) {
        stopRequest_ = false;
        return {};
    }
    const std::optional<int> first = parseInteger(firstText);
    if (!first)
        return {false, 0, notAnIntegerMessage(firstText)};
    const int progress = std::clamp(playbackFrame_ - *first, 0, progressMaximum_);
    ++playbackFrame_;
    return {true, progress, {}};
}

} // namespace zurval
