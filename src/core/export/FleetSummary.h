#pragma once

#include "core/document/RecorderDocument.h"
#include "core/export/Csv.h"
#include "core/fleet/FleetFiles.h"
#include "core/fleet/FleetJob.h"
#include "core/fleet/ReadingHistory.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace zurval {

// The summary of a folder: one row per recording, telling at a glance which crane wears fast,
// was overloaded or left a damaged file.

[[nodiscard]] QString fileStateText(FileState state);

// The load ranges above the rated moment: "100% < M < 110%" .. "125% < M ".
constexpr int kFirstRangeAbove100 = 10;
constexpr int kRangesAbove100 = kLoadRangeCount - kFirstRangeAbove100;

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

// Sorts by crane (model, number), then reading date, then motor hours; unreadable files
// last, by path. Then each reading of a recorder number gets its growth since the one
// before it in time.
void orderAndCompare(std::vector<RecordingSummary>& rows);

// The summary of one folder on every core.
class FleetReading : public FleetJob {
public:
    explicit FleetReading(QString folder, int threads = 0)
        : FleetJob({folder}, threads), folder_(std::move(folder)) {}

    [[nodiscard]] const QString& folder() const { return folder_; }
    // Ordered and compared once run() has returned uncancelled.
    [[nodiscard]] const std::vector<RecordingSummary>& rows() const { return rows_; }

private:
    bool begin(const std::vector<FoundRecording>& files) override;
    void read(std::size_t index, const FoundRecording& file, RecorderDocument& document) override;
    bool take(const std::vector<std::size_t>&) override { return true; }
    void end() override;

    QString folder_;
    std::vector<RecordingSummary> rows_;
};

[[nodiscard]] std::vector<RecordingSummary> summarizeFolder(const QString& folder, int threads = 0);

// The columns of the summary. A caption may hold a line break where the window wraps it;
// the CSV and the text table put a space there.
[[nodiscard]] const QStringList& summaryCaptions();

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
