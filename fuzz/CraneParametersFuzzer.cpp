#include "FileAreas.h"
#include "core/protection/CraneParameters.h"

// zurval-fuzz-parkran: PAR_KRAN alone, read in every layout the program knows and in two it
// does not: the checksums, the listing and the crane's dimensions.

using namespace zurval;
using fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzz::AreaImage image(fuzz::kParKranAreas);
    const ByteReader r = image.place(data, size);
    for (const int version : {-1, 0, 1, 2, 3, 4}) {
        const CraneParameters p = decodeCraneParameters(r, version);
        const ParameterLayout* layout = craneParameterLayout(version);
        require(p.dimensions.has_value() == (layout != nullptr),
                "a known layout gives the dimensions");
        require(p.sections.empty() == (layout == nullptr), "a known layout is listed");
        require(!layout || p.messages.size() <= static_cast<qsizetype>(layout->checksums.size()),
                "one message at most per checksum");
    }
    return 0;
}
