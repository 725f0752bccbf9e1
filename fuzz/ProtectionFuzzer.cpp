#include "FileAreas.h"
#include "core/frames/CycleFrame.h"
#include "core/protection/CraneParameters.h"
#include "core/protection/ProtectionSettings.h"
#include "core/protection/SettingsTexts.h"
#include "render/protection/ProtectionPicture.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <memory>

// zurval-fuzz-protect: PROTECT alone: the zones, their counts and the limits, then the
// protection picture of the first frame with those zones and the crane's dimensions from
// PAR_KRAN, at the window's size. The input is the layout version, PAR_KRAN and PROTECT, and
// the first frame slot.

using namespace zurval;
using fuzz::require;

namespace {
const QSize kArea(754, 366); // PaintBox_KZ
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The picture writes text, which needs a GUI application; Qt gets arguments of its own
    // so that it cannot take any of the fuzzer's.
    static int argc = 1;
    static char name[] = "zurval-fuzz-protect";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzz::AreaImage image(fuzz::kProtectionAreas);
    static const auto frames = std::make_unique<FrameArray>();
    static QImage picture(kArea, QImage::Format_RGB32);
    const ByteReader r = image.place(data, size);
    const int version = r.s8(fuzz::kVersionByte.offset);

    const ProtectionSettings s = decodeProtection(r, version);
    require(s.messages.size() <= (version == 1 ? 1 : 0), "a message for layout 1 alone");
    for (int z = 0; z < kZoneCount; ++z) {
        require(s.zones[z].count >= 0 && s.zones[z].count <= kZoneLayouts[z].capacity,
                "a zone holds at most its capacity");
        require(zoneGrid(static_cast<ZoneId>(z), s.zones[z]).size() ==
                    static_cast<std::size_t>(kZoneLayouts[z].capacity) + 1,
                "a grid row per point slot");
    }

    // Every layout keeps the three dimensions at the same places.
    const CraneDimensions crane = *decodeCraneParameters(r, 0).dimensions;
    // Decoding the ring would take most of an execution: it is decoded again only when the
    // frame's bytes or the layout changed.
    static std::vector<std::uint8_t> decodedFrom;
    std::vector<std::uint8_t> frameBytes = r.bytes(filemap::kFrames, filemap::kFrameSize);
    frameBytes.push_back(static_cast<std::uint8_t>(version));
    if (frameBytes != decodedFrom) {
        decodeFrameSlots(r, version, *frames);
        decodedFrom = std::move(frameBytes);
    }
    const ProtectionScales scales = fitScales(ProtectionScales{}, crane, kArea);
    QPainter painter(&picture);
    paintProtectionFrame(painter, kArea, frames->front(), crane, s.zones, s.limits, scales);
    return 0;
}
