#include "core/export/FleetSummary.h"

#include "core/common/NumberFormat.h"
#include "core/document/OpenRecording.h"
#include "core/frames/RecordTexts.h"
#include "core/recorder/Checksums.h"
#include "core/recorder/FileMap.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QThread>
#include <QThreadPool>
#include <algorithm>
#include <cmath>
#include <exception>
#include <functional>
#include <memory>
#include <tuple>

namespace zurval {
namespace {

// The image and its stored sum: a file shorter than that was cut off.
constexpr std::size_t kShortestWholeFile = filemap::kStoredImageSum + 4;

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
        if (o.loadPercent > kHeavyOverloadPercent && o.intact)
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

// A reading date as the operator typed it: "12.03.2026", "12.03.26 14-05" (as the ВРЛ-3 read
// proposes it), "1.3.2026 9:05". whole: nothing else follows.
struct ReadingTime {
    QDate date;
    int hours = 0;
    int minutes = 0;
    bool timed = false;
    bool whole = false;
};

std::optional<ReadingTime> readingTime(const QString& text) {
    static const QRegularExpression date(QStringLiteral(
        R"(^\s*(\d{1,2})\.(\d{1,2})\.(\d{4}|\d{2})(?:\s+(\d{1,2})[-:.](\d{2}))?(\s*$)?)"));
    const QRegularExpressionMatch m = date.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    int year = m.captured(3).toInt();
    if (m.captured(3).size() == 2)
        year += 2000;
    const QDate day(year, m.captured(2).toInt(), m.captured(1).toInt());
    if (!day.isValid())
        return std::nullopt;
    return ReadingTime{day, m.captured(4).toInt(), m.captured(5).toInt(), m.hasCaptured(4),
                       m.hasCaptured(6)};
}

// A number that grows with time; nullopt when the operator typed something else.
std::optional<long long> readingTimeKey(const QString& text) {
    const std::optional<ReadingTime> t = readingTime(text);
    if (!t)
        return std::nullopt;
    return static_cast<long long>(t->date.toJulianDay()) * 10000 + t->hours * 100 + t->minutes;
}

// The reading date as a spreadsheet's date (and time) when that is all the operator typed,
// else the text as typed.
QString readingDateText(const QString& text, const SpreadsheetForm& form) {
    const std::optional<ReadingTime> t = readingTime(text);
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

std::uint64_t overloadFingerprint(const OverloadRecord& o) {
    auto hundredths = [](float v) {
        return static_cast<std::uint64_t>(
            static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(v * 100.0))));
    };
    const std::uint64_t dateBytes =
        std::uint64_t{o.date.day} << 16 | std::uint64_t{o.date.month} << 8 | o.date.year;
    return hundredths(o.radius) | hundredths(o.ratedLoad) << 16 |
           static_cast<std::uint64_t>(o.loadPercent & 0xFF) << 32 | dateBytes << 40;
}

std::optional<QDate> typedReadingDate(const QString& text) {
    const std::optional<ReadingTime> t = readingTime(text);
    return t ? std::optional(t->date) : std::nullopt;
}

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

QString danglingLinkProblem() {
    return QStringLiteral("ссылка никуда не ведёт");
}

std::vector<FoundRecording> findRecordings(const QString& folder) {
    std::vector<FoundRecording> found;
    QSet<QString> walkedFolders;
    QSet<QString> listedFiles;
    std::vector<QString> pending{QDir(folder).absolutePath()};
    while (!pending.empty()) {
        const QString path = pending.back();
        pending.pop_back();
        const QFileInfo info(path);
        const QString canonical = info.canonicalFilePath();
        if (canonical.isEmpty() || walkedFolders.contains(canonical))
            continue;
        walkedFolders.insert(canonical);
        if (!info.isReadable() || !info.isExecutable()) {
            found.push_back({path, QStringLiteral("папка не читается")});
            continue;
        }
        // System lists links that lead nowhere, pipes and devices too, so that a *.vrl
        // among them is reported rather than skipped.
        const QFileInfoList entries = QDir(path).entryInfoList(
            QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name);
        std::vector<QString> subfolders;
        for (const QFileInfo& entry : entries) {
            if (entry.isDir()) {
                subfolders.push_back(entry.absoluteFilePath());
                continue;
            }
            if (!entry.fileName().endsWith(QStringLiteral(".vrl"), Qt::CaseInsensitive))
                continue;
            if (!entry.exists()) {
                found.push_back({entry.absoluteFilePath(), danglingLinkProblem()});
            } else if (!entry.isFile()) {
                // Reading a pipe would wait for a writer for ever.
                found.push_back({entry.absoluteFilePath(), QStringLiteral("не обычный файл")});
            } else if (!listedFiles.contains(entry.canonicalFilePath())) {
                listedFiles.insert(entry.canonicalFilePath());
                found.push_back({entry.absoluteFilePath(), {}});
            }
        }
        // Walked in name order: the last pushed is taken first.
        pending.insert(pending.end(), subfolders.rbegin(), subfolders.rend());
    }
    return found;
}

RecordingSummary summarizeRecording(const FoundRecording& found, RecorderDocument& document) {
    RecordingSummary s;
    s.path = found.path;
    if (!found.problem.isEmpty()) {
        s.problems << found.problem;
        return s;
    }
    return summarizeRecording(found.path, readRecorderFile(found.path), document);
}

RecordingSummary summarizeRecording(const QString& path, const std::optional<RecorderFile>& file,
                                    RecorderDocument& document) {
    RecordingSummary s;
    s.path = path;
    if (!file) {
        s.problems << (QFileInfo(path).isReadable() ? QStringLiteral("файл не открывается")
                                                    : QStringLiteral("нет доступа"));
        return s;
    }
    if (file->bytes.empty()) {
        s.problems << QStringLiteral("пустой файл");
        return s;
    }
    const ByteReader r = file->reader();
    const QStringList bankFailures = failedBlockMessages(r, serviceBankBlocks());
    // A recorder keeps two banks of six blocks; a file in which not one of them holds is no
    // recording of it (a file of another kind named *.vrl).
    if (bankFailures.size() == static_cast<qsizetype>(serviceBankBlocks().size())) {
        s.problems << QStringLiteral("не запись регистратора: не сходится ни один блок банков");
        return s;
    }

    const OpenOutcome outcome = decodeRecording(*file, document);
    if (file->bytes.size() < kShortestWholeFile)
        s.problems << QStringLiteral("файл обрезан: %1 байт из %2")
                          .arg(file->bytes.size())
                          .arg(kShortestWholeFile);
    for (const OpenNotice& n : outcome.notices)
        if (const auto* image = std::get_if<notice::ImageChecked>(&n); image && !image->intact)
            s.problems << QStringLiteral("Ошибка контрольной суммы образа памяти!");
    s.problems << bankFailures;
    s.state = s.problems.isEmpty() ? FileState::Intact : FileState::Damaged;
    takeDecoded(document, s);
    return s;
}

int newOverloadCount(const std::vector<std::uint64_t>& earlier,
                     const std::vector<std::uint64_t>& later) {
    // The longest end of the earlier ring with which the later one begins.
    const std::size_t longest = std::min(earlier.size(), later.size());
    for (std::size_t overlap = longest; overlap > 0; --overlap) {
        if (std::equal(earlier.end() - static_cast<std::ptrdiff_t>(overlap), earlier.end(),
                       later.begin()))
            return static_cast<int>(later.size() - overlap);
    }
    return static_cast<int>(later.size());
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

void FleetReading::run(int threads) {
    const std::vector<FoundRecording> files = findRecordings(folder_);
    const int count = static_cast<int>(files.size());
    rows_.assign(files.size(), {});
    total_ = count;
    if (threads <= 0)
        threads = QThread::idealThreadCount();
    threads = std::clamp(threads, 1, std::max(count, 1));

    std::atomic<int> next{0};
    auto work = [&] {
        // A document is several megabytes: one per worker, overwritten file by file.
        const auto document = std::make_unique<RecorderDocument>();
        for (int i = next++; i < count && !cancelled_; i = next++) {
            try {
                rows_[i] = summarizeRecording(files[i], *document);
            } catch (const std::exception& e) {
                rows_[i].path = files[i].path;
                rows_[i].problems = QStringList{QString::fromLocal8Bit(e.what())};
            }
            ++done_;
        }
    };
    QThreadPool pool;
    pool.setMaxThreadCount(threads - 1 > 0 ? threads - 1 : 1);
    for (int t = 1; t < threads; ++t)
        pool.start(work);
    work(); // the calling thread is one of the workers
    pool.waitForDone();
    if (!cancelled_)
        orderAndCompare(rows_);
}

std::vector<RecordingSummary> summarizeFolder(const QString& folder, int threads) {
    FleetReading reading(folder);
    reading.run(threads);
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
