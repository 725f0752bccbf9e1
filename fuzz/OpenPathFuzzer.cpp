#include "OpenPath.h"

#include <QGuiApplication>
#include <cstddef>
#include <cstdint>
#include <memory>

// libFuzzer entry points: every input is opened as a recorder file, into one document, as
// the window keeps one for its whole life. Built twice: zurval-fuzz-open runs every step,
// zurval-fuzz-decode (ZURVAL_FUZZ_DECODING_ONLY) stops before the pictures and reports, so
// that a long run reaches many millions of inputs on the steps that read the bytes.

namespace {
std::unique_ptr<zurval::RecorderDocument> g_document;

zurval::OpenPathRun openBytes(const std::uint8_t* data, std::size_t size) {
#ifdef ZURVAL_FUZZ_DECODING_ONLY
    return zurval::runOpenPath(data, size, *g_document, zurval::OpenPathSteps::Decoding);
#else
    return zurval::runOpenPath(data, size, *g_document);
#endif
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The picture paints text, which needs a GUI application; Qt gets arguments of its own
    // so that it cannot take any of the fuzzer's.
    static int argc = 1;
    static char name[] = "zurval-fuzz-open";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(argc, argv);
    g_document = std::make_unique<zurval::RecorderDocument>();
    // The first picture loads the fonts, which takes longer than the hang limit may allow.
    [[maybe_unused]] const zurval::OpenPathRun warmUp = openBytes(nullptr, 0);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    {
        [[maybe_unused]] const zurval::OpenPathRun run = openBytes(data, size);
    }
    // What the run decoded is freed within it: libFuzzer runs an input again, looking for a
    // leak, whenever it leaves more allocations than it frees.
    g_document->clearDecoded();
    return 0;
}
