#include "core/document/RecorderSession.h"

#include "core/recorder/ServiceBank.h"

namespace zurval {

RecorderSession::RecorderSession() : document_(std::make_unique<RecorderDocument>()) {
    texts_.clear();
}

RecorderSession::~RecorderSession() = default;

void RecorderSession::clear() {
    // The pages go back to their defaults; the decoded tables and the version stay, so the
    // page buttons after a clearing still work on the records and frames last opened.
    texts_.clear();
    emit cleared();
}

void RecorderSession::setFileName(const QString& path) {
    held_.reset(); // a recording of another name is read from its file
    if (path == fileName_)
        return;
    fileName_ = path;
    emit fileNameChanged(fileName_);
}

bool RecorderSession::load(const NoticeSink& tell, QString* problem) {
    const std::optional<RecorderFile> file = readRecorderFile(fileName_, problem);
    if (!file)
        return false;
    held_.reset();
    shown(decodeRecording(*file, *document_), tell);
    return true;
}

void RecorderSession::load(const RecorderFile& file, const NoticeSink& tell) {
    held_ = file; // Банк-0 / Банк-1 read these bytes, not the file named
    shown(decodeRecording(*held_, *document_), tell);
}

void RecorderSession::openBytes(const QString& name, const QByteArray& fileBytes,
                                const NoticeSink& tell) {
    clear();
    setFileName(name);
    load(recorderFileOf(fileBytes), tell);
}

void RecorderSession::shown(const OpenOutcome& outcome, const NoticeSink& tell) {
    loaded_ = true;
    bankShown_ = document_->service.selectedBank;
    texts_.show(*document_);
    for (const OpenNotice& notice : outcome.notices)
        tell(notice);
    emit opened();
}

bool RecorderSession::open(const QString& path, const NoticeSink& tell) {
    clear();
    setFileName(path);
    return load(tell);
}

bool RecorderSession::showBank(int bank) {
    const std::optional<SingleBank> values =
        held_ ? std::optional(decodeSingleBank(held_->reader(), bank))
              : readSingleBank(fileName_, bank);
    if (!values)
        return false;
    loaded_ = true;
    bankShown_ = bank;
    texts_.service = servicePageTexts(*values);
    emit bankShown(bank);
    return true;
}

void RecorderSession::setOperatorTexts(const OperatorBlock& texts) {
    texts_.operatorTexts = texts;
    emit operatorTextsChanged();
}

void RecorderSession::setShownFrame(const QString& text) {
    texts_.shownFrame = text;
}

} // namespace zurval
