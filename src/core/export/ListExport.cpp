#include "ListExport.h"

#include "FrameBrowser.h"

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

CsvTable frameTable(const FrameArray& frames, EntryRange range) {
    CsvTable table;
    table.header = columnNames(kBrowserRowCaptions, [](const char* c) { return c; });
    for (int k = range.first; k <= range.last; ++k)
        table.rows.push_back(
            cells(frameColumn(frames[static_cast<std::size_t>(k)], TemperatureFormat::Whole)));
    return table;
}

CsvTable overloadTable(const OverloadArray& records, EntryRange range) {
    CsvTable table;
    table.header = columnNames(kOverloadRowCaptions, [](const RowCaption& c) { return c.caption; });
    for (int k = range.first; k <= range.last; ++k) {
        const OverloadRecord& o = records[static_cast<std::size_t>(k)];
        if (o.loadPercent != 0)
            table.rows.push_back(cells(overloadColumn(o)));
    }
    return table;
}

CsvTable listTable(const CyclicRecords& records, ExportedList list, EntryRange range) {
    return list == ExportedList::Frames ? frameTable(*records.frameList, range)
                                        : overloadTable(*records.overloadList, range);
}

CsvTable listTable(const CyclicRecords& records, ExportedList list) {
    return listTable(records, list, {0, listCapacity(list) - 1});
}

} // namespace zurval
