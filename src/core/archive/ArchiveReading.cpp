#include "core/archive/ArchiveReading.h"

#include "core/archive/ArchiveRecording.h"
#include "core/fleet/ReadingHistory.h"
#include "core/frames/RecordTexts.h"
#include "core/recorder/FileMap.h"
#include "core/recorder/ServiceBank.h"

#include <algorithm>
#include <cmath>

namespace zurval {
namespace {

void takeReadingDate(const RecorderDocument& document, ArchiveReading& a) {
    if (const auto typed = typedReadingTime(document.operatorBlock.readingDate)) {
        a.readingDate = typed->date;
        a.readingDateSource = ReadingDateSource::OperatorBlock;
        return;
    }
    const CycleFrame& newest = document.cyclic.frameList->back();
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
    CheckedRecording checked = checkRecording(found, document);
    if (checked.state != FileState::Intact)
        return RefusedRecording{found.path, checked.problems.join(QStringLiteral("; "))};
    const RecorderFile& file = *checked.file;
    QByteArray bytes(reinterpret_cast<const char*>(file.bytes.data()),
                     static_cast<qsizetype>(file.bytes.size()));
    // The map ends before the file does: keep the file whole all the same.
    if (file.fileSize > file.bytes.size()) {
        QString error;
        std::optional<QByteArray> whole = readWholeFile(found.path, &error);
        if (!whole)
            return RefusedRecording{found.path, error};
        bytes = std::move(*whole);
    }

    ArchiveReading a;
    a.path = found.path;
    a.imageSha256 = imageSha256(bytes);
    a.packed = packRecording(bytes);
    const ServiceBankValues& bank = document.service.selected;
    a.craneModel = bank.craneModel.trimmed();
    a.craneNumber = bank.craneNumber;
    a.recorderNumber = bank.recorderNumber.trimmed();
    a.dateInstalled = calendarDate(bank.dateInstalled).value_or(QDate());
    takeReadingDate(document, a);
    a.operatorBlock = document.operatorBlock;
    const ServiceInfo& service = document.service;
    a.motorMinutes = service.motorMinutes;
    a.operatingSeconds = service.operatingSeconds;
    a.workingCycles = service.workingCycles;
    const double number = document.characteristicNumber;
    if (std::isfinite(number) && number >= 0)
        a.characteristicNumber = number;
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
        return isHeavyOverload(o.loadPercent, o.intact);
    }));
}

} // namespace zurval
