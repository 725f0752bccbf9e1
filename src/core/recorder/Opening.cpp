#include "core/recorder/Opening.h"

#include "core/recorder/Checksums.h"

namespace zurval {

OpeningChecks runOpeningChecks(const ByteReader& r) {
    OpeningChecks c;
    c.imageIntact = imageSumOk(r);
    c.versionEstimate = scanRecorderVersion(r);
    if (c.versionEstimate > 0)
        c.bankMessages = failedBlockMessages(r, serviceBankBlocks());
    c.operatorBlock = readOperatorBlock(r);
    return c;
}

} // namespace zurval
