#include "FileAreas.h"
#include "core/common/Cp1251.h"
#include "core/recorder/RecorderFile.h"

// zurval-fuzz-operator: the operator block and the code page alone. Each field reads as its
// bytes up to the first zero, one character a byte, and goes back to the same bytes (the one
// byte the code page leaves unassigned comes back as "?").

using namespace zurval;
using fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzz::AreaImage image(fuzz::kOperatorAreas);
    const ByteReader r = image.place(data, size);
    const OperatorBlock block = readOperatorBlock(r);
    const QString* fields[] = {&block.name, &block.certificate, &block.organisation,
                               &block.readingDate};
    for (int k = 0; k < filemap::kOperatorFieldCount; ++k) {
        const QByteArray stored =
            zeroTerminated(r, filemap::kOperatorBlock + k * filemap::kOperatorFieldSize,
                           filemap::kOperatorFieldSize);
        require(fields[k]->size() == stored.size(), "one character a byte");
        require(toCp1251(*fields[k]) == QByteArray(stored).replace('\x98', '?'),
                "the text goes back to its bytes");
    }
    return 0;
}
