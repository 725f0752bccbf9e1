#pragma once

#include "core/document/RecorderDocument.h"
#include "core/export/Csv.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <array>
#include <atomic>
#include <cstdint>
#include <optional>
#include <vector>

namespace zurval {

// A service company keeps every reading of every crane in folders; the summary reads them
// all and tells at a glance which crane wears fast, was overloaded or left a damaged file.

enum class FileState { Intact, Damaged, Unreadable };
[[nodiscard]] QString fileStateText(FileState state);

// A *.vrl found under the folder. problem tells why it cannot be read at all (a link that
// leads nowhere, no regular file, a folder that cannot be listed).
struct FoundRecording {
    QString path;
    QString problem;
};

// Every *.vrl (in any letter case) under folder and its subfolders. Links are followed, but
// each folder is walked once however many links lead to it, so link loops end, and a file
// reached by several paths is listed once. A folder that cannot be listed is listed itself,
// with its problem, so that nothing under it goes missing unnoticed.
[[nodiscard]] std::vector<FoundRecording> findRecordings(const QString& folder);
// The problem of a link that leads nowhere.
[[nodiscard]] QString danglingLinkProblem();

// The load ranges above the rated moment: "100% < M < 110%" .. "125% < M ".
constexpr int kFirstRangeAbove100 = 10;
constexpr int kRangesAbove100 = kLoadRangeCount - kFirstRangeAbove100;

// Overloads counted apart: above the highest load range's lower bound.
constexpr int kHeavyOverloadPercent = 125;

// What a reading added since the one before it of the same recorder.
struct ReadingGrowth {
    long long motorMinutes = 0;
    std::array<long long, kRangesAbove100> cyclesAbove100{};
    int newOverloads = 0;
};

// One file of the summary: what the open command made of it, as the pages show it.
struct RecordingSummary {
    QString path;
    FileState state = FileState::Unreadable;
    QStringList problems; // damaged: the checks that failed; unreadable: the reason

    QString craneModel;     // Edit_MarkaKr
    QString craneNumber;    // Edit_NKr
    QString recorderNumber; // Edit_NRP
    QString readingDate;    // Edit_DataSch, as the operator typed it
    QString normativeGroup; // Edit_GRKr
    DutyClassification duty;
    float characteristicNumber = 0;
    QString characteristicNumberText; // Edit_HarCh
    std::uint32_t motorMinutes = 0;   // of the bank shown
    std::array<std::uint32_t, kRangesAbove100> cyclesAbove100{};
    int overloadsAbove125 = 0;                     // intact records only
    std::optional<OverloadRecord> largestOverload; // the one Label_MaxM names
    CycleFrame newestFrame;                        // shown by its time and date
    // The non-empty overload records, oldest first, reduced to what stays the same from one
    // reading to the next (not the mark, which moves on with the newest record).
    std::vector<std::uint64_t> overloads;

    std::optional<ReadingGrowth> growth; // since the previous reading of the same recorder
};

// Reads and decodes one file with the open command, in a document the caller keeps.
[[nodiscard]] RecordingSummary summarizeRecording(const FoundRecording& found,
                                                  RecorderDocument& document);
// The same for a file the caller has read already (nullopt: it could not be read).
[[nodiscard]] RecordingSummary summarizeRecording(const QString& path,
                                                  const std::optional<RecorderFile>& file,
                                                  RecorderDocument& document);

// The 64 bits of an overload record that a later reading still shows the same: radius and
// rated load in hundredths, load percentage and the three date bytes.
[[nodiscard]] std::uint64_t overloadFingerprint(const OverloadRecord& o);

// The date a reading date as the operator typed it begins with ("12.03.2026",
// "01.03.26 14-05", "15.02.2026 утро"); nullopt when it begins with no valid date.
[[nodiscard]] std::optional<QDate> typedReadingDate(const QString& text);

// How many records of later are not in earlier: the later ring goes on where the earlier
// one ended, having lost its oldest records once full.
[[nodiscard]] int newOverloadCount(const std::vector<std::uint64_t>& earlier,
                                   const std::vector<std::uint64_t>& later);

// Sorts by crane (model, number), then reading date, then motor hours; unreadable files
// last, by path. Then each reading of a recorder number gets its growth since the one
// before it in time.
void orderAndCompare(std::vector<RecordingSummary>& rows);

// The summary of one folder on several threads: each worker takes the next file and keeps
// one document for all of its files. run() blocks; done() and cancel() may be called from
// other threads meanwhile.
class FleetReading {
public:
    explicit FleetReading(QString folder) : folder_(std::move(folder)) {}

    // 0 threads: as many as the machine has cores.
    void run(int threads = 0);
    void cancel() { cancelled_ = true; }
    [[nodiscard]] bool cancelled() const { return cancelled_; }
    [[nodiscard]] int done() const { return done_; }
    // -1 until the folder has been walked.
    [[nodiscard]] int total() const { return total_; }
    [[nodiscard]] const QString& folder() const { return folder_; }
    // Ordered and compared once run() has returned uncancelled.
    [[nodiscard]] const std::vector<RecordingSummary>& rows() const { return rows_; }

private:
    QString folder_;
    std::vector<RecordingSummary> rows_;
    std::atomic<bool> cancelled_{false};
    std::atomic<int> done_{0};
    std::atomic<int> total_{-1};
};

[[nodiscard]] std::vector<RecordingSummary> summarizeFolder(const QString& folder, int threads = 0);

// The columns of the summary. A caption may hold a line break where the window wraps it;
// the CSV and the text table put a space there.
[[nodiscard]] const QStringList& summaryCaptions();

// A cell's text and the value its column sorts by (numbers and dates as numbers; an invalid
// value for an empty cell).
struct SummaryCell {
    QString text;
    QVariant sortKey;
    bool quantity = false; // a count, number or duration, lined up on the right
};
// Paths are told relative to folder. With a spreadsheet form, the texts of dates and of
// numbers with decimals are in that form; the sort keys stay.
[[nodiscard]] std::vector<SummaryCell> summaryCells(const RecordingSummary& row,
                                                    const QString& folder,
                                                    const SpreadsheetForm* spreadsheet = nullptr);
// The cells in the style's spreadsheet form: reading dates the operator typed as a date (and
// time) alone are dates with four-digit years, other texts stay as typed.
[[nodiscard]] CsvTable summaryTable(const std::vector<RecordingSummary>& rows,
                                    const QString& folder, CsvStyle style = CsvStyle::Comma);
// The table in aligned columns (quantities on the right), then the counts line.
[[nodiscard]] QString summaryText(const std::vector<RecordingSummary>& rows, const QString& folder);
// "Файлов: 12 (целых: 9, повреждённых: 2, не прочитано: 1)"
[[nodiscard]] QString summaryCounts(const std::vector<RecordingSummary>& rows);

} // namespace zurval
