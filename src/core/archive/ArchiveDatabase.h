#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <QString>
#include <QStringList>
#include <optional>
#include <utility>
#include <vector>

namespace zurval {

// Where the archive lives and how to reach it.
struct ArchiveLocation {
    bool server = false; // PostgreSQL; else an SQLite file
    QString file;        // SQLite
    // PostgreSQL: the address's parts, and the libpq keywords of its query in their order.
    QString host;
    int port = -1;
    QString user;
    QString password;
    QString database;
    std::vector<std::pair<QString, QString>> options;
};

// "" → defaultFile; "postgresql://[USER[:PASSWORD]@][HOST][:PORT][/DB][?KEYWORD=VALUE&...]" →
// a server, every libpq keyword of the query passed on to libpq; anything else a file path.
// nullopt and *error for an address that is no URL or names a keyword libpq does not know.
[[nodiscard]] std::optional<ArchiveLocation>
parseArchiveLocation(const QString& text, const QString& defaultFile, QString* error);
[[nodiscard]] bool isServerAddress(const QString& text);
// The address as it may be shown or kept: without a password, in the user part or the query.
[[nodiscard]] QString withoutPassword(const QString& text);

// What a database holds where the archive would be.
enum class ArchiveContents {
    Nothing, // no table at all: an archive may be made there
    Ours,    // this program's archive, of schemaVersion
    Foreign, // tables of another program
};
struct ArchiveInspection {
    ArchiveContents contents = ArchiveContents::Nothing;
    int schemaVersion = 0;
    QStringList tables; // what a foreign database holds
};

// The newest schema, the one this program reads and writes.
constexpr int kArchiveSchemaVersion = 2;

// A connection of its own for one task on one thread, closed when it goes. One that only
// reads opens SQLite read-only (it then works on a read-only mount and for a user who may not
// write the file or its folder) and runs every PostgreSQL transaction read-only. On
// PostgreSQL the archive's schema is the first of the role's search_path, or "zurval" when
// none is set; the connection's search_path is that schema alone.
class ArchiveConnection {
public:
    ArchiveConnection(const ArchiveLocation& location, bool write);
    ~ArchiveConnection();
    ArchiveConnection(const ArchiveConnection&) = delete;
    ArchiveConnection& operator=(const ArchiveConnection&) = delete;

    [[nodiscard]] bool open(QString* error);
    [[nodiscard]] QSqlDatabase& db() { return db_; }
    [[nodiscard]] bool server() const { return server_; }
    [[nodiscard]] bool writes() const { return write_; }
    // PostgreSQL: the schema the archive is in, quoted as an identifier.
    [[nodiscard]] const QString& schema() const { return schema_; }
    [[nodiscard]] bool schemaExists() const { return schemaExists_; }

    // A transaction that takes the write lock at once (SQLite: BEGIN IMMEDIATE), so that it
    // never has to give up a read lock to write.
    [[nodiscard]] bool begin(QString* error);
    // A transaction that only reads and sees the archive as it was when it began.
    [[nodiscard]] bool beginSnapshot(QString* error);
    [[nodiscard]] bool commit(QString* error);
    void rollback();
    // The text of the last failure and whether trying again may help (a lock held too long,
    // a deadlock or a conflict the server ended); a permission error never does.
    [[nodiscard]] bool transient(const QSqlError& e) const;
    // PostgreSQL: stores a reading's packed recording with its bytes sent as they are. Qt's
    // driver writes a parameter into the statement's text, a recording as 200 KB of hex that
    // the server parses again: most of an add's time there. nullopt where this build has no
    // libpq of its own to send them with (the caller then binds them through Qt); false and
    // *failure when the server refused them.
    [[nodiscard]] std::optional<bool> insertRecording(long long readingId, const QByteArray& packed,
                                                      QSqlError* failure);

private:
    [[nodiscard]] bool findSchema(QString* error);

    QString name_;
    QSqlDatabase db_;
    bool server_;
    bool write_;
    QString schemaName_;
    QString schema_;
    bool schemaExists_ = true;
};

[[nodiscard]] QString sqlErrorText(const QSqlError& e);

// What the connection's database holds.
[[nodiscard]] std::optional<ArchiveInspection> inspectArchive(ArchiveConnection& connection,
                                                              QString* error);
// Makes a new archive where inspectArchive() found nothing, or brings an older one up to
// kArchiveSchemaVersion, in one transaction that one program at a time runs; the upgrade
// takes in the recordings still found at their paths. Leaves a foreign database as it was.
// *created tells whether a new archive was made.
[[nodiscard]] bool prepareArchive(ArchiveConnection& connection, bool* created, QString* error);

} // namespace zurval
