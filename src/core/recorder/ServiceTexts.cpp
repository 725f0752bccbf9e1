#include "core/recorder/ServiceTexts.h"

#include "core/common/NumberFormat.h"

namespace zurval {
namespace {

constexpr char16_t kHexDigits[] = u"0123456789ABCDEF";

// Three bytes as two hexadecimal digits each, joined by the separator.
QString threeBytes(std::uint8_t a, std::uint8_t b, std::uint8_t c, char16_t separator) {
    QString text(8, Qt::Uninitialized);
    QChar* out = text.data();
    const std::uint8_t bytes[] = {a, b, c};
    for (int k = 0; k < 3; ++k) {
        out[3 * k] = QChar(kHexDigits[bytes[k] >> 4]);
        out[3 * k + 1] = QChar(kHexDigits[bytes[k] & 0x0F]);
        if (k < 2)
            out[3 * k + 2] = QChar(separator);
    }
    return text;
}

// The fields that the open command and the bank commands show alike.
ServicePageTexts bankTexts(const ServiceBankValues& b, const RemovalDates& removal) {
    ServicePageTexts t;
    t.craneModel = b.craneModel;
    t.craneNumber = QString::number(b.craneNumber);
    t.craneType = QStringLiteral("Башенный");
    t.jib = b.jibKind == 0 ? QStringLiteral("Балочная") : QStringLiteral("Маховая");
    t.craneYear = QString::number(b.craneYear);
    t.programVersion = QStringLiteral("%1.%2").arg(int{b.programMajor}).arg(int{b.programMinor});
    t.recorderNumber = b.recorderNumber;
    t.dateInstalled = dateText(b.dateInstalled);
    t.dateParamsChanged = dateText(b.dateParamsChanged);
    t.dateSetupLast = dateText(b.dateSetupLast);
    t.dateSetupBefore = dateText(b.dateSetupBefore);
    t.normativeGroup = groupText(int{b.normativeGroup} + 1);
    t.characteristicNumber = formatPattern(b.characteristicNumber, "#0.00");
    for (int k = 0; k < kOperatingTimeCount; ++k)
        t.operatingTimes[k] = formatOperatingTime(b.operatingSeconds[k]);
    t.motorHours = formatMotorHours(b.motorMinutes);
    for (int k = 0; k < kLoadRangeCount; ++k) {
        t.workingCycles[k] = QString::number(b.workingCycles[k]);
        t.relativeCycles[k] = QString::number(b.relativeCycles[k]);
    }
    for (std::size_t k = 0; k < removal.size(); ++k)
        t.removalDates[k] = dateText(removal[k]);
    return t;
}

QString hoursMinutesSeconds(long long seconds) {
    const long long hours = seconds / 3600;
    const long long minutes = seconds / 60 - hours * 60;
    return QStringLiteral("%1:%2:%3")
        .arg(hours)
        .arg(minutes, 2, 10, QChar('0'))
        .arg(seconds % 60, 2, 10, QChar('0'));
}

} // namespace

QString dateText(const RecorderDate& d) {
    return threeBytes(d.day, d.month, d.year, u'.');
}

QString timeText(const RecorderTime& t) {
    return threeBytes(t.hours, t.minutes, t.seconds, u':');
}

ServicePageTexts servicePageTexts(const ServiceInfo& info) {
    ServicePageTexts t = bankTexts(info.selected, info.removalDates);
    t.programVersion += QStringLiteral(".%1").arg(info.recorderVersion);
    t.characteristicNumber = formatPattern(info.characteristicNumber, "#0.00");
    for (int k = 0; k < kLoadRangeCount; ++k) {
        t.workingCycles[k] = QString::number(info.workingCycles[k]);
        t.relativeCycles[k] = QString::number(info.relativeCycles[k]);
    }
    return t;
}

ServicePageTexts servicePageTexts(const SingleBank& bank) {
    return bankTexts(bank.values, bank.removalDates);
}

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

QString liftedMassText(const ServiceInfo& info) {
    return formatPattern(info.selected.liftedMassHundredths / 100.0, "#0.00") +
           QStringLiteral(" т.");
}

// A negative time (a corrupt field) keeps one sign in front of the whole duration rather
// than a sign on each part.
QString formatOperatingTime(std::int32_t seconds) {
    const long long s = seconds;
    return s < 0 ? QStringLiteral("-") + hoursMinutesSeconds(-s) : hoursMinutesSeconds(s);
}

QString formatMotorHours(std::uint32_t minutes) {
    return QStringLiteral("%1:%2:00").arg(minutes / 60).arg(minutes % 60, 2, 10, QChar('0'));
}

DutyTexts dutyTexts(const DutyClassification& d) {
    return {QString::number(d.normativeCharacteristicNumber), QStringLiteral("U%1").arg(d.classU),
            formatPattern(d.loadSpectrumFactor, "#0.000"), QStringLiteral("Q%1").arg(d.classQ),
            groupText(d.groupA)};
}

QString groupText(int group) {
    return QStringLiteral("A%1").arg(group);
}

} // namespace zurval
