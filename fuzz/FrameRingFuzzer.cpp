#include "FileAreas.h"
#include "core/frames/CycleFrame.h"
#include "core/frames/RecordTexts.h"

#include <memory>

// zurval-fuzz-frames: the frame ring alone. The input is the layout version, both copies of
// the write pointer and the 7168 slots; each input decodes the slots, finds the newest, puts
// the ring oldest first, completes the dates and makes the texts of both ends.

using namespace zurval;
using fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzz::AreaImage image(fuzz::kFrameRingAreas);
    static const auto frames = std::make_unique<FrameArray>();
    static const auto selection = std::make_unique<FrameSelection>();
    const ByteReader r = image.place(data, size);
    const int version = r.s8(fuzz::kVersionByte.offset);

    const FramePointer pointer = readFramePointer(r);
    decodeFrameSlots(r, version, *frames);
    const int newest = newestFrameSlot(pointer, *frames, version);
    require(newest >= 0 && newest < kFrameCapacity, "the newest slot lies in the ring");
    const CycleFrame newestFrame = (*frames)[static_cast<std::size_t>(newest)];

    orderFrames(pointer, version, *frames, *selection);
    const CycleFrame& first = frames->front();
    const CycleFrame& last = frames->back();
    require(last.mark == newestFrame.mark && last.inputs == newestFrame.inputs &&
                last.time == newestFrame.time,
            "the newest frame comes last");
    require(selection->count() == kFrameCapacity, "every frame is selected");
    bool anyDateFrame = false;
    for (int k = 0; k < kFrameCapacity; ++k) {
        const CycleFrame& f = (*frames)[static_cast<std::size_t>(k)];
        require(f.number == k, "a frame's number is its place in the list");
        anyDateFrame = anyDateFrame || isDateFrameMark(f.mark);
    }
    require(first.dated == anyDateFrame && last.dated == anyDateFrame,
            "every frame is dated when the ring holds a date frame");

    for (const CycleFrame* f : {&first, &last}) {
        [[maybe_unused]] const QString texts = frameTimeText(*f) +
                                               frameTimeText(*f, SpreadsheetForm{}) +
                                               wordText(*f, &CycleFrame::limitsTriggered) +
                                               bitGroupsText(f->relays) + checksumText(*f);
    }
    return 0;
}
