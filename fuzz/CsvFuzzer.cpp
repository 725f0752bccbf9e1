#include "CsvReading.h"
#include "FileAreas.h"
#include "core/export/Csv.h"

#include <fuzzer/FuzzedDataProvider.h>

// zurval-fuzz-csv: the CSV writer. Any texts in a table of the input's shape and style go
// into the file's bytes, and the strict reader the export tests use reads back the same cells:
// each as it was, or after the apostrophe that keeps a formula a text.

using namespace zurval;
using fuzz::require;

namespace {

bool sameCell(const QString& read, const QString& written) {
    static const QString kFormulaStarts = QStringLiteral("=@\t\r+-");
    return read == written || (!written.isEmpty() && kFormulaStarts.contains(written.at(0)) &&
                               read == QChar(u'\'') + written);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    CsvTable table;
    table.style = in.ConsumeBool() ? CsvStyle::Point : CsvStyle::Comma;
    // Every table of the program has several columns: a line of one empty field would be an
    // empty line, which a reader skips.
    const int columns = in.ConsumeIntegralInRange(2, 9);
    const int rows = in.ConsumeIntegralInRange(0, 8);
    auto line = [&] {
        QStringList cells;
        for (int c = 0; c < columns; ++c)
            cells << QString::fromStdString(in.ConsumeRandomLengthString(64));
        return cells;
    };
    table.header = line();
    for (int r = 0; r < rows; ++r)
        table.rows.push_back(line());

    const testing::ParsedCsv read = testing::parseCsv(csvBytes(table), csvSeparator(table.style));
    require(read.ok && read.byteOrderMark, "the file reads as CSV after its byte-order mark");
    require(read.lines.size() == table.rows.size() + 1, "a line per row and the header");
    for (std::size_t l = 0; l < read.lines.size(); ++l) {
        const QStringList& written = l == 0 ? table.header : table.rows[l - 1];
        require(read.lines[l].size() == written.size(), "a field per cell");
        for (qsizetype c = 0; c < written.size(); ++c)
            require(sameCell(read.lines[l][c], written[c]), "each cell reads back as written");
    }
    return 0;
}
