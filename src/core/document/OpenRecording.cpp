#include "core/document/OpenRecording.h"

#include "core/recorder/Opening.h"

namespace zurval {

const QString kCannotOpenMessage = QStringLiteral("\n Файл не удальсь открыть!");

void RecorderDocument::clearDecoded() {
    // Every decoded value but the crane dimensions; a new field belongs here too.
    recorderVersion = 0;
    characteristicNumber = 0;
    operatorBlock = {};
    service = {};
    duty = {};
    craneParameters.clear();
    protection = {};
    cyclic.frameList->fill({});
    cyclic.frameSelection->clear();
    cyclic.overloadList->fill({});
    cyclic.overloadSelection->clear();
    cyclic.framePointer = {};
    overloads = {};
}

QString versionPanelText(int recorderVersion) {
    return QStringLiteral("Версия ЦРО: %1").arg(recorderVersion);
}

OpenOutcome openRecording(const QString& path, RecorderDocument& document) {
    OpenOutcome failed;
    const std::optional<RecorderFile> file = readRecorderFile(path, &failed.problem);
    if (!file)
        return failed;
    return decodeRecording(*file, document);
}

OpenOutcome decodeRecording(const RecorderFile& file, RecorderDocument& document) {
    OpenOutcome outcome;
    outcome.opened = true;
    auto tell = [&outcome](OpenNotice n) { outcome.notices.push_back(std::move(n)); };
    const ByteReader r = file.reader();

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

    decodeCyclicAreas(r, document.recorderVersion, document.cyclic);

    CraneParameters parameters = decodeCraneParameters(r, document.recorderVersion);
    for (const QString& message : parameters.messages)
        tell(notice::Message{message});
    document.craneParameters = std::move(parameters.sections);
    if (parameters.dimensions)
        document.craneDimensions = *parameters.dimensions;

    document.protection = decodeProtection(r, document.recorderVersion);
    for (const QString& message : document.protection.messages)
        tell(notice::Message{message});

    document.duty = classifyDuty(document.service.workingCycles, document.characteristicNumber,
                                 document.service.normativeGroup);
    if (orderCyclicAreas(document.recorderVersion, document.cyclic))
        tell(notice::Message{QStringLiteral("Найдено несколько меток последней записи!")});
    document.overloads = overloadHighlights(*document.cyclic.overloadList);
    return outcome;
}

std::optional<SingleBank> readSingleBank(const QString& path, int bank) {
    const std::optional<RecorderFile> file = readRecorderFile(path);
    if (!file)
        return std::nullopt;
    return decodeSingleBank(file->reader(), bank);
}

} // namespace zurval
