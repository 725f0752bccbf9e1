#pragma once

#include "core/common/Prompts.h"

#include <QStringList>
#include <deque>
#include <vector>

namespace zurval {

// Records what would have been shown and answers from a script: confirmations take the
// queued answers, then the default; file and folder dialogs take the queued names, then
// cancel.
class ScriptedPrompts : public Prompts {
public:
    enum class Kind { Plain, Error, Information, Confirm };
    struct Shown {
        Kind kind;
        QString text;
    };

    explicit ScriptedPrompts(bool defaultAnswer = true) : defaultAnswer_(defaultAnswer) {}

    void message(const QString& text) override { shown_.push_back({Kind::Plain, text}); }
    void error(const QString& text) override { shown_.push_back({Kind::Error, text}); }
    void information(const QString& text) override { shown_.push_back({Kind::Information, text}); }
    bool confirm(const QString& text) override {
        shown_.push_back({Kind::Confirm, text});
        if (answers_.empty())
            return defaultAnswer_;
        const bool answer = answers_.front();
        answers_.pop_front();
        return answer;
    }
    QString openFileName(const FileDialogRequest& request) override {
        return nextFile(request).path;
    }
    SaveAnswer saveFile(const FileDialogRequest& request) override { return nextFile(request); }
    // A folder dialog is a file dialog too: it takes the next queued name.
    QString existingFolder(const QString& title, const QString& folder) override {
        return nextFile({title, folder, {}, {}}).path;
    }

    void queueAnswer(bool answer) { answers_.push_back(answer); }
    // "" cancels the dialog that takes it; a save dialog also gives the filter.
    void queueFileName(const QString& path, int filter = 0) { files_.push_back({path, filter}); }
    [[nodiscard]] const std::vector<Shown>& shown() const { return shown_; }
    [[nodiscard]] QStringList texts() const {
        QStringList out;
        for (const Shown& s : shown_)
            out << s.text;
        return out;
    }
    // The requests of the file dialogs shown so far.
    [[nodiscard]] const std::vector<FileDialogRequest>& fileDialogs() const { return dialogs_; }
    void clear() { shown_.clear(); }

private:
    SaveAnswer nextFile(const FileDialogRequest& request) {
        dialogs_.push_back(request);
        if (files_.empty())
            return {};
        const SaveAnswer answer = files_.front();
        files_.pop_front();
        return answer;
    }

    bool defaultAnswer_;
    std::deque<bool> answers_;
    std::deque<SaveAnswer> files_;
    std::vector<Shown> shown_;
    std::vector<FileDialogRequest> dialogs_;
};

} // namespace zurval
