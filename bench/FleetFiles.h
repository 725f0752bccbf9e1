#pragma once

#include "SampleRecording.h"
#include "core/common/Cp1251.h"
#include "core/recorder/FileMap.h"

#include <QDate>
#include <QDir>
#include <QString>

namespace zurval::bench {

// count readings of count / readingsPerCrane cranes, each a variant of the sample recording (about
// 270 KB): its own crane and recorder number, motor hours growing by ten hours a month, a reading
// date a month after the one before. first: the number of the first reading, for a fleet
// written in parts.
inline bool writeFleet(const QString& folder, int count, int readingsPerCrane = 10, int first = 0) {
    const RecordingBuilder sample = makeSampleRecording();
    for (int i = first; i < first + count; ++i) {
        const int crane = i / readingsPerCrane;
        const int month = i % readingsPerCrane;
        RecordingBuilder b = sample;
        QByteArray recorder = toCp1251(QStringLiteral("РП%1").arg(crane, 5, 10, QChar('0')));
        recorder.resize(bankmap::kRecorderNumberWidth, '\0');
        for (const std::size_t bank : {filemap::kBank0, filemap::kBank1}) {
            b.u16le(bank + bankmap::kCraneNumber, static_cast<std::uint16_t>(1000 + crane));
            b.raw(bank + bankmap::kRecorderNumber, {recorder.begin(), recorder.end()});
            b.u24le(bank + bankmap::kMotorMinutes,
                    static_cast<std::uint32_t>(500000 + 600 * month));
        }
        b.fixBankChecksums().fixImageSum();
        b.operatorBlock(QStringLiteral("Сидоренко А. В."), QStringLiteral("УК-0417/23"),
                        QStringLiteral("ООО «Кранмонтажсервис»"),
                        QDate(2025, 1, 15).addMonths(month).toString(QStringLiteral("dd.MM.yyyy")));
        const QString craneFolder =
            QStringLiteral("%1/кран %2").arg(folder).arg(crane, 3, 10, QChar('0'));
        if (!QDir().mkpath(craneFolder) ||
            !b.write(QStringLiteral("%1/считывание %2.vrl").arg(craneFolder).arg(month)))
            return false;
    }
    return true;
}

} // namespace zurval::bench
