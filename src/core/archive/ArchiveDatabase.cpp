#include "core/archive/ArchiveDatabase.h"

#include "core/archive/ArchiveRecording.h"
#include "core/recorder/ServiceBank.h"

#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlQuery>
#include <QUrl>
#include <QUrlQuery>
#ifdef ZURVAL_HAVE_LIBPQ
#include <libpq-fe.h>
#endif
#include <algorithm>
#include <atomic>

namespace zurval {
namespace {

// Two programs that prepare an empty archive at once: one creates the tables, the other waits.
constexpr int kSchemaLock = 0x7A75;
// How long SQLite waits for another program's transaction before it gives up.
constexpr int kBusyTimeoutMs = 60000;
// The mark of an archive: SQLite's application id ("ZURV") and the row of its own table.
constexpr int kApplicationId = 0x5A555256;
const QString kMarkTable = QStringLiteral("zurval_archive");
const QString kFormat = QStringLiteral("zurval-archive");
// Where the archive lives on a server whose search_path nobody set.
const QString kDefaultSchema = QStringLiteral("zurval");
// The tables of the first schema, before the archive carried its mark.
const QStringList kFirstTables = {"cranes", "overloads", "readings", "schema_version"};

// The connection keywords of libpq (up to PostgreSQL 17); a libpq older than the keyword
// refuses it by name itself.
const QStringList kLibpqKeywords = {"host",
                                    "hostaddr",
                                    "port",
                                    "dbname",
                                    "user",
                                    "password",
                                    "passfile",
                                    "require_auth",
                                    "channel_binding",
                                    "connect_timeout",
                                    "client_encoding",
                                    "options",
                                    "application_name",
                                    "fallback_application_name",
                                    "keepalives",
                                    "keepalives_idle",
                                    "keepalives_interval",
                                    "keepalives_count",
                                    "tcp_user_timeout",
                                    "replication",
                                    "gssencmode",
                                    "sslmode",
                                    "sslnegotiation",
                                    "sslcompression",
                                    "sslcert",
                                    "sslkey",
                                    "sslkeylogfile",
                                    "sslpassword",
                                    "sslcertmode",
                                    "sslrootcert",
                                    "sslcrl",
                                    "sslcrldir",
                                    "sslsni",
                                    "requirepeer",
                                    "ssl_min_protocol_version",
                                    "ssl_max_protocol_version",
                                    "krbsrvname",
                                    "gsslib",
                                    "gssdelegation",
                                    "service",
                                    "target_session_attrs",
                                    "load_balance_hosts"};
const QStringList kSecretKeywords = {"password", "sslpassword"};

bool run(QSqlDatabase& db, const QString& statement, QString* error) {
    QSqlQuery q(db);
    if (q.exec(statement))
        return true;
    *error = sqlErrorText(q.lastError());
    return false;
}

// A libpq connection value in single quotes, its quotes and backslashes escaped.
QString libpqValue(QString value) {
    value.replace(QLatin1String("\\"), QLatin1String("\\\\"));
    value.replace(QLatin1String("'"), QLatin1String("\\'"));
    return u'\'' + value + u'\'';
}

// cycles_01 .. cycles_14: the counters of the load ranges.
QString cycleColumns(const QString& type) {
    QStringList columns;
    for (int k = 1; k <= kLoadRangeCount; ++k)
        columns << QStringLiteral("cycles_%1%2").arg(k, 2, 10, QChar('0')).arg(type);
    return columns.join(QStringLiteral(", "));
}

// The columns a reading had in the first schema, all of which it keeps.
QString firstReadingColumns() {
    return QStringLiteral(
               "id, crane_id, image_sha256, path, reading_date, reading_date_source, "
               "reading_date_typed, operator_name, operator_certificate, operator_organisation, "
               "date_installed, motor_minutes, seconds_ls, seconds_ln, seconds_r, seconds_s, "
               "seconds_ga, ") +
           cycleColumns({}) +
           QStringLiteral(", characteristic_number, normative_characteristic_number, class_u, "
                          "load_spectrum_factor, class_q, group_current, group_normative, "
                          "overload_ring, new_heavy_overloads");
}

// "%ID%" stands for the auto-numbered key and "%BYTES%" for a binary column, which the two
// databases name differently.
QString forBackend(QString statement, bool server) {
    statement.replace(QLatin1String("%ID%"), server ? QLatin1String("BIGSERIAL PRIMARY KEY")
                                                    : QLatin1String("INTEGER PRIMARY KEY"));
    statement.replace(QLatin1String("%BYTES%"),
                      server ? QLatin1String("BYTEA") : QLatin1String("BLOB"));
    return statement;
}

// A crane and the recorder on it, the crane's number as its bank holds it.
QString cranesTable(const QString& name) {
    return QStringLiteral("CREATE TABLE %1 (id %ID%, crane_model TEXT NOT NULL, "
                          "crane_number INTEGER NOT NULL, recorder_number TEXT NOT NULL, "
                          "UNIQUE (crane_model, crane_number, recorder_number))")
        .arg(name);
}

// Dates as YYYY-MM-DD. characteristic_number: NULL when the recording's is no number or
// below zero; load_spectrum_factor: NULL when it is no number. overload_ring: the reading's
// non-empty overload records, oldest first, nine bytes each: the fingerprint (u64, little-endian)
// and 1 when its checksum holds. recording_kept: 1 when the table recordings holds the file, 0 when
// only its path is known.
QString readingsTable(const QString& name) {
    return QStringLiteral(
               "CREATE TABLE %1 (id %ID%, crane_id BIGINT NOT NULL REFERENCES cranes (id), "
               "image_sha256 TEXT NOT NULL UNIQUE, path TEXT NOT NULL, reading_date TEXT, "
               "reading_date_source TEXT NOT NULL, reading_date_typed TEXT NOT NULL, "
               "operator_name TEXT NOT NULL, operator_certificate TEXT NOT NULL, "
               "operator_organisation TEXT NOT NULL, date_installed TEXT, "
               "motor_minutes BIGINT NOT NULL, seconds_ls BIGINT NOT NULL, "
               "seconds_ln BIGINT NOT NULL, seconds_r BIGINT NOT NULL, "
               "seconds_s BIGINT NOT NULL, seconds_ga BIGINT NOT NULL, ")
               .arg(name) +
           cycleColumns(QStringLiteral(" BIGINT NOT NULL")) +
           QStringLiteral(", characteristic_number DOUBLE PRECISION, "
                          "normative_characteristic_number INTEGER NOT NULL, "
                          "class_u INTEGER NOT NULL, load_spectrum_factor DOUBLE PRECISION, "
                          "class_q INTEGER NOT NULL, group_current INTEGER NOT NULL, "
                          "group_normative INTEGER NOT NULL, overload_ring %BYTES% NOT NULL, "
                          "new_heavy_overloads INTEGER, recording_kept INTEGER NOT NULL)");
}

QStringList commonTail() {
    return {
        // What "Парк кранов" reads of every reading, apart from the overload rings, which
        // would make it read every page of the table.
        QStringLiteral("CREATE INDEX readings_by_crane ON readings (crane_id, reading_date, "
                       "motor_minutes, characteristic_number, date_installed)"),
        // The file of a reading as it was added, a zstd frame.
        QStringLiteral("CREATE TABLE recordings (reading_id BIGINT PRIMARY KEY "
                       "REFERENCES readings (id), packed %BYTES% NOT NULL)"),
        QStringLiteral("CREATE TABLE %1 (format TEXT NOT NULL, version INTEGER NOT NULL)")
            .arg(kMarkTable),
        QStringLiteral("INSERT INTO %1 (format, version) VALUES ('%2', %3)")
            .arg(kMarkTable, kFormat)
            .arg(kArchiveSchemaVersion),
    };
}

// The server would try to compress each recording again, in vain.
QString uncompressedRecordings() {
    return QStringLiteral("ALTER TABLE recordings ALTER COLUMN packed SET STORAGE EXTERNAL");
}

QStringList newArchive(bool server) {
    QStringList s = {
        cranesTable(QStringLiteral("cranes")),
        readingsTable(QStringLiteral("readings")),
        // Each record once per recorder, however many readings repeat it.
        QStringLiteral("CREATE TABLE overloads (id %ID%, recorder_number TEXT NOT NULL, "
                       "fingerprint BIGINT NOT NULL, load_percent INTEGER NOT NULL, "
                       "radius DOUBLE PRECISION NOT NULL, rated_load DOUBLE PRECISION NOT NULL, "
                       "overload_date TEXT, date_bytes TEXT NOT NULL, "
                       "UNIQUE (recorder_number, fingerprint))"),
    };
    s << commonTail();
    s << (server ? uncompressedRecordings()
                 : QStringLiteral("PRAGMA application_id = %1").arg(kApplicationId));
    return s;
}

// From the first schema: the mark, the crane number as a number, a characteristic number that
// may be missing, and the recordings kept. SQLite changes no column in place: its tables are
// built anew and filled from the old ones.
QStringList fromFirstSchema(bool server) {
    QStringList s;
    if (server) {
        s << QStringLiteral("ALTER TABLE cranes ALTER COLUMN crane_number TYPE INTEGER "
                            "USING crane_number::integer")
          << QStringLiteral("ALTER TABLE cranes DROP COLUMN last_reading_id")
          << QStringLiteral("ALTER TABLE readings ALTER COLUMN characteristic_number DROP NOT NULL")
          << QStringLiteral("ALTER TABLE readings ALTER COLUMN load_spectrum_factor DROP NOT NULL")
          << QStringLiteral("ALTER TABLE readings ADD COLUMN recording_kept INTEGER NOT NULL "
                            "DEFAULT 0")
          << QStringLiteral("ALTER TABLE readings ALTER COLUMN recording_kept DROP DEFAULT")
          << QStringLiteral("DROP INDEX readings_by_crane");
    } else {
        s << cranesTable(QStringLiteral("cranes_new"))
          << QStringLiteral("INSERT INTO cranes_new (id, crane_model, crane_number, "
                            "recorder_number) SELECT id, crane_model, CAST(crane_number AS "
                            "INTEGER), recorder_number FROM cranes")
          << QStringLiteral("DROP TABLE cranes")
          << QStringLiteral("ALTER TABLE cranes_new RENAME TO cranes")
          << readingsTable(QStringLiteral("readings_new"))
          << QStringLiteral("INSERT INTO readings_new (%1, recording_kept) SELECT %1, 0 FROM "
                            "readings")
                 .arg(firstReadingColumns())
          << QStringLiteral("DROP TABLE readings")
          << QStringLiteral("ALTER TABLE readings_new RENAME TO readings")
          << QStringLiteral("PRAGMA application_id = %1").arg(kApplicationId);
    }
    // A server took NaN and infinities where SQLite refused the reading.
    s << QStringLiteral("UPDATE readings SET characteristic_number = NULL WHERE NOT "
                        "(characteristic_number >= 0 AND characteristic_number < %1)")
             .arg(server ? QStringLiteral("'Infinity'") : QStringLiteral("9e999"))
      << QStringLiteral("UPDATE readings SET load_spectrum_factor = NULL WHERE NOT "
                        "(abs(load_spectrum_factor) < %1)")
             .arg(server ? QStringLiteral("'Infinity'") : QStringLiteral("9e999"))
      << QStringLiteral("DROP TABLE schema_version");
    s << commonTail();
    if (server)
        s << uncompressedRecordings();
    return s;
}

// The recordings of an upgraded archive whose files are still where they were added from
// and still hold the reading's memory.
bool takeInRecordings(QSqlDatabase& db, QString* error) {
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT id, path, image_sha256 FROM readings"))) {
        *error = sqlErrorText(q.lastError());
        return false;
    }
    struct Kept {
        qlonglong id;
        QString path;
        QByteArray sha256;
    };
    std::vector<Kept> readings;
    while (q.next())
        readings.push_back(
            {q.value(0).toLongLong(), q.value(1).toString(), q.value(2).toString().toLatin1()});
    q.finish();
    for (const Kept& r : readings) {
        QString ignored;
        if (!QFileInfo(r.path).isFile())
            continue;
        const std::optional<QByteArray> bytes = readWholeFile(r.path, &ignored);
        if (!bytes || imageSha256(*bytes) != r.sha256)
            continue;
        QSqlQuery insert(db);
        insert.prepare(QStringLiteral("INSERT INTO recordings (reading_id, packed) VALUES (?, ?)"));
        insert.addBindValue(r.id);
        insert.addBindValue(packRecording(*bytes));
        QSqlQuery mark(db);
        mark.prepare(QStringLiteral("UPDATE readings SET recording_kept = 1 WHERE id = ?"));
        mark.addBindValue(r.id);
        if (!insert.exec() || !mark.exec()) {
            *error =
                sqlErrorText(insert.lastError().isValid() ? insert.lastError() : mark.lastError());
            return false;
        }
    }
    return true;
}

QString foreignText(const QStringList& tables) {
    return QStringLiteral("it is no archive of this program: it holds the tables %1")
        .arg(tables.join(QStringLiteral(", ")));
}

} // namespace

// The server's own words, in one line: "permission denied for table cranes".
QString sqlErrorText(const QSqlError& e) {
    QString text = e.databaseText().trimmed();
    if (text.isEmpty())
        text = e.text().trimmed();
    text = text.section(u'\n', 0, 0).trimmed();
    for (const QLatin1String severity : {QLatin1String("ERROR:"), QLatin1String("FATAL:")})
        if (text.startsWith(severity))
            text = text.mid(severity.size()).trimmed();
    return text;
}

bool isServerAddress(const QString& text) {
    return text.startsWith(QLatin1String("postgresql://")) ||
           text.startsWith(QLatin1String("postgres://"));
}

QString withoutPassword(const QString& text) {
    if (!isServerAddress(text))
        return text;
    QUrl url(text);
    if (!url.isValid())
        return QStringLiteral("postgresql://…");
    url.setPassword({});
    QUrlQuery query(url);
    for (const QString& key : kSecretKeywords)
        query.removeAllQueryItems(key);
    url.setQuery(query);
    return url.toString(QUrl::RemovePassword);
}

std::optional<ArchiveLocation> parseArchiveLocation(const QString& text, const QString& defaultFile,
                                                    QString* error) {
    ArchiveLocation location;
    if (!isServerAddress(text)) {
        location.file = text.isEmpty() ? defaultFile : text;
        return location;
    }
    const QUrl url(text);
    if (!url.isValid()) {
        *error = QStringLiteral(
            "a server is named postgresql://[USER@][HOST][:PORT][/DB][?KEYWORD=VALUE&...]");
        return std::nullopt;
    }
    location.server = true;
    location.user = url.userName(QUrl::FullyDecoded);
    location.password = url.password(QUrl::FullyDecoded);
    location.host = url.host(QUrl::FullyDecoded);
    location.port = url.port(-1);
    location.database = url.path(QUrl::FullyDecoded).mid(1);
    const QUrlQuery query(url);
    for (const auto& [key, value] : query.queryItems(QUrl::FullyDecoded)) {
        if (!kLibpqKeywords.contains(key)) {
            *error = QStringLiteral("unknown connection keyword %1").arg(key);
            return std::nullopt;
        }
        if (value.contains(u';')) {
            *error = QStringLiteral("the value of %1 may not hold \";\"").arg(key);
            return std::nullopt;
        }
        if (key == QLatin1String("host"))
            location.host = value;
        else if (key == QLatin1String("port"))
            location.port = value.toInt();
        else if (key == QLatin1String("user"))
            location.user = value;
        else if (key == QLatin1String("password"))
            location.password = value;
        else if (key == QLatin1String("dbname"))
            location.database = value;
        else
            location.options.emplace_back(key, value);
    }
    return location;
}

ArchiveConnection::ArchiveConnection(const ArchiveLocation& location, bool write)
    : server_(location.server), write_(write) {
    static std::atomic<int> count{0};
    name_ = QStringLiteral("zurval-archive-%1").arg(count++);
    db_ = QSqlDatabase::addDatabase(server_ ? QStringLiteral("QPSQL") : QStringLiteral("QSQLITE"),
                                    name_);
    if (server_) {
        db_.setHostName(location.host);
        db_.setPort(location.port);
        db_.setUserName(location.user);
        db_.setPassword(location.password);
        db_.setDatabaseName(location.database);
        QStringList options;
        bool timeout = false;
        for (const auto& [key, value] : location.options) {
            options << key + u'=' + libpqValue(value);
            timeout = timeout || key == QLatin1String("connect_timeout");
        }
        if (!timeout)
            options << QStringLiteral("connect_timeout=10");
        db_.setConnectOptions(options.join(u';'));
    } else {
        db_.setDatabaseName(location.file);
        QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs);
        if (!write_)
            options += QStringLiteral(";QSQLITE_OPEN_READONLY");
        db_.setConnectOptions(options);
    }
}

ArchiveConnection::~ArchiveConnection() {
    db_.close();
    db_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(name_);
}

bool ArchiveConnection::open(QString* error) {
    if (!db_.isValid()) {
        *error = server_ ? QStringLiteral("no PostgreSQL driver for Qt (Debian libqt6sql6-psql)")
                         : QStringLiteral("no SQLite driver for Qt (Debian libqt6sql6-sqlite)");
        return false;
    }
    if (!db_.open()) {
        *error = sqlErrorText(db_.lastError());
        return false;
    }
    if (!server_)
        return run(db_, QStringLiteral("PRAGMA foreign_keys=ON"), error);
    if (!write_ &&
        !run(db_, QStringLiteral("SET SESSION CHARACTERISTICS AS TRANSACTION READ ONLY"), error))
        return false;
    return findSchema(error);
}

bool ArchiveConnection::findSchema(QString* error) {
    QSqlQuery q(db_);
    if (!q.exec(QStringLiteral("SELECT setting, source, current_user FROM pg_settings "
                               "WHERE name = 'search_path'")) ||
        !q.next()) {
        *error = sqlErrorText(q.lastError());
        return false;
    }
    const QString setting = q.value(0).toString();
    const bool set = q.value(1).toString() != QLatin1String("default");
    const QString user = q.value(2).toString();
    auto tablesIn = [this](const QString& schema) {
        QSqlQuery t(db_);
        t.prepare(QStringLiteral("SELECT c.relname FROM pg_class c JOIN pg_namespace n "
                                 "ON n.oid = c.relnamespace WHERE n.nspname = ? AND "
                                 "c.relkind IN ('r', 'p', 'v', 'm', 'f')"));
        t.addBindValue(schema);
        QStringList names;
        if (t.exec())
            while (t.next())
                names << t.value(0).toString();
        return names;
    };
    if (set) {
        // The first entry: a name, "a quoted name", or $user.
        QString first = setting.section(u',', 0, 0).trimmed();
        if (first.size() >= 2 && first.startsWith(u'"') && first.endsWith(u'"'))
            first =
                first.mid(1, first.size() - 2).replace(QLatin1String("\"\""), QLatin1String("\""));
        schemaName_ = first == QLatin1String("$user") ? user : first;
    } else {
        schemaName_ = kDefaultSchema;
        // Archives made before they had a schema of their own stayed in public.
        const QStringList inPublic = tablesIn(QStringLiteral("public"));
        if (tablesIn(kDefaultSchema).isEmpty() &&
            (inPublic.contains(kMarkTable) ||
             std::all_of(kFirstTables.begin(), kFirstTables.end(),
                         [&](const QString& t) { return inPublic.contains(t); })))
            schemaName_ = QStringLiteral("public");
    }
    if (schemaName_.isEmpty()) {
        *error = QStringLiteral("the search_path names no schema for the archive");
        return false;
    }
    schema_ = db_.driver()->escapeIdentifier(schemaName_, QSqlDriver::TableName);
    QSqlQuery exists(db_);
    exists.prepare(QStringLiteral("SELECT 1 FROM pg_namespace WHERE nspname = ?"));
    exists.addBindValue(schemaName_);
    if (!exists.exec()) {
        *error = sqlErrorText(exists.lastError());
        return false;
    }
    schemaExists_ = exists.next();
    exists.finish();
    return run(db_, QStringLiteral("SET search_path TO ") + schema_, error);
}

bool ArchiveConnection::begin(QString* error) {
    return run(db_, server_ ? QStringLiteral("BEGIN") : QStringLiteral("BEGIN IMMEDIATE"), error);
}

bool ArchiveConnection::beginSnapshot(QString* error) {
    return run(db_,
               server_ ? QStringLiteral("BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY")
                       : QStringLiteral("BEGIN"),
               error);
}

bool ArchiveConnection::commit(QString* error) {
    return run(db_, QStringLiteral("COMMIT"), error);
}

void ArchiveConnection::rollback() {
    QString ignored;
    (void)run(db_, QStringLiteral("ROLLBACK"), &ignored);
}

bool ArchiveConnection::transient(const QSqlError& e) const {
    const QString code = e.nativeErrorCode();
    if (server_)
        // serialization_failure, deadlock_detected, lock_not_available
        return code == QLatin1String("40001") || code == QLatin1String("40P01") ||
               code == QLatin1String("55P03");
    const int primary = code.toInt() & 0xFF;
    return primary == 5 || primary == 6; // SQLITE_BUSY, SQLITE_LOCKED
}

std::optional<bool> ArchiveConnection::insertRecording(long long readingId,
                                                       const QByteArray& packed,
                                                       QSqlError* failure) {
#ifdef ZURVAL_HAVE_LIBPQ
    // Qt names the type after the struct PGconn stands for.
    const QVariant handle = db_.driver()->handle();
    if (!server_ || (qstrcmp(handle.typeName(), "PGconn*") != 0 &&
                     qstrcmp(handle.typeName(), "pg_conn*") != 0))
        return std::nullopt;
    PGconn* conn = *static_cast<PGconn* const*>(handle.constData());
    const QByteArray id = QByteArray::number(readingId);
    const char* values[] = {id.constData(), packed.constData()};
    const int lengths[] = {0, static_cast<int>(packed.size())};
    const int formats[] = {0, 1}; // the id as text, the recording binary
    PGresult* result = PQexecParams(conn,
                                    "INSERT INTO recordings (reading_id, packed) VALUES ($1, $2)",
                                    2, nullptr, values, lengths, formats, 0);
    const bool done = PQresultStatus(result) == PGRES_COMMAND_OK;
    if (!done)
        *failure = QSqlError(QString(), QString::fromUtf8(PQresultErrorMessage(result)).trimmed(),
                             QSqlError::StatementError,
                             QString::fromLatin1(PQresultErrorField(result, PG_DIAG_SQLSTATE)));
    PQclear(result);
    return done;
#else
    (void)readingId;
    (void)packed;
    (void)failure;
    return std::nullopt;
#endif
}

std::optional<ArchiveInspection> inspectArchive(ArchiveConnection& connection, QString* error) {
    QSqlDatabase& db = connection.db();
    QSqlQuery q(db);
    q.setForwardOnly(true);
    ArchiveInspection found;
    int applicationId = kApplicationId;
    if (connection.server()) {
        q.prepare(QStringLiteral(
            "SELECT c.relname FROM pg_class c JOIN pg_namespace n ON n.oid = c.relnamespace "
            "WHERE n.nspname = current_schema() AND c.relkind IN ('r', 'p', 'v', 'm', 'f')"));
    } else {
        if (!q.exec(QStringLiteral("PRAGMA application_id")) || !q.next()) {
            *error = sqlErrorText(q.lastError());
            return std::nullopt;
        }
        applicationId = q.value(0).toInt();
        q.finish();
        q.prepare(QStringLiteral("SELECT name FROM sqlite_master WHERE type IN ('table', 'view') "
                                 "AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\'"));
    }
    if (connection.server() && !connection.schemaExists()) {
        // A schema yet to be made: only in a database that holds no other program's tables.
        q.prepare(QStringLiteral(
            "SELECT n.nspname || '.' || c.relname FROM pg_class c JOIN pg_namespace n ON "
            "n.oid = c.relnamespace WHERE c.relkind IN ('r', 'p', 'v', 'm', 'f') AND "
            "n.nspname NOT IN ('pg_catalog', 'information_schema') AND "
            "n.nspname NOT LIKE 'pg\\_%'"));
    }
    {
        if (!q.exec()) {
            *error = sqlErrorText(q.lastError());
            return std::nullopt;
        }
        while (q.next())
            found.tables << q.value(0).toString();
        q.finish();
    }
    found.tables.sort();
    if (found.tables.isEmpty())
        return found;
    found.contents = ArchiveContents::Foreign;
    if (found.tables.contains(kMarkTable) && applicationId == kApplicationId) {
        if (!q.exec(QStringLiteral("SELECT format, version FROM %1").arg(kMarkTable))) {
            *error = sqlErrorText(q.lastError());
            return std::nullopt;
        }
        if (q.next() && q.value(0).toString() == kFormat) {
            found.contents = ArchiveContents::Ours;
            found.schemaVersion = q.value(1).toInt();
        }
    } else if (found.tables == kFirstTables && (connection.server() || applicationId == 0)) {
        // The first schema had no mark but its version.
        if (q.exec(QStringLiteral("SELECT MAX(version) FROM schema_version")) && q.next() &&
            q.value(0).toInt() == 1) {
            found.contents = ArchiveContents::Ours;
            found.schemaVersion = 1;
        }
    }
    return found;
}

bool prepareArchive(ArchiveConnection& connection, bool* created, QString* error) {
    *created = false;
    QSqlDatabase& db = connection.db();
    const bool server = connection.server();
    std::optional<ArchiveInspection> found = inspectArchive(connection, error);
    if (!found)
        return false;
    auto refuse = [&](const ArchiveInspection& f) {
        if (f.contents == ArchiveContents::Foreign)
            *error = foreignText(f.tables);
        else
            *error = QStringLiteral("the archive has schema version %1; this program knows up "
                                    "to %2")
                         .arg(f.schemaVersion)
                         .arg(kArchiveSchemaVersion);
        return false;
    };
    if (found->contents == ArchiveContents::Ours && found->schemaVersion == kArchiveSchemaVersion)
        return true;
    if (found->contents == ArchiveContents::Foreign || found->schemaVersion > kArchiveSchemaVersion)
        return refuse(*found);

    if (!server) {
        // Outside a transaction: the rollback journal, with which a reader needs to write
        // nothing, so that a user who may only read, or a read-only mount, reads the archive;
        // and no foreign keys checked while tables are built anew.
        if (!run(db, QStringLiteral("PRAGMA journal_mode=DELETE"), error) ||
            !run(db, QStringLiteral("PRAGMA foreign_keys=OFF"), error))
            return false;
    } else if (!connection.schemaExists() &&
               !run(db, QStringLiteral("CREATE SCHEMA IF NOT EXISTS ") + connection.schema(),
                    error)) {
        return false;
    }
    if (!connection.begin(error))
        return false;
    auto fail = [&] {
        connection.rollback();
        if (!server) {
            QString ignored;
            (void)run(db, QStringLiteral("PRAGMA foreign_keys=ON"), &ignored);
        }
        return false;
    };
    if (server &&
        !run(db, QStringLiteral("SELECT pg_advisory_xact_lock(%1)").arg(kSchemaLock), error))
        return fail();
    // Another program may have been first.
    found = inspectArchive(connection, error);
    if (!found)
        return fail();
    QStringList statements;
    if (found->contents == ArchiveContents::Nothing) {
        statements = newArchive(server);
        *created = true;
    } else if (found->contents == ArchiveContents::Ours && found->schemaVersion == 1) {
        statements = fromFirstSchema(server);
    } else if (found->contents != ArchiveContents::Ours ||
               found->schemaVersion != kArchiveSchemaVersion) {
        refuse(*found);
        return fail();
    }
    for (const QString& statement : statements)
        if (!run(db, forBackend(statement, server), error))
            return fail();
    if (found->contents == ArchiveContents::Ours && found->schemaVersion == 1 &&
        !takeInRecordings(db, error))
        return fail();
    if (!connection.commit(error))
        return fail();
    return server || run(db, QStringLiteral("PRAGMA foreign_keys=ON"), error);
}

} // namespace zurval
