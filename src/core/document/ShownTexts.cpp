#include "core/document/ShownTexts.h"

#include "core/document/RecorderDocument.h"

namespace zurval {

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
    service = servicePageTexts(document.service);
    liftedMass = liftedMassText(document.service);
    duty = dutyTexts(document.duty);
    overloads = overloadSummary(document.overloads);
    listing = parameterListing(document.craneParameters);
    protection = protectionPageTexts(document.protection);
    // The protection view starts at the oldest frame.
    shownFrame = QStringLiteral("0");
}

} // namespace zurval
