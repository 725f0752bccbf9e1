#pragma once

#include "core/archive/ArchiveReading.h"
#include "core/archive/Forecast.h"
#include "core/fleet/FleetJob.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

namespace zurval {

// The readings of every crane a service company looks after, in one database: an SQLite
// file of the user's own, or a PostgreSQL server a depot's engineers share. Each reading is
// kept once however often its file is added, with its file, each overload record once per
// recorder. It touches no database that is not an archive of its own.

// A crane as the archive tells its readings apart: the crane and the recorder on it.
struct CraneKey {
    QString craneModel;
    int craneNumber = 0;
    QString recorderNumber;
    bool operator==(const CraneKey& o) const {
        return craneModel == o.craneModel && craneNumber == o.craneNumber &&
               recorderNumber == o.recorderNumber;
    }
};

// One reading as the archive holds it.
struct StoredReading {
    long long id = 0;
    CraneKey crane;
    QString path; // where it was added from
    QByteArray imageSha256;
    bool recordingKept = false; // the archive holds the file, not only its path
    QDate readingDate;
    ReadingDateSource readingDateSource = ReadingDateSource::None;
    QString readingDateTyped; // as the operator typed it
    QString operatorName;
    QDate dateInstalled;
    std::uint32_t motorMinutes = 0;
    // None when the recording's is no number, infinite or below zero.
    std::optional<double> characteristicNumber;
    int normativeGroup = 1;  // the n of An
    DutyClassification duty; // without the gauges
    // Overloads above 125 % added since the reading before of the same crane and recorder;
    // none for the first.
    std::optional<int> newHeavyOverloads;
};

// A row of "Парк кранов": a crane and recorder, its newest dated reading and the forecast.
struct FleetRow {
    CraneKey crane;
    std::optional<StoredReading> last; // none while no reading has a date
    int readingCount = 0;              // undated ones too
    QDate dateInstalled;               // of the newest reading that has one
    Forecast forecast; // its seriesBegin counts in the crane's readings, oldest first
};

struct AddResult {
    int added = 0;
    int known = 0; // already in the archive
    std::vector<RefusedRecording> refused;
    bool cancelled = false;
    QString error; // the database failed: what was added before stays, nothing else is
};

// What an archive is opened for. Reading never writes; writing needs an archive there;
// creating makes one where the database holds nothing.
enum class ArchiveAccess { Read, Write, Create };

// Why an archive did not open.
enum class ArchiveProblem {
    None,
    NoArchive, // no file, or a database without tables: nothing made
    NotOurs,   // another program's tables, or a newer schema than this program knows
    Outdated,  // an archive of an older schema, which only a program that writes brings up
    CannotUse, // the file or the server cannot be reached or read
};
struct ArchiveOpening {
    ArchiveProblem problem = ArchiveProblem::None;
    QString error;
    bool created = false;
};

class FleetArchive {
public:
    // location: empty for the user's own archive (defaultLocation(), made with its folder
    // when opened to write),
    // "postgresql://..." for a server (see parseArchiveLocation), anything else an SQLite
    // file. An older archive is brought up to date unless access is Read. nullptr and
    // *opening's problem when it cannot be used.
    [[nodiscard]] static std::unique_ptr<FleetArchive>
    open(const QString& location, ArchiveAccess access, ArchiveOpening* opening);
    // $XDG_DATA_HOME/zurval/archive.sqlite
    [[nodiscard]] static QString defaultLocation();

    ~FleetArchive();
    FleetArchive(const FleetArchive&) = delete;
    FleetArchive& operator=(const FleetArchive&) = delete;

    // The location as it may be shown: the default one filled in, no password.
    [[nodiscard]] const QString& location() const;

    // Adds recordings and every recording under folders; blocks. See ArchiveAdding.
    [[nodiscard]] AddResult add(const QStringList& paths, int threads = 0) const;

    // One row per crane and recorder, by crane (model, number) and recorder.
    [[nodiscard]] std::optional<std::vector<FleetRow>> fleet(QString* error = nullptr) const;
    // The readings of one crane and recorder, oldest first, the undated ones last.
    [[nodiscard]] std::optional<std::vector<StoredReading>>
    readings(const CraneKey& crane, QString* error = nullptr) const;
    // The readings of one recorder on whichever crane, by crane and then as readings().
    [[nodiscard]] std::optional<std::vector<StoredReading>>
    recorderReadings(const QString& recorderNumber, QString* error = nullptr) const;
    // The file of a reading byte for byte as it was added. nullopt and *error when the
    // archive holds no such reading, keeps only its path (then in *keptPath), or the bytes
    // fail their hash.
    [[nodiscard]] std::optional<QByteArray> recording(const QByteArray& imageSha256, QString* error,
                                                      QString* keptPath = nullptr) const;

    struct Private;

private:
    explicit FleetArchive(std::unique_ptr<Private> d);
    std::unique_ptr<Private> d_;
    friend class ArchiveAdding;
};

// Adding files and folders on every core: workers decode, the running thread writes in
// transactions, so that two programs adding at once neither fail nor store a reading twice.
// A cancelled run keeps what it wrote: each reading is stored whole or not at all. A
// transaction another program held up is tried again; a permission error ends the run at
// once.
class ArchiveAdding : public FleetJob {
public:
    ArchiveAdding(const FleetArchive& archive, QStringList paths, int threads = 0);
    ~ArchiveAdding() override;

    [[nodiscard]] const AddResult& result() const { return result_; }

private:
    bool begin(const std::vector<FoundRecording>& files) override;
    void read(std::size_t index, const FoundRecording& file, RecorderDocument& document) override;
    bool take(const std::vector<std::size_t>& indices) override;
    void end() override;

    struct Writing;
    const FleetArchive& archive_;
    AddResult result_;
    std::unique_ptr<Writing> writing_;
};

} // namespace zurval
