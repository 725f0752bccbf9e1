#include "core/document/ShownTexts.h"

#include "core/document/RecorderDocument.h"

namespace zurval {

ServicePageTexts clearedServiceTexts() {
    const QString unknown = QStringLiteral("Неизвестно");
    const QString noDate = QStringLiteral("00.00.00");
    const QString noTime = QStringLiteral("00000:00:00");
    ServicePageTexts t;
    t.craneModel = unknown;
    t.craneNumber = QStringLiteral("0000000");
    t.jib = unknown;
    t.craneYear = QStringLiteral("0000");
    t.craneType = QStringLiteral("0");
    t.recorderNumber = QStringLiteral("000000");
    t.programVersion = QStringLiteral("XXXX-XXXX");
    t.dateInstalled = t.dateParamsChanged = t.dateSetupLast = t.dateSetupBefore = noDate;
    t.removalDates.fill(noDate);
    t.motorHours = noTime;
    t.operatingTimes.fill(noTime);
    t.normativeGroup = QStringLiteral("A1");
    t.characteristicNumber = QStringLiteral("00001");
    t.workingCycles.fill(QStringLiteral("0"));
    t.workingCycles[0] = QStringLiteral("1");
    t.relativeCycles.fill(QStringLiteral("0"));
    return t;
}

void ShownTexts::clear() {
    operatorTexts = {QStringLiteral("Неизвестно"), QStringLiteral("00000000"),
                     QStringLiteral("Неизвестна"), QStringLiteral("00.00.00")};
    service = clearedServiceTexts();
    // The normative characteristic number, the lifted mass and the overload lines stay: only
    // opening a file computes them.
    duty.classU = QStringLiteral("U1");
    duty.loadSpectrumFactor = QStringLiteral("0");
    duty.classQ = QStringLiteral("Q1");
    duty.groupA = QStringLiteral("A1");
    listing.clear();
    protection = clearedProtectionPage();
    shownFrame = QStringLiteral("0");
}

void ShownTexts::show(const RecorderDocument& document) {
    operatorTexts = document.operatorBlock;
    service = document.service.texts;
    liftedMass = document.service.liftedMass;
    duty = dutyTexts(document.duty);
    overloads = document.overloadSummary;
    listing = document.craneParameterListing;
    protection = document.protection.page;
    // The protection view starts at the oldest frame.
    shownFrame = QStringLiteral("0");
}

} // namespace zurval
