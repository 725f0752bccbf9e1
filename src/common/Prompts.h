#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace zurval {

// Every modal message box of the program goes through this interface, so commands can
// run under tests and in the headless state dump.
class Prompts {
public:
    virtual ~Prompts() = default;
    virtual void message(const QString& text) = 0;     // plain box, OK
    virtual void error(const QString& text) = 0;       // error box, OK
    virtual void information(const QString& text) = 0; // information box, OK
    // OK and Cancel; true when the user confirms.
    [[nodiscard]] virtual bool confirm(const QString& text) = 0;
};

// Records what would have been shown and answers confirmations from a script
// (the default answer once the script runs out).
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
        answers_.erase(answers_.begin());
        return answer;
    }

    void queueAnswer(bool answer) { answers_.push_back(answer); }
    [[nodiscard]] const std::vector<Shown>& shown() const { return shown_; }
    [[nodiscard]] QStringList texts() const {
        QStringList out;
        for (const Shown& s : shown_)
            out << s.text;
        return out;
    }
    void clear() { shown_.clear(); }

private:
    bool defaultAnswer_;
    std::vector<bool> answers_;
    std::vector<Shown> shown_;
};

} // namespace zurval
