#include "core/archive/ArchiveReading.h"

#include "core/frames/RecordTexts.h"
#include "core/recorder/FileMap.h"

#include <QCryptographicHash>
#include <QStringList>

namespace zurval {
namespace {

// The recorder's memory and its stored sum: the same memory read twice is one reading,
// whatever the operator typed afterwards.
QByteArray imageHash(const RecorderFile& file) {
    const std::size_t length = std::min(file.bytes.size(), filemap::kStoredImageSum + 4);
    return QCryptographicHash::hash(QByteArrayView(reinterpret_cast<const char*>(file.bytes.data()),
                                                   static_cast<qsizetype>(length)),
                                    QCryptographicHash::Sha256)
        .toHex();
}

void takeReadingDate(const RecordingSummary& summary, ArchiveReading& a) {
    if (const std::optional<QDate> typed = typedReadingDate(summary.readingDate)) {
        a.readingDate = *typed;
        a.readingDateSource = ReadingDateSource::OperatorBlock;
        return;
    }
    const CycleFrame& newest = summary.newestFrame;
    if (newest.decoded && newest.dated) {
        if (const std::optional<QDate> date = calendarDate(newest.date)) {
            a.readingDate = *date;
            a.readingDateSource = ReadingDateSource::NewestFrame;
        }
    }
}

} // namespace

std::variant<ArchiveReading, RefusedRecording> readForArchive(const FoundRecording& found,
                                                              RecorderDocument& document) {
    if (!found.problem.isEmpty())
        return RefusedRecording{found.path, found.problem};
    const std::optional<RecorderFile> file = readRecorderFile(found.path);
    const RecordingSummary summary = summarizeRecording(found.path, file, document);
    if (summary.state != FileState::Intact)
        return RefusedRecording{found.path, summary.problems.join(QStringLiteral("; "))};

    ArchiveReading a;
    a.path = found.path;
    a.imageSha256 = imageHash(*file);
    a.craneModel = summary.craneModel;
    a.craneNumber = summary.craneNumber;
    a.recorderNumber = summary.recorderNumber;
    takeReadingDate(summary, a);
    a.operatorBlock = document.operatorBlock;
    const ServiceInfo& service = document.service;
    a.dateInstalled = calendarDate(service.selected.dateInstalled).value_or(QDate());
    a.motorMinutes = service.motorMinutes;
    a.operatingSeconds = service.operatingSeconds;
    a.workingCycles = service.workingCycles;
    a.characteristicNumber = document.characteristicNumber;
    a.normativeGroup = service.normativeGroup;
    a.duty = document.duty;
    for (const OverloadRecord& o : *document.cyclic.overloadList)
        if (o.loadPercent != 0)
            a.overloads.push_back(
                {overloadFingerprint(o), o.loadPercent, o.radius, o.ratedLoad, o.date, o.intact});
    return a;
}

int newHeavyOverloadCount(const std::vector<ArchivedOverload>& earlier,
                          const std::vector<ArchivedOverload>& later) {
    auto fingerprints = [](const std::vector<ArchivedOverload>& ring) {
        std::vector<std::uint64_t> f;
        f.reserve(ring.size());
        for (const ArchivedOverload& o : ring)
            f.push_back(o.fingerprint);
        return f;
    };
    const int added = newOverloadCount(fingerprints(earlier), fingerprints(later));
    return static_cast<int>(std::count_if(later.end() - added, later.end(), [](const auto& o) {
        return o.intact && o.loadPercent > kHeavyOverloadPercent;
    }));
}

} // namespace zurval
