#pragma once

#include "core/document/OpenRecording.h"
#include "core/document/ShownTexts.h"
#include "core/recorder/RecorderFile.h"

#include <QObject>
#include <functional>
#include <memory>
#include <optional>

namespace zurval {

// Where the open command's notices go, one at a time in the order they happen: the
// window's message boxes and status bar, or a headless command's error stream.
using NoticeSink = std::function<void(const OpenNotice&)>;

// The recording the user works on: the decoded document, the file it came from, whether a
// file has been loaded, the bank shown, and the texts the pages show. It announces what
// changes; the pages mirror it, the reports and the headless commands read it.
class RecorderSession : public QObject {
    Q_OBJECT
public:
    RecorderSession();
    ~RecorderSession() override;

    [[nodiscard]] const RecorderDocument& document() const { return *document_; }
    // The frame and overload pages rewrite the selections.
    [[nodiscard]] RecorderDocument& document() { return *document_; }
    // The file the commands work on (panel 1 of the status bar); it stays after a failed
    // open, so that the message names what was tried.
    [[nodiscard]] const QString& fileName() const { return fileName_; }
    // Set by the first file loaded and never reset (the Tag of Menu_Open).
    [[nodiscard]] bool loaded() const { return loaded_; }
    // The bank whose values the pages show; -1 until a file is loaded.
    [[nodiscard]] int shownBank() const { return bankShown_; }
    [[nodiscard]] const ShownTexts& texts() const { return texts_; }

    // Очистить: the texts the pages show back to their defaults. Everything else stays: the
    // decoded tables and the version (the page buttons still work on the frames and records
    // last opened), the file name, the loaded mark, the bank shown and a recording opened
    // from bytes.
    void clear();
    void setFileName(const QString& path);
    // Reads the file named and decodes it; the notices go to tell in order, then opened() is
    // announced. false, with nothing told and the reason in *problem, when the file cannot
    // be read.
    bool load(const NoticeSink& tell, QString* problem = nullptr);
    // The same on a file already read (the archive's copy of a reading), under fileName().
    void load(const RecorderFile& file, const NoticeSink& tell);
    // Clears, names the file and loads it.
    bool open(const QString& path, const NoticeSink& tell);
    // Clears and opens a recording already read, under name (a reading the archive keeps),
    // by the same steps as a file; Банк-0 / Банк-1 then read these bytes.
    void openBytes(const QString& name, const QByteArray& fileBytes, const NoticeSink& tell);
    // Whether the recording shown came from bytes, not from the file named.
    [[nodiscard]] bool fromBytes() const { return held_.has_value(); }
    // Банк-0 / Банк-1: the values of one bank alone, read anew from the file; false, with
    // nothing changed, when it cannot be read.
    bool showBank(int bank);
    // The operator dialog and a ВРЛ-3 reading date change the operator's texts.
    void setOperatorTexts(const OperatorBlock& texts);
    // The protection view's frame field, as the user types it or a drawing sets it.
    void setShownFrame(const QString& text);

signals:
    void cleared();
    void opened();
    void bankShown(int bank);
    void fileNameChanged(const QString& path);
    void operatorTextsChanged();

private:
    void shown(const OpenOutcome& outcome, const NoticeSink& tell);

    std::unique_ptr<RecorderDocument> document_;
    QString fileName_;
    bool loaded_ = false;
    int bankShown_ = -1;
    ShownTexts texts_;
    std::optional<RecorderFile> held_; // the recording opened from bytes
};

} // namespace zurval
