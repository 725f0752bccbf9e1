#include "core/archive/FleetArchive.h"

#include "core/archive/ArchiveDatabase.h"
#include "core/archive/ArchiveRecording.h"
#include "core/frames/RecordTexts.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QRandomGenerator>
#include <QSet>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QThread>
#include <algorithm>
#include <cmath>
#include <exception>
#include <limits>
#include <map>
#include <tuple>
#include <variant>

namespace zurval {

struct FleetArchive::Private {
    ArchiveLocation location;
    QString shown;
};

namespace {

// A transaction that another program held up (a lock held too long, a deadlock the server
// ended) is tried again this often, a little later each time.
constexpr int kAttempts = 8;
constexpr std::size_t kRingEntry = 9; // overload_ring: the fingerprint and the intact byte
constexpr int kOverloadRowsPerInsert = 100;

// A forward-only statement with its values bound in order; false and *error when it fails.
bool exec(QSqlQuery& q, const QString& sql, const QVariantList& values, QString* error) {
    q.setForwardOnly(true);
    if (!q.prepare(sql)) {
        *error = sqlErrorText(q.lastError());
        return false;
    }
    for (const QVariant& v : values)
        q.addBindValue(v);
    if (!q.exec()) {
        *error = sqlErrorText(q.lastError());
        return false;
    }
    return true;
}

// Opens a connection to what FleetArchive::open() found to be an archive of the newest schema,
// making sure it still is.
bool connect(ArchiveConnection& c, QString* error) {
    if (!c.open(error))
        return false;
    const std::optional<ArchiveInspection> found = inspectArchive(c, error);
    if (!found)
        return false;
    if (found->contents != ArchiveContents::Ours || found->schemaVersion != kArchiveSchemaVersion) {
        *error = QStringLiteral("the archive is gone or was changed by another program");
        return false;
    }
    return true;
}

QVariant dateValue(const QDate& d) {
    return d.isValid() ? QVariant(d.toString(Qt::ISODate))
                       : QVariant(QMetaType::fromType<QString>());
}

// The archive writes its dates as YYYY-MM-DD; read digit by digit, they take a fraction of
// what the general parser takes, which counts with 20,000 readings listed.
QDate dateOf(const QVariant& v) {
    if (v.isNull())
        return {};
    const QString t = v.toString();
    if (t.size() != 10 || t[4] != u'-' || t[7] != u'-')
        return QDate::fromString(t, Qt::ISODate);
    auto number = [&t](int from, int count) {
        int n = 0;
        for (int k = from; k < from + count; ++k) {
            const int digit = t[k].unicode() - u'0';
            if (digit < 0 || digit > 9)
                return -1;
            n = 10 * n + digit;
        }
        return n;
    };
    return QDate(number(0, 4), number(5, 2), number(8, 2));
}

// A number that is none (NaN, an infinity) is stored as missing, never as a value nor a
// failed statement.
QVariant finiteOrNull(double v) {
    return std::isfinite(v) ? QVariant(v) : QVariant(QMetaType::fromType<double>());
}

// A YYYY-MM-DD column as the Julian day number, which the database computes faster than
// the program reads a text (NULL for none).
QString julianDay(const QString& column, bool server) {
    return server ? QStringLiteral("(%1::date - DATE '2000-01-01' + 2451545)").arg(column)
                  : QStringLiteral("CAST(julianday(%1) + 0.5 AS INTEGER)").arg(column);
}

std::optional<double> numberOf(const QVariant& v) {
    if (v.isNull())
        return std::nullopt;
    return v.toDouble();
}

QString sourceName(ReadingDateSource s) {
    switch (s) {
    case ReadingDateSource::OperatorBlock:
        return QStringLiteral("operator");
    case ReadingDateSource::NewestFrame:
        return QStringLiteral("frame");
    case ReadingDateSource::None:
        break;
    }
    return QStringLiteral("none");
}

ReadingDateSource sourceNamed(const QString& name) {
    if (name == QLatin1String("operator"))
        return ReadingDateSource::OperatorBlock;
    if (name == QLatin1String("frame"))
        return ReadingDateSource::NewestFrame;
    return ReadingDateSource::None;
}

bool craneKeyLess(const CraneKey& a, const CraneKey& b) {
    return std::tie(a.craneModel, a.craneNumber, a.recorderNumber) <
           std::tie(b.craneModel, b.craneNumber, b.recorderNumber);
}

CraneKey craneKeyOf(const ArchiveReading& r) {
    return {r.craneModel, r.craneNumber, r.recorderNumber};
}

QByteArray ringBytes(const std::vector<ArchivedOverload>& ring) {
    QByteArray bytes;
    bytes.reserve(static_cast<qsizetype>(ring.size() * kRingEntry));
    for (const ArchivedOverload& o : ring) {
        for (int k = 0; k < 8; ++k)
            bytes.append(static_cast<char>(o.fingerprint >> (8 * k)));
        bytes.append(o.intact ? '\1' : '\0');
    }
    return bytes;
}

std::vector<ArchivedOverload> ringOf(const QByteArray& bytes) {
    const ByteReader r(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                       static_cast<std::size_t>(bytes.size()));
    std::vector<ArchivedOverload> ring;
    for (std::size_t off = 0; off + kRingEntry <= r.size(); off += kRingEntry) {
        ArchivedOverload o;
        o.fingerprint = r.u64le(off);
        o.loadPercent = static_cast<int>((o.fingerprint >> 32) & 0xFF);
        o.intact = r.u8(off + 8) != 0;
        ring.push_back(o);
    }
    return ring;
}

// Readings in time: by date, those without one last, then by motor hours, then in the
// order they were added.
auto chronological(const QDate& date, std::uint32_t motorMinutes, long long id) {
    return std::make_tuple(!date.isValid(), date.toJulianDay(), motorMinutes, id);
}
bool earlier(const StoredReading& a, const StoredReading& b) {
    return chronological(a.readingDate, a.motorMinutes, a.id) <
           chronological(b.readingDate, b.motorMinutes, b.id);
}
bool craneBefore(const CraneKey& a, const CraneKey& b) {
    return craneKeyLess(a, b);
}

const QString kReadingColumns = QStringLiteral(
    "r.id, c.crane_model, c.crane_number, c.recorder_number, r.path, r.reading_date, "
    "r.reading_date_source, r.reading_date_typed, r.operator_name, r.date_installed, "
    "r.motor_minutes, r.characteristic_number, r.group_normative, r.group_current, r.class_u, "
    "r.load_spectrum_factor, r.class_q, r.normative_characteristic_number, "
    "r.new_heavy_overloads, r.image_sha256, r.recording_kept");

StoredReading storedReading(const QSqlQuery& q) {
    auto v = [&q](int k) { return q.value(k); };
    StoredReading s;
    s.id = v(0).toLongLong();
    s.crane = {v(1).toString(), v(2).toInt(), v(3).toString()};
    s.path = v(4).toString();
    s.readingDate = dateOf(v(5));
    s.readingDateSource = sourceNamed(v(6).toString());
    s.readingDateTyped = v(7).toString();
    s.operatorName = v(8).toString();
    s.dateInstalled = dateOf(v(9));
    s.motorMinutes = static_cast<std::uint32_t>(v(10).toLongLong());
    s.characteristicNumber = numberOf(v(11));
    s.normativeGroup = v(12).toInt();
    s.duty.groupA = v(13).toInt();
    s.duty.classU = v(14).toInt();
    s.duty.loadSpectrumFactor =
        v(15).isNull() ? std::numeric_limits<float>::quiet_NaN() : v(15).toFloat();
    s.duty.classQ = v(16).toInt();
    s.duty.normativeCharacteristicNumber = v(17).toInt();
    if (!v(18).isNull())
        s.newHeavyOverloads = v(18).toInt();
    s.imageSha256 = v(19).toString().toLatin1();
    s.recordingKept = v(20).toInt() != 0;
    return s;
}

} // namespace

// Writes readings for one run of adding. What it remembers of the archive (crane keys,
// the overload records of each recorder) only ever grows in the archive, so it stays true
// across transactions, unless the one that taught it was rolled back.
struct ArchiveAdding::Writing {
    explicit Writing(const ArchiveLocation& location) : c(location, true) {}

    // The batch in one transaction, tried again when another program held it up; added[i]
    // tells whether batch[i] was new.
    bool write(const std::vector<ArchiveReading>& batch, std::vector<bool>& added, QString* error) {
        for (int attempt = 1;; ++attempt) {
            added.assign(batch.size(), false);
            craneReadings.clear();
            bool written = c.begin(error);
            for (std::size_t i = 0; written && i < batch.size(); ++i) {
                bool isNew = false;
                written = writeOne(batch[i], isNew, error);
                added[i] = isNew;
            }
            for (QSqlQuery& q : prepared)
                q.finish(); // no statement is left reading at the commit
            if (written && c.commit(error))
                return true;
            c.rollback();
            // A statement of a failed transaction can be freed once it is rolled back.
            prepared.clear();
            cranes.clear();
            fingerprints.clear();
            if (attempt == kAttempts || !c.transient(lastError))
                return false;
            QThread::msleep(
                static_cast<unsigned long>(25 * attempt + QRandomGenerator::global()->bounded(25)));
        }
    }

    bool writeOne(const ArchiveReading& r, bool& added, QString* error) {
        const CraneKey key = craneKeyOf(r);
        const std::optional<long long> crane = craneId(key, error);
        if (!crane)
            return false;
        QSqlQuery* q = nullptr;
        // The crane's row is locked until the commit, so that its readings are ordered by
        // one program at a time (SQLite locks the whole file).
        if (c.server() && !craneReadings.count(*crane) &&
            !run(QStringLiteral("SELECT id FROM cranes WHERE id = ? FOR UPDATE"), {*crane}, error))
            return false;
        QVariantList values = {*crane,
                               QString::fromLatin1(r.imageSha256),
                               r.path,
                               dateValue(r.readingDate),
                               sourceName(r.readingDateSource),
                               r.operatorBlock.readingDate,
                               r.operatorBlock.name,
                               r.operatorBlock.certificate,
                               r.operatorBlock.organisation,
                               dateValue(r.dateInstalled),
                               static_cast<qlonglong>(r.motorMinutes)};
        for (const std::int32_t s : r.operatingSeconds)
            values << static_cast<qlonglong>(s);
        for (const std::uint32_t n : r.workingCycles)
            values << static_cast<qlonglong>(n);
        values << (r.characteristicNumber ? QVariant(*r.characteristicNumber)
                                          : QVariant(QMetaType::fromType<double>()))
               << r.duty.normativeCharacteristicNumber << r.duty.classU
               << finiteOrNull(r.duty.loadSpectrumFactor) << r.duty.classQ << r.duty.groupA
               << r.normativeGroup << ringBytes(r.overloads) << 1;
        QStringList cycles;
        for (int k = 1; k <= kLoadRangeCount; ++k)
            cycles << QStringLiteral("cycles_%1").arg(k, 2, 10, QChar('0'));
        QString marks = QStringLiteral("?");
        for (qsizetype k = 1; k < values.size(); ++k)
            marks += QStringLiteral(", ?");
        if (!(q = run(QStringLiteral("INSERT INTO readings (crane_id, image_sha256, path, "
                                     "reading_date, reading_date_source, reading_date_typed, "
                                     "operator_name, operator_certificate, operator_organisation, "
                                     "date_installed, motor_minutes, seconds_ls, seconds_ln, "
                                     "seconds_r, seconds_s, seconds_ga, %1, characteristic_number, "
                                     "normative_characteristic_number, class_u, "
                                     "load_spectrum_factor, class_q, group_current, "
                                     "group_normative, overload_ring, recording_kept) VALUES (%2) "
                                     "ON CONFLICT (image_sha256) DO NOTHING RETURNING id")
                          .arg(cycles.join(QStringLiteral(", ")), marks),
                      values, error)))
            return false;
        if (!q->next())
            return true; // known already
        const long long id = q->value(0).toLongLong();
        q->finish();
        added = true;
        return insertRecording(id, r.packed, error) &&
               addOverloads(r.recorderNumber, r.overloads, error) &&
               placeInTime(*crane, id, r, error);
    }

    bool insertRecording(long long id, const QByteArray& packed, QString* error) {
        if (const std::optional<bool> sent = c.insertRecording(id, packed, &lastError)) {
            if (!*sent)
                *error = sqlErrorText(lastError);
            return *sent;
        }
        return run(QStringLiteral("INSERT INTO recordings (reading_id, packed) VALUES (?, ?)"),
                   {id, packed}, error) != nullptr;
    }

    // The statement prepared once for the whole run, its values bound and run; nullptr and
    // *error when it fails. Preparing each statement anew would cost a server two more
    // round trips each time.
    QSqlQuery* run(const QString& sql, const QVariantList& values, QString* error) {
        auto it = prepared.find(sql);
        if (it == prepared.end()) {
            QSqlQuery q(c.db());
            q.setForwardOnly(true);
            if (!q.prepare(sql)) {
                lastError = q.lastError();
                *error = sqlErrorText(lastError);
                return nullptr;
            }
            it = prepared.insert(sql, q);
        }
        QSqlQuery& q = *it;
        for (int k = 0; k < values.size(); ++k)
            q.bindValue(k, values[k]);
        if (q.exec())
            return &q;
        lastError = q.lastError();
        *error = sqlErrorText(lastError);
        return nullptr;
    }

    std::optional<long long> craneId(const CraneKey& key, QString* error) {
        const auto known = cranes.find(key);
        if (known != cranes.end())
            return known->second;
        QSqlQuery* q = nullptr;
        const QVariantList values = {key.craneModel, key.craneNumber, key.recorderNumber};
        if (!(q = run(
                  QStringLiteral("INSERT INTO cranes (crane_model, crane_number, recorder_number) "
                                 "VALUES (?, ?, ?) ON CONFLICT (crane_model, crane_number, "
                                 "recorder_number) DO NOTHING"),
                  values, error)) ||
            !(q = run(QStringLiteral("SELECT id FROM cranes WHERE crane_model = ? AND "
                                     "crane_number = ? AND recorder_number = ?"),
                      values, error)))
            return std::nullopt;
        if (!q->next()) {
            *error = QStringLiteral("a crane went missing");
            return std::nullopt;
        }
        const long long id = q->value(0).toLongLong();
        cranes.emplace(key, id);
        return id;
    }

    bool addOverloads(const QString& recorder, const std::vector<ArchivedOverload>& ring,
                      QString* error) {
        QSqlQuery* q = nullptr;
        if (!fingerprints.contains(recorder)) {
            if (!(q = run(
                      QStringLiteral("SELECT fingerprint FROM overloads WHERE recorder_number = ?"),
                      {recorder}, error)))
                return false;
            QSet<qint64>& known = fingerprints[recorder];
            while (q->next())
                known.insert(q->value(0).toLongLong());
        }
        QSet<qint64>& known = fingerprints[recorder];
        QVariantList values;
        int rows = 0;
        auto insert = [&] {
            if (rows == 0)
                return true;
            QStringList marks;
            for (int k = 0; k < rows; ++k)
                marks << QStringLiteral("(?, ?, ?, ?, ?, ?, ?)");
            const bool done =
                run(QStringLiteral(
                        "INSERT INTO overloads (recorder_number, fingerprint, load_percent, "
                        "radius, rated_load, overload_date, date_bytes) VALUES %1 "
                        "ON CONFLICT (recorder_number, fingerprint) DO NOTHING")
                        .arg(marks.join(QStringLiteral(", "))),
                    values, error) != nullptr;
            values.clear();
            rows = 0;
            return done;
        };
        auto hundredths = [](float v) { return std::round(v * 100.0) / 100.0; };
        for (const ArchivedOverload& o : ring) {
            const auto fingerprint = static_cast<qint64>(o.fingerprint);
            if (known.contains(fingerprint))
                continue;
            known.insert(fingerprint);
            values << recorder << fingerprint << o.loadPercent << hundredths(o.radius)
                   << hundredths(o.ratedLoad) << dateValue(calendarDate(o.date).value_or(QDate()))
                   << dateText(o.date);
            if (++rows == kOverloadRowsPerInsert && !insert())
                return false;
        }
        return insert();
    }

    // A reading of a crane as the transaction knows it, to put the next one in time.
    struct Placed {
        StoredReading reading; // id, date and motor minutes only
        std::vector<ArchivedOverload> ring;
    };

    // The new reading among the crane's readings in time: what it added to the one before
    // it and what the one after it added to it. The crane's readings are read once a
    // transaction, which holds the crane locked.
    bool placeInTime(long long crane, long long id, const ArchiveReading& reading, QString* error) {
        std::vector<Placed>* order = nullptr;
        if (const auto known = craneReadings.find(crane); known != craneReadings.end()) {
            order = &known->second;
            StoredReading added;
            added.id = id;
            added.readingDate = reading.readingDate;
            added.motorMinutes = reading.motorMinutes;
            order->push_back({added, reading.overloads});
        } else {
            QSqlQuery* q = run(QStringLiteral("SELECT id, reading_date, motor_minutes, "
                                              "overload_ring FROM readings WHERE crane_id = ?"),
                               {crane}, error);
            if (!q)
                return false;
            order = &craneReadings[crane];
            while (q->next()) {
                Placed p;
                p.reading.id = q->value(0).toLongLong();
                p.reading.readingDate = dateOf(q->value(1));
                p.reading.motorMinutes = static_cast<std::uint32_t>(q->value(2).toLongLong());
                p.ring = ringOf(q->value(3).toByteArray());
                order->push_back(std::move(p));
            }
        }
        std::sort(order->begin(), order->end(),
                  [](const Placed& a, const Placed& b) { return earlier(a.reading, b.reading); });
        const auto at = std::find_if(order->begin(), order->end(),
                                     [id](const Placed& p) { return p.reading.id == id; });
        if (at == order->end()) {
            *error = QStringLiteral("a reading went missing");
            return false;
        }
        auto setNewHeavy = [&](long long other, int count) {
            return run(QStringLiteral("UPDATE readings SET new_heavy_overloads = ? WHERE id = ?"),
                       {count, other}, error) != nullptr;
        };
        if (at != order->begin() &&
            !setNewHeavy(id, newHeavyOverloadCount(std::prev(at)->ring, reading.overloads)))
            return false;
        if (std::next(at) != order->end() &&
            !setNewHeavy(std::next(at)->reading.id,
                         newHeavyOverloadCount(reading.overloads, std::next(at)->ring)))
            return false;
        return true;
    }

    struct KeyLess {
        bool operator()(const CraneKey& a, const CraneKey& b) const { return craneKeyLess(a, b); }
    };

    ArchiveConnection c;
    QSqlError lastError;
    QHash<QString, QSqlQuery> prepared;
    std::map<CraneKey, long long, KeyLess> cranes;
    std::map<long long, std::vector<Placed>> craneReadings; // of this transaction
    QHash<QString, QSet<qint64>> fingerprints;
    std::vector<std::variant<std::monostate, ArchiveReading, RefusedRecording>> decoded;
};

namespace {

std::optional<std::vector<StoredReading>> selectReadings(const ArchiveLocation& location,
                                                         const QString& where,
                                                         const QVariantList& values,
                                                         QString* error) {
    QString ignored;
    if (error == nullptr)
        error = &ignored;
    ArchiveConnection c(location, false);
    if (!connect(c, error))
        return std::nullopt;
    QSqlQuery q(c.db());
    if (!exec(
            q,
            QStringLiteral("SELECT %1 FROM readings r JOIN cranes c ON c.id = r.crane_id WHERE %2")
                .arg(kReadingColumns, where),
            values, error))
        return std::nullopt;
    std::vector<StoredReading> readings;
    while (q.next())
        readings.push_back(storedReading(q));
    std::sort(readings.begin(), readings.end(), [](const StoredReading& a, const StoredReading& b) {
        if (!(a.crane == b.crane))
            return craneBefore(a.crane, b.crane);
        return earlier(a, b);
    });
    return readings;
}

} // namespace

FleetArchive::FleetArchive(std::unique_ptr<Private> d) : d_(std::move(d)) {}
FleetArchive::~FleetArchive() = default;

QString FleetArchive::defaultLocation() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/zurval/archive.sqlite");
}

std::unique_ptr<FleetArchive> FleetArchive::open(const QString& location, ArchiveAccess access,
                                                 ArchiveOpening* opening) {
    *opening = {};
    auto fail = [opening](ArchiveProblem problem, const QString& error) {
        opening->problem = problem;
        opening->error = error;
        return nullptr;
    };
    const QString fallback = defaultLocation();
    const std::optional<ArchiveLocation> parsed =
        parseArchiveLocation(location, fallback, &opening->error);
    if (!parsed)
        return fail(ArchiveProblem::CannotUse, opening->error);
    // The user's own archive is made where it belongs the first time something is added.
    const bool own = location.isEmpty();
    const bool mayCreate =
        access == ArchiveAccess::Create || (own && access == ArchiveAccess::Write);
    bool prepare = false; // the archive is to be made or brought up to date
    if (!parsed->server && !QFileInfo::exists(parsed->file)) {
        if (!mayCreate)
            return fail(ArchiveProblem::NoArchive, QStringLiteral("there is no such file"));
        const QString folder = QFileInfo(parsed->file).absolutePath();
        if (own && !QDir().mkpath(folder))
            return fail(ArchiveProblem::CannotUse,
                        QStringLiteral("cannot make the folder %1").arg(folder));
        prepare = true;
    } else {
        if (!parsed->server && !QFileInfo(parsed->file).isFile())
            return fail(ArchiveProblem::NotOurs, QStringLiteral("it is no file"));
        // Looked at read-only first: a database that is not an archive is left as it was.
        ArchiveConnection reader(*parsed, false);
        QString error;
        if (!reader.open(&error))
            return fail(ArchiveProblem::CannotUse, error);
        const std::optional<ArchiveInspection> found = inspectArchive(reader, &error);
        if (!found)
            return fail(ArchiveProblem::CannotUse, error);
        switch (found->contents) {
        case ArchiveContents::Foreign:
            return fail(ArchiveProblem::NotOurs,
                        QStringLiteral("it is no archive of this program: it holds the tables %1")
                            .arg(found->tables.join(QStringLiteral(", "))));
        case ArchiveContents::Nothing:
            if (!mayCreate)
                return fail(ArchiveProblem::NoArchive, QStringLiteral("it holds no archive"));
            prepare = true;
            break;
        case ArchiveContents::Ours:
            if (found->schemaVersion > kArchiveSchemaVersion)
                return fail(ArchiveProblem::NotOurs,
                            QStringLiteral("the archive has schema version %1; this program "
                                           "knows up to %2")
                                .arg(found->schemaVersion)
                                .arg(kArchiveSchemaVersion));
            if (found->schemaVersion < kArchiveSchemaVersion) {
                if (access == ArchiveAccess::Read)
                    return fail(ArchiveProblem::Outdated,
                                QStringLiteral("the archive has the older schema version %1; "
                                               "the next adding brings it up to date")
                                    .arg(found->schemaVersion));
                prepare = true;
            }
            break;
        }
    }
    if (prepare) {
        ArchiveConnection writer(*parsed, true);
        QString error;
        if (!writer.open(&error) || !prepareArchive(writer, &opening->created, &error))
            return fail(ArchiveProblem::CannotUse, error);
    }
    auto d = std::make_unique<Private>();
    d->location = *parsed;
    d->shown = withoutPassword(own ? fallback : location);
    return std::unique_ptr<FleetArchive>(new FleetArchive(std::move(d)));
}

const QString& FleetArchive::location() const {
    return d_->shown;
}

AddResult FleetArchive::add(const QStringList& paths, int threads) const {
    ArchiveAdding adding(*this, paths, threads);
    adding.run();
    return adding.result();
}

std::optional<std::vector<FleetRow>> FleetArchive::fleet(QString* error) const {
    QString ignored;
    if (error == nullptr)
        error = &ignored;
    ArchiveConnection c(d_->location, false);
    if (!connect(c, error) || !c.beginSnapshot(error))
        return std::nullopt;
    QSqlQuery q(c.db());
    std::map<long long, FleetRow> rows; // by the crane's id
    if (!exec(q,
              QStringLiteral("SELECT id, crane_model, crane_number, recorder_number FROM cranes"),
              {}, error))
        return std::nullopt;
    while (q.next()) {
        FleetRow row;
        row.crane = {q.value(1).toString(), q.value(2).toInt(), q.value(3).toString()};
        rows.emplace(q.value(0).toLongLong(), std::move(row));
    }
    // Every reading's date and number, for the counts, the newest and the forecasts.
    // Small, as 20,000 of them are sorted.
    struct Point {
        long long id;
        long long crane;
        QDate date;
        std::uint32_t motorMinutes;
        std::optional<double> number;
        QDate installed;
        [[nodiscard]] auto order() const {
            return std::make_tuple(crane, chronological(date, motorMinutes, id));
        }
    };
    if (!exec(q,
              QStringLiteral("SELECT id, crane_id, %1, motor_minutes, characteristic_number, %2 "
                             "FROM readings")
                  .arg(julianDay(QStringLiteral("reading_date"), c.server()),
                       julianDay(QStringLiteral("date_installed"), c.server())),
              {}, error))
        return std::nullopt;
    auto day = [](const QVariant& v) {
        return v.isNull() ? QDate() : QDate::fromJulianDay(v.toLongLong());
    };
    std::vector<Point> points;
    while (q.next())
        points.push_back({q.value(0).toLongLong(), q.value(1).toLongLong(), day(q.value(2)),
                          static_cast<std::uint32_t>(q.value(3).toLongLong()), numberOf(q.value(4)),
                          day(q.value(5))});
    std::sort(points.begin(), points.end(),
              [](const Point& a, const Point& b) { return a.order() < b.order(); });
    std::map<long long, long long> newest; // the newest dated reading's id, by crane
    std::map<long long, std::vector<ForecastPoint>> series; // by crane
    for (auto p = points.begin(); p != points.end();) {
        const auto end = std::find_if(p, points.end(),
                                      [p](const Point& other) { return other.crane != p->crane; });
        const auto row = rows.find(p->crane);
        if (row != rows.end()) {
            std::vector<ForecastPoint>& numbers = series[p->crane];
            FleetRow& r = row->second;
            QDate installed, installedUndated;
            for (auto k = p; k != end; ++k) {
                numbers.push_back({k->date, k->number});
                if (k->date.isValid()) {
                    newest[p->crane] = k->id;
                    if (k->installed.isValid())
                        installed = k->installed;
                } else if (k->installed.isValid()) {
                    installedUndated = k->installed;
                }
            }
            r.readingCount = static_cast<int>(numbers.size());
            r.dateInstalled = installed.isValid() ? installed : installedUndated;
        }
        p = end;
    }
    if (!newest.empty()) {
        QStringList ids;
        for (const auto& [crane, id] : newest)
            ids << QString::number(id);
        if (!exec(q,
                  QStringLiteral("SELECT %1, r.crane_id FROM readings r JOIN cranes c ON "
                                 "c.id = r.crane_id WHERE r.id IN (%2)")
                      .arg(kReadingColumns, ids.join(u',')),
                  {}, error))
            return std::nullopt;
        while (q.next()) {
            const auto row = rows.find(q.value(21).toLongLong());
            if (row != rows.end())
                row->second.last = storedReading(q);
        }
    }
    q.finish();
    if (!c.commit(error))
        return std::nullopt;

    std::vector<FleetRow> fleet;
    fleet.reserve(rows.size());
    for (auto& [id, row] : rows) {
        if (row.readingCount == 0)
            continue;
        // Undated readings never give the row its values nor its forecast.
        if (row.last)
            row.forecast = forecastExamination(series[id], row.dateInstalled,
                                               row.last->duty.normativeCharacteristicNumber);
        fleet.push_back(std::move(row));
    }
    std::sort(fleet.begin(), fleet.end(),
              [](const FleetRow& a, const FleetRow& b) { return craneBefore(a.crane, b.crane); });
    return fleet;
}

std::optional<std::vector<StoredReading>> FleetArchive::readings(const CraneKey& crane,
                                                                 QString* error) const {
    return selectReadings(
        d_->location,
        QStringLiteral("c.crane_model = ? AND c.crane_number = ? AND c.recorder_number = ?"),
        {crane.craneModel, crane.craneNumber, crane.recorderNumber}, error);
}

std::optional<std::vector<StoredReading>>
FleetArchive::recorderReadings(const QString& recorderNumber, QString* error) const {
    return selectReadings(d_->location, QStringLiteral("c.recorder_number = ?"),
                          {recorderNumber.trimmed()}, error);
}

std::optional<QByteArray> FleetArchive::recording(const QByteArray& sha256, QString* error,
                                                  QString* keptPath) const {
    const QByteArray wanted = sha256.toLower();
    ArchiveConnection c(d_->location, false);
    if (!connect(c, error))
        return std::nullopt;
    QSqlQuery q(c.db());
    if (!exec(q,
              QStringLiteral("SELECT r.path, s.packed FROM readings r LEFT JOIN recordings s ON "
                             "s.reading_id = r.id WHERE r.image_sha256 = ?"),
              {QString::fromLatin1(wanted)}, error))
        return std::nullopt;
    if (!q.next()) {
        *error = QStringLiteral("the archive holds no reading %1").arg(QString::fromLatin1(wanted));
        return std::nullopt;
    }
    if (q.value(1).isNull()) {
        if (keptPath)
            *keptPath = q.value(0).toString();
        *error = QStringLiteral("the archive keeps only the path of that reading: %1")
                     .arg(q.value(0).toString());
        return std::nullopt;
    }
    std::optional<QByteArray> bytes = unpackRecording(q.value(1).toByteArray());
    if (!bytes || imageSha256(*bytes) != wanted) {
        *error = QStringLiteral("the recording kept for that reading is damaged");
        return std::nullopt;
    }
    return bytes;
}

ArchiveAdding::ArchiveAdding(const FleetArchive& archive, QStringList paths, int threads)
    : FleetJob(std::move(paths), threads), archive_(archive) {}

ArchiveAdding::~ArchiveAdding() = default;

bool ArchiveAdding::begin(const std::vector<FoundRecording>& files) {
    writing_ = std::make_unique<Writing>(archive_.d_->location);
    if (!connect(writing_->c, &result_.error))
        return false;
    writing_->decoded.assign(files.size(), std::monostate{});
    return true;
}

void ArchiveAdding::read(std::size_t index, const FoundRecording& file,
                         RecorderDocument& document) {
    auto& decoded = writing_->decoded[index];
    try {
        std::visit([&decoded](auto&& r) { decoded = std::move(r); },
                   readForArchive(file, document));
    } catch (const std::exception& e) {
        decoded = RefusedRecording{file.path, QString::fromLocal8Bit(e.what())};
    }
}

bool ArchiveAdding::take(const std::vector<std::size_t>& indices) {
    std::vector<ArchiveReading> batch;
    for (const std::size_t i : indices) {
        auto& decoded = writing_->decoded[i];
        if (auto* refused = std::get_if<RefusedRecording>(&decoded))
            result_.refused.push_back(std::move(*refused));
        else if (auto* reading = std::get_if<ArchiveReading>(&decoded))
            batch.push_back(std::move(*reading));
        decoded = std::monostate{};
    }
    if (batch.empty())
        return true;
    // Each program locks the cranes of a transaction in the same order, so that two adding at
    // once wait for each other rather than deadlock.
    std::sort(batch.begin(), batch.end(), [](const ArchiveReading& a, const ArchiveReading& b) {
        return craneKeyLess(craneKeyOf(a), craneKeyOf(b));
    });
    std::vector<bool> added;
    if (!writing_->write(batch, added, &result_.error))
        return false;
    for (const bool isNew : added)
        ++(isNew ? result_.added : result_.known);
    return true;
}

void ArchiveAdding::end() {
    result_.cancelled = cancelled();
    std::sort(result_.refused.begin(), result_.refused.end(),
              [](const RefusedRecording& a, const RefusedRecording& b) { return a.path < b.path; });
    writing_.reset();
}

} // namespace zurval
