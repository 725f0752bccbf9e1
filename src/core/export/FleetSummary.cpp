#include "core/export/FleetSummary.h"

#include "core/common/NumberFormat.h"
#include "core/fleet/ReadingHistory.h"
#include "core/frames/RecordTexts.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <exception>
#include <functional>
#include <memory>
#include <tuple>

namespace zurval {
namespace {

void takeDecoded(const RecorderDocument& d, RecordingSummary& s) {
    const ServicePageTexts texts = servicePageTexts(d.service);
    s.craneModel = texts.craneModel;
    s.craneNumber = texts.craneNumber;
    s.recorderNumber = texts.recorderNumber;
    s.readingDate = d.operatorBlock.readingDate;
    s.normativeGroup = texts.normativeGroup;
    s.duty = d.duty;
    s.characteristicNumber = d.characteristicNumber;
    s.characteristicNumberText = texts.characteristicNumber;
    s.motorMinutes = d.service.motorMinutes;
    for (int k = 0; k < kRangesAbove100; ++k)
        s.cyclesAbove100[k] = d.service.workingCycles[kFirstRangeAbove100 + k];

    const OverloadArray& overloads = *d.cyclic.overloadList;
    for (const OverloadRecord& o : overloads) {
        if (o.loadPercent == 0)
            continue;
        s.overloads.push_back(overloadFingerprint(o));
        if (isHeavyOverload(o))
            ++s.overloadsAbove125;
    }
    if (const OverloadRecord* largest = largestOverload(overloads))
        s.largestOverload = *largest;
    s.newestFrame = d.cyclic.frameList->back();
}

// A time in hours, minutes and seconds, signed when it is a difference.
QString signedMotorHours(long long minutes) {
    const QString text = formatMotorHours(static_cast<std::uint32_t>(std::llabs(minutes)));
    return minutes < 0   ? QStringLiteral("-") + text
           : minutes > 0 ? QStringLiteral("+") + text
                         : text;
}

QString signedCount(long long n) {
    return n > 0 ? QStringLiteral("+%1").arg(n) : QString::number(n);
}

// A number that grows with time; nullopt when the operator typed something else.
std::optional<long long> readingTimeKey(const QString& text) {
    const std::optional<TypedReadingTime> t = typedReadingTime(text);
    if (!t)
        return std::nullopt;
    return static_cast<long long>(t->date.toJulianDay()) * 10000 + t->hours * 100 + t->minutes;
}

// The reading date as a spreadsheet's date (and time) when that is all the operator typed,
// else the text as typed.
QString readingDateText(const QString& text, const SpreadsheetForm& form) {
    const std::optional<TypedReadingTime> t = typedReadingTime(text);
    if (!t || !t->whole || (t->timed && !QTime::isValid(t->hours, t->minutes, 0)))
        return text;
    const QString date = spreadsheetDate(t->date, form);
    return t->timed ? date + u' ' + QTime(t->hours, t->minutes).toString(u"HH:mm") : date;
}

// A number the pages show, with the spreadsheet's decimal separator.
QString withDecimal(QString shown, const SpreadsheetForm& form) {
    return shown.replace(decimalSeparator(), form.decimal);
}

// A recorder date and time as YYMMDDhhmmss; nullopt when a byte is no BCD number.
std::optional<long long> recorderTimeKey(const RecorderDate& d, const RecorderTime& t = {}) {
    long long key = 0;
    for (const std::uint8_t byte : {d.year, d.month, d.day, t.hours, t.minutes, t.seconds}) {
        const std::optional<int> value = bcdValue(byte);
        if (!value)
            return std::nullopt;
        key = key * 100 + *value;
    }
    return key;
}

// A date frame counts from the start of its day; a time frame without a date has no key.
std::optional<long long> recorderTimeKey(const CycleFrame& f) {
    if (!f.decoded || !f.dated)
        return std::nullopt;
    return isDateFrameMark(f.mark) ? recorderTimeKey(f.date) : recorderTimeKey(f.date, f.time);
}

QVariant keyOf(const std::optional<long long>& key) {
    return key ? QVariant(*key) : QVariant();
}

struct OrderKey {
    bool unreadable;
    QString craneModel;
    int craneNumber;
    bool undated; // readings without a date the program understands come last
    long long readingTime;
    std::uint32_t motorMinutes;
    QString path;

    explicit OrderKey(const RecordingSummary& s)
        : unreadable(s.state == FileState::Unreadable), craneModel(s.craneModel),
          craneNumber(s.craneNumber.toInt()), path(s.path) {
        const std::optional<long long> t = readingTimeKey(s.readingDate);
        undated = !t;
        readingTime = t.value_or(0);
        motorMinutes = s.motorMinutes;
    }
    [[nodiscard]] auto tied() const {
        return std::tie(unreadable, craneModel, craneNumber, undated, readingTime, motorMinutes,
                        path);
    }
    [[nodiscard]] auto chronological() const {
        return std::tie(undated, readingTime, motorMinutes, path);
    }
};

} // namespace

QString fileStateText(FileState state) {
    switch (state) {
    case FileState::Intact:
        return QStringLiteral("цел");
    case FileState::Damaged:
        return QStringLiteral("повреждён");
    case FileState::Unreadable:
        break;
    }
    return QStringLiteral("не читается");
}

RecordingSummary summarizeRecording(const FoundRecording& found, RecorderDocument& document) {
    CheckedRecording checked = checkRecording(found, document);
    RecordingSummary s;
    s.path = found.path;
    s.state = checked.state;
    s.problems = std::move(checked.problems);
    if (s.state != FileState::Unreadable)
        takeDecoded(document, s);
    return s;
}

void orderAndCompare(std::vector<RecordingSummary>& rows) {
    std::vector<OrderKey> keys;
    keys.reserve(rows.size());
    for (const RecordingSummary& s : rows)
        keys.emplace_back(s);
    std::vector<std::size_t> order(rows.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::sort(order.begin(), order.end(),
              [&](std::size_t a, std::size_t b) { return keys[a].tied() < keys[b].tied(); });

    // Each recorder's readings in time, whichever crane they name.
    std::vector<std::size_t> readings;
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (rows[i].state != FileState::Unreadable && !rows[i].recorderNumber.trimmed().isEmpty())
            readings.push_back(i);
    std::sort(readings.begin(), readings.end(), [&](std::size_t a, std::size_t b) {
        const QString ra = rows[a].recorderNumber.trimmed();
        const QString rb = rows[b].recorderNumber.trimmed();
        if (ra != rb)
            return ra < rb;
        return keys[a].chronological() < keys[b].chronological();
    });
    for (std::size_t k = 1; k < readings.size(); ++k) {
        const RecordingSummary& before = rows[readings[k - 1]];
        RecordingSummary& after = rows[readings[k]];
        if (before.recorderNumber.trimmed() != after.recorderNumber.trimmed())
            continue;
        ReadingGrowth g;
        g.motorMinutes = static_cast<long long>(after.motorMinutes) - before.motorMinutes;
        for (int r = 0; r < kRangesAbove100; ++r)
            g.cyclesAbove100[r] =
                static_cast<long long>(after.cyclesAbove100[r]) - before.cyclesAbove100[r];
        g.newOverloads = newOverloadCount(before.overloads, after.overloads);
        after.growth = g;
    }

    std::vector<RecordingSummary> sorted;
    sorted.reserve(rows.size());
    for (const std::size_t i : order)
        sorted.push_back(std::move(rows[i]));
    rows = std::move(sorted);
}

bool FleetReading::begin(const std::vector<FoundRecording>& files) {
    rows_.assign(files.size(), {});
    return true;
}

void FleetReading::read(std::size_t index, const FoundRecording& file, RecorderDocument& document) {
    try {
        rows_[index] = summarizeRecording(file, document);
    } catch (const std::exception& e) {
        rows_[index].path = file.path;
        rows_[index].problems = QStringList{QString::fromLocal8Bit(e.what())};
    }
}

void FleetReading::end() {
    if (!cancelled())
        orderAndCompare(rows_);
}

std::vector<RecordingSummary> summarizeFolder(const QString& folder, int threads) {
    FleetReading reading(folder, threads);
    reading.run();
    return reading.rows();
}

namespace {

// What a column shows of a row: always (the file, its state), what was read of it (nothing
// of an unreadable file), or what it added to the reading before it (nothing for the first).
enum class Shows { Always, Contents, Growth };

// One column of the summary: its caption and how a row's cell is made; a column of numbers
// with decimals or of dates has a form of its own for spreadsheets.
struct SummaryColumn {
    QString caption; // a line break where the window wraps it
    Shows shows;
    std::function<SummaryCell(const RecordingSummary&, const QString& folder)> cell;
    std::function<QString(const RecordingSummary&, const SpreadsheetForm&)> spreadsheet = {};
};

SummaryCell text(const QString& t, const QVariant& key) {
    return {t, key};
}
SummaryCell quantity(const QString& t, const QVariant& key) {
    return {t, key, true};
}

std::vector<SummaryColumn> makeColumns() {
    using R = const RecordingSummary&;
    using F = const QString&;
    using S = const SpreadsheetForm&;
    std::vector<SummaryColumn> c = {
        {QStringLiteral("Файл"), Shows::Always,
         [](R row, F folder) {
             const QString shown =
                 QDir::toNativeSeparators(QDir(folder).relativeFilePath(row.path));
             return text(shown, shown);
         }},
        {QStringLiteral("Кран"), Shows::Contents,
         [](R row, F) { return text(row.craneModel, row.craneModel); }},
        {QStringLiteral("№ крана"), Shows::Contents,
         [](R row, F) { return quantity(row.craneNumber, row.craneNumber.toInt()); }},
        {QStringLiteral("№ РП"), Shows::Contents,
         [](R row, F) { return text(row.recorderNumber, row.recorderNumber); }},
        {QStringLiteral("Дата\nсчитывания"), Shows::Contents,
         [](R row, F) { return text(row.readingDate, keyOf(readingTimeKey(row.readingDate))); },
         [](R row, S form) { return readingDateText(row.readingDate, form); }},
        {QStringLiteral("Нормативная\nгруппа"), Shows::Contents,
         [](R row, F) { return text(row.normativeGroup, row.normativeGroup); }},
        {QStringLiteral("Текущая\nгруппа"), Shows::Contents,
         [](R row, F) { return text(groupText(row.duty.groupA), row.duty.groupA); }},
        {QStringLiteral("Класс\nиспользования"), Shows::Contents,
         [](R row, F) { return text(dutyTexts(row.duty).classU, row.duty.classU); }},
        {QStringLiteral("Режим\nнагружения"), Shows::Contents,
         [](R row, F) { return text(dutyTexts(row.duty).classQ, row.duty.classQ); }},
        {QStringLiteral("Хар. число\nтекущее"), Shows::Contents,
         [](R row, F) {
             return quantity(row.characteristicNumberText,
                             static_cast<double>(row.characteristicNumber));
         },
         [](R row, S form) { return withDecimal(row.characteristicNumberText, form); }},
        {QStringLiteral("Хар. число\nнормативное"), Shows::Contents,
         [](R row, F) {
             return quantity(dutyTexts(row.duty).normativeCharacteristicNumber,
                             row.duty.normativeCharacteristicNumber);
         }},
        {QStringLiteral("Общая\nнаработка"), Shows::Contents,
         [](R row, F) { return quantity(formatMotorHours(row.motorMinutes), row.motorMinutes); }},
        {QStringLiteral("Перегрузок\n> 125%"), Shows::Contents,
         [](R row, F) {
             return quantity(QString::number(row.overloadsAbove125), row.overloadsAbove125);
         }},
        {QStringLiteral("Макс.\nперегрузка, %"), Shows::Contents,
         [](R row, F) {
             const std::optional<OverloadRecord>& largest = row.largestOverload;
             return largest ? quantity(QString::number(largest->loadPercent), largest->loadPercent)
                            : quantity({}, {});
         }},
        {QStringLiteral("Дата макс.\nперегрузки"), Shows::Contents,
         [](R row, F) {
             const std::optional<OverloadRecord>& largest = row.largestOverload;
             return largest
                        ? text(overloadDateText(*largest), keyOf(recorderTimeKey(largest->date)))
                        : text({}, keyOf(std::nullopt));
         },
         [](R row, S form) {
             return row.largestOverload ? overloadDateText(*row.largestOverload, form) : QString();
         }},
        {QStringLiteral("Последний\nкадр"), Shows::Contents,
         [](R row, F) {
             return text(frameTimeText(row.newestFrame).trimmed(),
                         keyOf(recorderTimeKey(row.newestFrame)));
         },
         [](R row, S form) { return frameTimeText(row.newestFrame, form); }},
        {QStringLiteral("Прирост\nнаработки"), Shows::Growth,
         [](R row, F) {
             return quantity(signedMotorHours(row.growth->motorMinutes), row.growth->motorMinutes);
         }},
    };
    for (int k = 0; k < kRangesAbove100; ++k)
        c.push_back({QStringLiteral("Прирост циклов\n") +
                         QString::fromUtf8(kLoadRanges[kFirstRangeAbove100 + k].caption).trimmed(),
                     Shows::Growth, [k](R row, F) {
                         const long long n =
                             row.growth->cyclesAbove100[static_cast<std::size_t>(k)];
                         return quantity(signedCount(n), n);
                     }});
    c.push_back({QStringLiteral("Новых\nперегрузок"), Shows::Growth, [](R row, F) {
                     return quantity(QString::number(row.growth->newOverloads),
                                     row.growth->newOverloads);
                 }});
    c.push_back({QStringLiteral("Состояние"), Shows::Always, [](R row, F) {
                     return text(fileStateText(row.state), static_cast<int>(row.state));
                 }});
    c.push_back({QStringLiteral("Причина"), Shows::Always, [](R row, F) {
                     const QString problems = row.problems.join(QStringLiteral("; "));
                     return text(problems, problems);
                 }});
    return c;
}

const std::vector<SummaryColumn>& summaryColumns() {
    static const std::vector<SummaryColumn> columns = makeColumns();
    return columns;
}

} // namespace

const QStringList& summaryCaptions() {
    static const QStringList captions = [] {
        QStringList c;
        for (const SummaryColumn& column : summaryColumns())
            c << column.caption;
        return c;
    }();
    return captions;
}

std::vector<SummaryCell> summaryCells(const RecordingSummary& row, const QString& folder,
                                      const SpreadsheetForm* spreadsheet) {
    std::vector<SummaryCell> cells;
    cells.reserve(summaryColumns().size());
    for (const SummaryColumn& column : summaryColumns()) {
        const bool shown =
            column.shows == Shows::Always ||
            (row.state != FileState::Unreadable && (column.shows == Shows::Contents || row.growth));
        SummaryCell cell = shown ? column.cell(row, folder) : SummaryCell{};
        if (shown && spreadsheet != nullptr && column.spreadsheet)
            cell.text = column.spreadsheet(row, *spreadsheet);
        cells.push_back(std::move(cell));
    }
    return cells;
}

namespace {

// The header in one line per caption and every row's cells, built once for both outputs.
struct SummaryGrid {
    QStringList header;
    std::vector<std::vector<SummaryCell>> rows;
};

SummaryGrid summaryGrid(const std::vector<RecordingSummary>& rows, const QString& folder,
                        const SpreadsheetForm* spreadsheet = nullptr) {
    SummaryGrid grid;
    for (const QString& caption : summaryCaptions())
        grid.header << QString(caption).replace(u'\n', u' ');
    for (const RecordingSummary& row : rows)
        grid.rows.push_back(summaryCells(row, folder, spreadsheet));
    return grid;
}

} // namespace

CsvTable summaryTable(const std::vector<RecordingSummary>& rows, const QString& folder,
                      CsvStyle style) {
    const SpreadsheetForm form = spreadsheetForm(style);
    SummaryGrid grid = summaryGrid(rows, folder, &form);
    CsvTable table;
    table.style = style;
    table.header = std::move(grid.header);
    for (const std::vector<SummaryCell>& cells : grid.rows) {
        QStringList texts;
        for (const SummaryCell& cell : cells)
            texts << cell.text;
        table.rows.push_back(texts);
    }
    return table;
}

QString summaryText(const std::vector<RecordingSummary>& rows, const QString& folder) {
    const SummaryGrid grid = summaryGrid(rows, folder);
    std::vector<qsizetype> widths(static_cast<std::size_t>(grid.header.size()));
    for (std::size_t c = 0; c < widths.size(); ++c) {
        widths[c] = grid.header[static_cast<qsizetype>(c)].size();
        for (const std::vector<SummaryCell>& row : grid.rows)
            widths[c] = std::max(widths[c], row[c].text.size());
    }
    auto line = [&widths](const std::vector<SummaryCell>& cells) {
        QString out;
        for (std::size_t c = 0; c < widths.size(); ++c) {
            const QString& t = cells[c].text;
            out += cells[c].quantity ? t.rightJustified(widths[c]) : t.leftJustified(widths[c]);
            out += QStringLiteral("  ");
        }
        while (out.endsWith(u' '))
            out.chop(1);
        return out + u'\n';
    };
    std::vector<SummaryCell> header;
    for (const QString& caption : grid.header)
        header.push_back({caption, {}});
    QString text = line(header);
    for (const std::vector<SummaryCell>& row : grid.rows)
        text += line(row);
    return text + summaryCounts(rows) + u'\n';
}

QString summaryCounts(const std::vector<RecordingSummary>& rows) {
    int count[3] = {};
    for (const RecordingSummary& row : rows)
        ++count[static_cast<int>(row.state)];
    return QStringLiteral("Файлов: %1 (целых: %2, повреждённых: %3, не читается: %4)")
        .arg(rows.size())
        .arg(count[static_cast<int>(FileState::Intact)])
        .arg(count[static_cast<int>(FileState::Damaged)])
        .arg(count[static_cast<int>(FileState::Unreadable)]);
}

} // namespace zurval
