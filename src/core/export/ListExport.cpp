#include "core/export/ListExport.h"

#include "core/frames/FrameBrowser.h"
#include "core/frames/OverloadTable.h"

namespace zurval {
namespace {

// The captions line their units up with runs of spaces; a column name needs none of them.
template <class Captions, class Text>
QStringList columnNames(const Captions& captions, Text caption) {
    QStringList names;
    for (const auto& c : captions)
        names << QString::fromUtf8(caption(c)).simplified();
    return names;
}

template <std::size_t N> QStringList cells(const std::array<QString, N>& column) {
    return QStringList(column.begin(), column.end());
}

} // namespace

int listCapacity(ExportedList list) {
    return list == ExportedList::Frames ? kFrameCapacity : kOverloadCapacity;
}

CsvTable frameTable(const FrameArray& frames, EntryRange range, CsvStyle style) {
    CsvTable table;
    table.style = style;
    table.header = columnNames(kBrowserRowCaptions, [](const char* c) { return c; });
    const SpreadsheetForm form = spreadsheetForm(style);
    for (int k = range.first; k <= range.last; ++k)
        table.rows.push_back(cells(
            frameColumn(frames[static_cast<std::size_t>(k)], TemperatureFormat::Whole, &form)));
    return table;
}

CsvTable overloadTable(const OverloadArray& records, EntryRange range, CsvStyle style) {
    CsvTable table;
    table.style = style;
    table.header = columnNames(kOverloadRowCaptions, [](const RowCaption& c) { return c.caption; });
    table.header[kOverloadRowDate] = QStringLiteral("Дата");
    const SpreadsheetForm form = spreadsheetForm(style);
    for (int k = range.first; k <= range.last; ++k) {
        const OverloadRecord& o = records[static_cast<std::size_t>(k)];
        if (o.loadPercent != 0)
            table.rows.push_back(cells(overloadColumn(o, &form)));
    }
    return table;
}

CsvTable listTable(const CyclicRecords& records, ExportedList list, EntryRange range,
                   CsvStyle style) {
    return list == ExportedList::Frames ? frameTable(*records.frameList, range, style)
                                        : overloadTable(*records.overloadList, range, style);
}

CsvTable listTable(const CyclicRecords& records, ExportedList list, CsvStyle style) {
    return listTable(records, list, {0, listCapacity(list) - 1}, style);
}

} // namespace zurval
