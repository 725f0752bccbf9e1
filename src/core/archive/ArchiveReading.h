#pragma once

#include "core/document/RecorderDocument.h"
#include "core/fleet/FleetFiles.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <variant>
#include <vector>

namespace zurval {

// Where a reading's date comes from: the operator's "Дата считывания" when it begins with a
// valid date, else the newest frame's date, else none.
enum class ReadingDateSource { OperatorBlock, NewestFrame, None };

// An overload record as the archive keeps it: once per recorder, however many readings
// repeat it. fingerprint is what stays the same from one reading to the next.
struct ArchivedOverload {
    std::uint64_t fingerprint = 0;
    int loadPercent = 0;
    float radius = 0;    // m
    float ratedLoad = 0; // t
    RecorderDate date;
    bool intact = false; // in this reading
};

// What one intact recording gives the archive: the values of the decoded recording.
struct ArchiveReading {
    QString path;
    QByteArray imageSha256; // of the memory and its stored sum, hexadecimal
    QByteArray packed;      // the whole file, compressed

    QString craneModel;     // of the bank shown
    int craneNumber = 0;    // as the bank holds it
    QString recorderNumber; // of the bank shown
    QDate readingDate;      // invalid when source is None
    ReadingDateSource readingDateSource = ReadingDateSource::None;
    OperatorBlock operatorBlock; // the reading date as the operator typed it included
    QDate dateInstalled;         // of the bank shown; invalid when it is no date

    std::uint32_t motorMinutes = 0;                                   // of the bank shown
    std::array<std::int32_t, kOperatingTimeCount> operatingSeconds{}; // Edit_TimeLS .. GA
    std::array<std::uint32_t, kLoadRangeCount> workingCycles{};
    // None when the recording's is no number, infinite or below zero.
    std::optional<double> characteristicNumber;
    int normativeGroup = 1;  // the n of An
    DutyClassification duty; // current group, classes, normative number

    std::vector<ArchivedOverload> overloads; // the non-empty records, oldest first
};

// Why a file is not taken: the problems the check of a file tells.
struct RefusedRecording {
    QString path;
    QString reason;
};

// Reads and decodes one file in a document the caller keeps. A damaged or unreadable file is
// refused with its reason.
[[nodiscard]] std::variant<ArchiveReading, RefusedRecording>
readForArchive(const FoundRecording& found, RecorderDocument& document);

// How many of the overloads above 125 % that later holds are not in earlier (intact ones
// only, as the summary counts them).
[[nodiscard]] int newHeavyOverloadCount(const std::vector<ArchivedOverload>& earlier,
                                        const std::vector<ArchivedOverload>& later);

} // namespace zurval
