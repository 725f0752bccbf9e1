#pragma once

#include "core/recorder/ServiceBank.h"

#include <QString>
#include <QStringList>

namespace zurval::testing {

// The tables an archive had before it carried its mark, as the first version made them.
inline QStringList firstSchema(bool server) {
    const QString id = server ? "BIGSERIAL PRIMARY KEY" : "INTEGER PRIMARY KEY";
    const QString bytes = server ? "BYTEA" : "BLOB";
    QString cycles;
    for (int k = 1; k <= kLoadRangeCount; ++k)
        cycles += QStringLiteral("cycles_%1 BIGINT NOT NULL, ").arg(k, 2, 10, QChar('0'));
    return {
        "CREATE TABLE schema_version (version INTEGER NOT NULL)",
        "INSERT INTO schema_version (version) VALUES (1)",
        QStringLiteral("CREATE TABLE cranes (id %1, crane_model TEXT NOT NULL, crane_number TEXT "
                       "NOT NULL, recorder_number TEXT NOT NULL, last_reading_id BIGINT, "
                       "UNIQUE (crane_model, crane_number, recorder_number))")
            .arg(id),
        QStringLiteral("CREATE TABLE readings (id %1, crane_id BIGINT NOT NULL REFERENCES cranes "
                       "(id), image_sha256 TEXT NOT NULL UNIQUE, path TEXT NOT NULL, "
                       "reading_date TEXT, reading_date_source TEXT NOT NULL, reading_date_typed "
                       "TEXT NOT NULL, operator_name TEXT NOT NULL, operator_certificate TEXT NOT "
                       "NULL, operator_organisation TEXT NOT NULL, date_installed TEXT, "
                       "motor_minutes BIGINT NOT NULL, seconds_ls BIGINT NOT NULL, seconds_ln "
                       "BIGINT NOT NULL, seconds_r BIGINT NOT NULL, seconds_s BIGINT NOT NULL, "
                       "seconds_ga BIGINT NOT NULL, %2characteristic_number DOUBLE PRECISION NOT "
                       "NULL, normative_characteristic_number INTEGER NOT NULL, class_u INTEGER "
                       "NOT NULL, load_spectrum_factor DOUBLE PRECISION NOT NULL, class_q INTEGER "
                       "NOT NULL, group_current INTEGER NOT NULL, group_normative INTEGER NOT "
                       "NULL, overload_ring %3 NOT NULL, new_heavy_overloads INTEGER)")
            .arg(id, cycles, bytes),
        "CREATE INDEX readings_by_crane ON readings (crane_id)",
        QStringLiteral("CREATE TABLE overloads (id %1, recorder_number TEXT NOT NULL, fingerprint "
                       "BIGINT NOT NULL, load_percent INTEGER NOT NULL, radius DOUBLE PRECISION "
                       "NOT NULL, rated_load DOUBLE PRECISION NOT NULL, overload_date TEXT, "
                       "date_bytes TEXT NOT NULL, UNIQUE (recorder_number, fingerprint))")
            .arg(id),
        "INSERT INTO cranes (crane_model, crane_number, recorder_number, last_reading_id) VALUES "
        "('КБ-403', '101', 'РП-0001', 2)",
    };
}

// A reading as the first version stored it.
inline QString firstReading(int id, const QString& sha256, const QString& path, const QString& date,
                            const QString& number) {
    QString cycles;
    for (int k = 1; k <= kLoadRangeCount; ++k)
        cycles += QStringLiteral("0, ");
    return QStringLiteral("INSERT INTO readings VALUES (%1, 1, '%2', '%3', '%4', 'operator', '', "
                          "'Оператор', '', '', NULL, %5, 0, 0, 0, 0, 0, %6%7, 63000, 0, 0, 1, 4, "
                          "4, '', NULL)")
        .arg(id)
        .arg(sha256, path, date)
        .arg(id * 1000)
        .arg(cycles)
        .arg(number);
}

} // namespace zurval::testing
