#include "OpenRecording.h"

#include "Opening.h"

namespace zurval {

const QString kCannotOpenMessage = QStringLiteral("\n Файл не удальсь открыть!");

void RecorderDocument::clearDecoded() {
    const CraneDimensions kept = craneDimensions;
    *this = RecorderDocument();
    craneDimensions = kept;
}

QString versionPanelText(int recorderVersion) {
    return QStringLiteral("Версия ЦРО: %1").arg(recorderVersion);
}

OpenOutcome openRecording(const QString& path, RecorderDocument& document) {
    OpenOutcome outcome;
    const std::optional<RecorderFile> file = readRecorderFile(path);
    if (!file)
        return outcome;
    outcome.opened = true;
    auto tell = [&outcome](OpenNotice n) { outcome.notices.push_back(std::move(n)); };
    const ByteReader r = file->reader();

    const OpeningChecks checks = runOpeningChecks(r);
    tell(notice::ImageChecked{checks.imageIntact});
    document.recorderVersion = checks.versionEstimate;
    tell(notice::VersionShown{document.recorderVersion});
    for (const QString& message : checks.bankMessages)
        tell(notice::Message{message});

    document.service = decodeServiceAfterLoad(r);
    tell(notice::BankChosen{document.service.selectedBank});
    document.operatorBlock = checks.operatorBlock;
    document.recorderVersion = document.service.recorderVersion;
    tell(notice::VersionShown{document.recorderVersion});
    document.characteristicNumber = document.service.characteristicNumber;

    CraneParameters parameters = decodeCraneParameters(r, document.recorderVersion);
    for (const QString& message : parameters.messages)
        tell(notice::Message{message});
    document.craneParameterListing = std::move(parameters.listing);
    if (parameters.dimensions)
        document.craneDimensions = *parameters.dimensions;

    document.protection = decodeProtection(r, document.recorderVersion);
    for (const QString& message : document.protection.messages)
        tell(notice::Message{message});

    document.duty = classifyDuty(document.service.workingCycles, document.characteristicNumber,
                                 document.service.normativeGroup);
    return outcome;
}

bool showSingleBank(const QString& path, int bank, RecorderDocument& document) {
    const std::optional<RecorderFile> file = readRecorderFile(path);
    if (!file)
        return false;
    document.service.texts = decodeSingleBank(file->reader(), bank);
    return true;
}

} // namespace zurval
