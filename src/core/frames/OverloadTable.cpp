#include "core/frames/OverloadTable.h"

#include "core/common/NumberFormat.h"
#include "core/frames/RecordTexts.h"

namespace zurval {
namespace {

bool shown(const OverloadRecord& o, OverloadFill fill, int recorderVersion) {
    const bool markKnown = o.mark == recorderVersion || o.mark == kLastRecordMark;
    switch (fill) {
    case OverloadFill::AfterOpening:
        return markKnown && o.intact;
    case OverloadFill::Scrolling:
        return o.loadPercent != 0;
    case OverloadFill::AfterSelection:
        return markKnown;
    }
    return false;
}

} // namespace

OverloadColumn overloadColumn(const OverloadRecord& o, const SpreadsheetForm* spreadsheet) {
    const QChar separator = spreadsheet != nullptr ? spreadsheet->decimal : QChar();
    return {QString::number(o.number),
            spreadsheet != nullptr ? overloadDateText(o, *spreadsheet) : overloadDateText(o),
            QString::number(o.loadPercent),
            formatPattern(o.ratedLoad, "#0.00", separator),
            formatPattern(o.radius, "#0.00", separator),
            QString::number(o.mark),
            checksumText(o)};
}

const std::array<RowCaption, kOverloadTableRows> kOverloadRowCaptions = {{
    {"LabelC_NKAD", "Номер кадра"},
    {"LabelC_Time", "Дата                        дд.мм.гг."},
    {"LabelC_H", "Процент загрузки              % "},
    {"LabelC_S", "Пасп. грузоподъемность   т."},
    {"LabelC_P", "Вылет                                  м."},
    {"Label36", "Метка записи"},
    {"Label55", "Контрольная сумма"},
}};

OverloadColumns overloadColumns(const OverloadArray& list, const OverloadSelection& selection,
                                int start, OverloadFill fill, int recorderVersion) {
    OverloadColumns columns;
    for (int c = 0; c < kOverloadTableColumns; ++c) {
        const long long p = static_cast<long long>(start) + c;
        if (p < 0 || p >= kOverloadCapacity)
            continue;
        const OverloadRecord& o = selection.entry(list, static_cast<int>(p));
        if (shown(o, fill, recorderVersion))
            columns[static_cast<std::size_t>(c)] = overloadColumn(o);
    }
    return columns;
}

} // namespace zurval
