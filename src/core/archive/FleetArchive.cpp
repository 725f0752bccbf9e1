#include "core/archive/FleetArchive.h"

#include "core/archive/ArchiveDatabase.h"
#include "core/frames/RecordTexts.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QRandomGenerator>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QThread>
#include <QThreadPool>
#include <algorithm>
#include <cmath>
#include <condition_variable>
#include <deque>
#include <exception>
#include <map>
#include <mutex>
#include <tuple>

namespace zurval {

struct FleetArchive::Private {
    ArchiveLocation location;
    QString shown;
};

namespace {

constexpr int kBatchReadings = 64;    // readings written in one transaction
constexpr int kWaitingReadings = 256; // decoded readings the writer may fall behind by
// A transaction that fails (another program holds the lock too long, or the server chose
// it to end a deadlock) is tried again this often, a little later each time.
constexpr int kAttempts = 8;
constexpr std::size_t kRingEntry = 9; // overload_ring: the fingerprint and the intact byte
constexpr int kOverloadRowsPerInsert = 100;

QString sqlError(const QSqlQuery& q) {
    return q.lastError().text().trimmed();
}

// A forward-only statement with its values bound in order; false and *error when it fails.
bool exec(QSqlQuery& q, const QString& sql, const QVariantList& values, QString* error) {
    q.setForwardOnly(true);
    if (!q.prepare(sql)) {
        *error = sqlError(q);
        return false;
    }
    for (const QVariant& v : values)
        q.addBindValue(v);
    if (!q.exec()) {
        *error = sqlError(q);
        return false;
    }
    return true;
}

QVariant dateValue(const QDate& d) {
    return d.isValid() ? QVariant(d.toString(Qt::ISODate))
                       : QVariant(QMetaType::fromType<QString>());
}

QDate dateOf(const QVariant& v) {
    return QDate::fromString(v.toString(), Qt::ISODate);
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
    return {r.craneModel.trimmed(), r.craneNumber.trimmed(), r.recorderNumber.trimmed()};
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
// Cranes by model, then number (as a number where it is one), then recorder.
bool craneBefore(const CraneKey& a, const CraneKey& b) {
    return std::make_tuple(a.craneModel, a.craneNumber.toInt(), a.craneNumber, a.recorderNumber) <
           std::make_tuple(b.craneModel, b.craneNumber.toInt(), b.craneNumber, b.recorderNumber);
}

const QString kReadingColumns = QStringLiteral(
    "r.id, c.crane_model, c.crane_number, c.recorder_number, r.path, r.reading_date, "
    "r.reading_date_source, r.reading_date_typed, r.operator_name, r.date_installed, "
    "r.motor_minutes, r.characteristic_number, r.group_normative, r.group_current, r.class_u, "
    "r.load_spectrum_factor, r.class_q, r.normative_characteristic_number, "
    "r.new_heavy_overloads");

StoredReading storedReading(const QSqlQuery& q) {
    auto v = [&q](int k) { return q.value(k); };
    StoredReading s;
    s.id = v(0).toLongLong();
    s.crane = {v(1).toString(), v(2).toString(), v(3).toString()};
    s.path = v(4).toString();
    s.readingDate = dateOf(v(5));
    s.readingDateSource = sourceNamed(v(6).toString());
    s.readingDateTyped = v(7).toString();
    s.operatorName = v(8).toString();
    s.dateInstalled = dateOf(v(9));
    s.motorMinutes = static_cast<std::uint32_t>(v(10).toLongLong());
    s.characteristicNumber = v(11).toDouble();
    s.normativeGroup = v(12).toInt();
    s.duty.groupA = v(13).toInt();
    s.duty.classU = v(14).toInt();
    s.duty.loadSpectrumFactor = v(15).toFloat();
    s.duty.classQ = v(16).toInt();
    s.duty.normativeCharacteristicNumber = v(17).toInt();
    if (!v(18).isNull())
        s.newHeavyOverloads = v(18).toInt();
    return s;
}

// Writes readings for one run of adding. What it remembers of the archive (crane keys,
// the overload records of each recorder) only ever grows in the archive, so it stays true
// across transactions, unless the one that taught it was rolled back.
class ReadingWriter {
public:
    explicit ReadingWriter(ArchiveConnection& connection) : c_(connection) {}

    // The batch in one transaction, tried again when it fails; added[i] tells whether
    // batch[i] was new.
    bool write(const std::vector<ArchiveReading>& batch, std::vector<bool>& added, QString* error) {
        for (int attempt = 1;; ++attempt) {
            added.assign(batch.size(), false);
            bool written = c_.begin(error);
            for (std::size_t i = 0; written && i < batch.size(); ++i) {
                bool isNew = false;
                written = writeOne(batch[i], isNew, error);
                added[i] = isNew;
            }
            if (written && c_.commit(error))
                return true;
            c_.rollback();
            cranes_.clear();
            fingerprints_.clear();
            if (attempt == kAttempts)
                return false;
            QThread::msleep(
                static_cast<unsigned long>(25 * attempt + QRandomGenerator::global()->bounded(25)));
        }
    }

private:
    bool writeOne(const ArchiveReading& r, bool& added, QString* error) {
        const CraneKey key = craneKeyOf(r);
        const std::optional<long long> crane = craneId(key, error);
        if (!crane)
            return false;
        QSqlQuery q(c_.db());
        // The crane's row is locked until the commit, so that its readings are ordered by
        // one program at a time.
        if (!exec(q,
                  QStringLiteral("UPDATE cranes SET last_reading_id = last_reading_id "
                                 "WHERE id = ?"),
                  {*crane}, error))
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
        values << static_cast<double>(r.characteristicNumber)
               << r.duty.normativeCharacteristicNumber << r.duty.classU
               << static_cast<double>(r.duty.loadSpectrumFactor) << r.duty.classQ << r.duty.groupA
               << r.normativeGroup << ringBytes(r.overloads);
        QStringList cycles;
        for (int k = 1; k <= kLoadRangeCount; ++k)
            cycles << QStringLiteral("cycles_%1").arg(k, 2, 10, QChar('0'));
        QString marks = QStringLiteral("?");
        for (qsizetype k = 1; k < values.size(); ++k)
            marks += QStringLiteral(", ?");
        if (!exec(q,
                  QStringLiteral("INSERT INTO readings (crane_id, image_sha256, path, "
                                 "reading_date, reading_date_source, reading_date_typed, "
                                 "operator_name, operator_certificate, operator_organisation, "
                                 "date_installed, motor_minutes, seconds_ls, seconds_ln, "
                                 "seconds_r, seconds_s, seconds_ga, %1, characteristic_number, "
                                 "normative_characteristic_number, class_u, "
                                 "load_spectrum_factor, class_q, group_current, "
                                 "group_normative, overload_ring) VALUES (%2) "
                                 "ON CONFLICT (image_sha256) DO NOTHING RETURNING id")
                      .arg(cycles.join(QStringLiteral(", ")), marks),
                  values, error))
            return false;
        if (!q.next())
            return true; // known
        const long long id = q.value(0).toLongLong();
        q.finish();
        added = true;
        return storeOverloads(key.recorderNumber, r.overloads, error) &&
               placeInTime(*crane, id, r.overloads, error);
    }

    std::optional<long long> craneId(const CraneKey& key, QString* error) {
        const auto known = cranes_.find(key);
        if (known != cranes_.end())
            return known->second;
        const QVariantList values = {key.craneModel, key.craneNumber, key.recorderNumber};
        QSqlQuery q(c_.db());
        if (!exec(q,
                  QStringLiteral("INSERT INTO cranes (crane_model, crane_number, recorder_number) "
                                 "VALUES (?, ?, ?) ON CONFLICT DO NOTHING"),
                  values, error) ||
            !exec(q,
                  QStringLiteral("SELECT id FROM cranes WHERE crane_model = ? AND "
                                 "crane_number = ? AND recorder_number = ?"),
                  values, error))
            return std::nullopt;
        if (!q.next()) {
            *error = QStringLiteral("the crane's row went missing");
            return std::nullopt;
        }
        const long long id = q.value(0).toLongLong();
        cranes_[key] = id;
        return id;
    }

    // The records this recorder's archive does not hold yet.
    bool storeOverloads(const QString& recorder, const std::vector<ArchivedOverload>& ring,
                        QString* error) {
        QSqlQuery q(c_.db());
        if (!fingerprints_.contains(recorder)) {
            if (!exec(q,
                      QStringLiteral("SELECT fingerprint FROM overloads WHERE recorder_number = ?"),
                      {recorder}, error))
                return false;
            QSet<qint64>& known = fingerprints_[recorder];
            while (q.next())
                known.insert(q.value(0).toLongLong());
        }
        QSet<qint64>& known = fingerprints_[recorder];
        QVariantList values;
        int rows = 0;
        auto insert = [&] {
            if (rows == 0)
                return true;
            QStringList marks;
            for (int k = 0; k < rows; ++k)
                marks << QStringLiteral("(?, ?, ?, ?, ?, ?, ?)");
            const bool done = exec(
                q,
                QStringLiteral("INSERT INTO overloads (recorder_number, fingerprint, load_percent, "
                               "radius, rated_load, overload_date, date_bytes) VALUES %1 "
                               "ON CONFLICT (recorder_number, fingerprint) DO NOTHING")
                    .arg(marks.join(QStringLiteral(", "))),
                values, error);
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

    // The new reading among the crane's readings in time: what it added to the one before
    // it, what the one after it added to it, and which is the newest.
    bool placeInTime(long long crane, long long id, const std::vector<ArchivedOverload>& ring,
                     QString* error) {
        QSqlQuery q(c_.db());
        if (!exec(q,
                  QStringLiteral(
                      "SELECT id, reading_date, motor_minutes FROM readings WHERE crane_id = ?"),
                  {crane}, error))
            return false;
        std::vector<StoredReading> order;
        while (q.next()) {
            StoredReading s;
            s.id = q.value(0).toLongLong();
            s.readingDate = dateOf(q.value(1));
            s.motorMinutes = static_cast<std::uint32_t>(q.value(2).toLongLong());
            order.push_back(s);
        }
        std::sort(order.begin(), order.end(), earlier);
        const auto at = std::find_if(order.begin(), order.end(),
                                     [id](const StoredReading& s) { return s.id == id; });
        if (at == order.end()) {
            *error = QStringLiteral("a reading went missing");
            return false;
        }
        auto ringOfReading =
            [&](long long reading) -> std::optional<std::vector<ArchivedOverload>> {
            if (!exec(q, QStringLiteral("SELECT overload_ring FROM readings WHERE id = ?"),
                      {reading}, error))
                return std::nullopt;
            if (!q.next()) {
                *error = QStringLiteral("a reading went missing");
                return std::nullopt;
            }
            return ringOf(q.value(0).toByteArray());
        };
        auto setNewHeavy = [&](long long reading, int count) {
            return exec(q,
                        QStringLiteral("UPDATE readings SET new_heavy_overloads = ? WHERE id = ?"),
                        {count, reading}, error);
        };
        if (at != order.begin()) {
            const auto before = ringOfReading(std::prev(at)->id);
            if (!before || !setNewHeavy(id, newHeavyOverloadCount(*before, ring)))
                return false;
        }
        if (std::next(at) != order.end()) {
            const auto after = ringOfReading(std::next(at)->id);
            if (!after || !setNewHeavy(std::next(at)->id, newHeavyOverloadCount(ring, *after)))
                return false;
        }
        return exec(q, QStringLiteral("UPDATE cranes SET last_reading_id = ? WHERE id = ?"),
                    {order.back().id, crane}, error);
    }

    struct KeyLess {
        bool operator()(const CraneKey& a, const CraneKey& b) const { return craneKeyLess(a, b); }
    };

    ArchiveConnection& c_;
    std::map<CraneKey, long long, KeyLess> cranes_;
    QHash<QString, QSet<qint64>> fingerprints_;
};

std::optional<std::vector<StoredReading>> selectReadings(const ArchiveLocation& location,
                                                         const QString& where,
                                                         const QVariantList& values,
                                                         QString* error) {
    QString ignored;
    if (error == nullptr)
        error = &ignored;
    ArchiveConnection c(location);
    if (!c.open(error))
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

std::unique_ptr<FleetArchive> FleetArchive::open(const QString& location, QString* error) {
    const QString fallback = defaultLocation();
    const std::optional<ArchiveLocation> parsed = parseArchiveLocation(location, fallback, error);
    if (!parsed)
        return nullptr;
    if (location.isEmpty() && !QDir().mkpath(QFileInfo(fallback).absolutePath())) {
        *error =
            QStringLiteral("cannot make the folder %1").arg(QFileInfo(fallback).absolutePath());
        return nullptr;
    }
    {
        ArchiveConnection c(*parsed);
        if (!c.open(error) || !upgradeArchiveSchema(c, archiveSchemaSteps(), error))
            return nullptr;
    }
    auto d = std::make_unique<Private>();
    d->location = *parsed;
    d->shown = location.isEmpty() ? fallback : location;
    return std::unique_ptr<FleetArchive>(new FleetArchive(std::move(d)));
}

const QString& FleetArchive::location() const {
    return d_->shown;
}

AddResult FleetArchive::add(const QStringList& paths, int threads) const {
    ArchiveAdding adding(*this, paths);
    adding.run(threads);
    return adding.result();
}

std::optional<std::vector<FleetRow>> FleetArchive::fleet(QString* error) const {
    QString ignored;
    if (error == nullptr)
        error = &ignored;
    ArchiveConnection c(d_->location);
    if (!c.open(error) || !c.beginSnapshot(error))
        return std::nullopt;
    QSqlQuery q(c.db());
    if (!exec(q,
              QStringLiteral("SELECT %1 FROM cranes c JOIN readings r ON r.id = c.last_reading_id")
                  .arg(kReadingColumns),
              {}, error))
        return std::nullopt;
    std::map<long long, FleetRow> rows; // by the newest reading's id
    while (q.next()) {
        const StoredReading last = storedReading(q);
        rows[last.id] = FleetRow{last.crane, last, 0, {}};
    }
    // Every reading's date and number, for the counts and the forecasts.
    struct Point {
        StoredReading reading; // id, date and motor minutes only
        double number;
        long long crane;
    };
    if (!exec(q,
              QStringLiteral("SELECT r.id, r.reading_date, r.motor_minutes, "
                             "r.characteristic_number, c.last_reading_id "
                             "FROM readings r JOIN cranes c ON c.id = r.crane_id"),
              {}, error))
        return std::nullopt;
    std::vector<Point> points;
    while (q.next()) {
        Point p;
        p.reading.id = q.value(0).toLongLong();
        p.reading.readingDate = dateOf(q.value(1));
        p.reading.motorMinutes = static_cast<std::uint32_t>(q.value(2).toLongLong());
        p.number = q.value(3).toDouble();
        p.crane = q.value(4).toLongLong();
        points.push_back(p);
    }
    q.finish();
    if (!c.commit(error))
        return std::nullopt;
    std::sort(points.begin(), points.end(), [](const Point& a, const Point& b) {
        return a.crane != b.crane ? a.crane < b.crane : earlier(a.reading, b.reading);
    });

    std::vector<FleetRow> fleet;
    fleet.reserve(rows.size());
    for (auto p = points.begin(); p != points.end();) {
        const auto end = std::find_if(p, points.end(),
                                      [p](const Point& other) { return other.crane != p->crane; });
        const auto row = rows.find(p->crane);
        if (row != rows.end()) {
            std::vector<ForecastPoint> series;
            for (auto k = p; k != end; ++k)
                series.push_back({k->reading.readingDate, k->number});
            FleetRow& r = row->second;
            r.readingCount = static_cast<int>(series.size());
            r.forecast = forecastExamination(series, r.last.dateInstalled,
                                             r.last.duty.normativeCharacteristicNumber);
            fleet.push_back(std::move(r));
        }
        p = end;
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

void ArchiveAdding::run(int threads) {
    std::vector<FoundRecording> files;
    QSet<QString> listed;
    auto take = [&](const FoundRecording& found) {
        const QString canonical = QFileInfo(found.path).canonicalFilePath();
        if (canonical.isEmpty() || !listed.contains(canonical)) {
            listed.insert(canonical);
            files.push_back(found);
        }
    };
    for (const QString& path : paths_) {
        const QFileInfo info(path);
        if (info.isDir()) {
            for (const FoundRecording& found : findRecordings(path))
                take(found);
        } else if (info.exists()) {
            take({info.absoluteFilePath(), {}});
        } else {
            take({info.absoluteFilePath(), info.isSymLink()
                                               ? danglingLinkProblem()
                                               : QStringLiteral("нет такого файла или папки")});
        }
    }
    const int count = static_cast<int>(files.size());
    total_ = count;

    ArchiveConnection connection(archive_.d_->location);
    if (!connection.open(&result_.error))
        return;
    if (threads <= 0)
        threads = QThread::idealThreadCount();
    threads = std::clamp(threads, 1, std::max(count, 1));

    using Decoded = std::variant<ArchiveReading, RefusedRecording>;
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<Decoded> waiting;
    int working = threads;
    bool stopped = false; // the writer gave up
    std::atomic<int> next{0};
    auto decode = [&] {
        // A document is several megabytes: one per worker, overwritten file by file.
        const auto document = std::make_unique<RecorderDocument>();
        for (int i = next++; i < count && !cancelled_; i = next++) {
            Decoded decoded = RefusedRecording{files[i].path, {}};
            try {
                decoded = readForArchive(files[i], *document);
            } catch (const std::exception& e) {
                decoded = RefusedRecording{files[i].path, QString::fromLocal8Bit(e.what())};
            }
            std::unique_lock lock(mutex);
            changed.wait(lock, [&] {
                return stopped || static_cast<int>(waiting.size()) < kWaitingReadings;
            });
            if (stopped)
                break;
            waiting.push_back(std::move(decoded));
            changed.notify_all();
        }
        std::lock_guard lock(mutex);
        --working;
        changed.notify_all();
    };
    QThreadPool pool;
    pool.setMaxThreadCount(threads);
    for (int t = 0; t < threads; ++t)
        pool.start(decode);

    ReadingWriter writer(connection);
    std::vector<ArchiveReading> batch;
    std::vector<bool> added;
    while (!cancelled_) {
        {
            std::unique_lock lock(mutex);
            changed.wait(lock, [&] { return !waiting.empty() || working == 0 || cancelled_; });
            if (waiting.empty())
                break;
            while (!waiting.empty() && static_cast<int>(batch.size()) < kBatchReadings) {
                if (auto* refused = std::get_if<RefusedRecording>(&waiting.front())) {
                    result_.refused.push_back(std::move(*refused));
                    ++done_;
                } else {
                    batch.push_back(std::get<ArchiveReading>(std::move(waiting.front())));
                }
                waiting.pop_front();
            }
            changed.notify_all();
        }
        if (batch.empty())
            continue;
        // Each program locks the cranes of a transaction in the same order, so that two
        // adding at once wait for each other rather than deadlock.
        std::sort(batch.begin(), batch.end(), [](const ArchiveReading& a, const ArchiveReading& b) {
            return craneKeyLess(craneKeyOf(a), craneKeyOf(b));
        });
        if (!writer.write(batch, added, &result_.error))
            break;
        for (const bool isNew : added)
            ++(isNew ? result_.added : result_.known);
        done_ += static_cast<int>(batch.size());
        batch.clear();
    }
    {
        std::lock_guard lock(mutex);
        stopped = true;
        changed.notify_all();
    }
    pool.waitForDone();
    result_.cancelled = cancelled_;
    std::sort(result_.refused.begin(), result_.refused.end(),
              [](const RefusedRecording& a, const RefusedRecording& b) { return a.path < b.path; });
}

} // namespace zurval
