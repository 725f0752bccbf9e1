#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <utility>
#include <vector>

class QObject;
class QTimer;
class QWidget;

namespace zurval {

class ScriptedPrompts;

// One thing a user does to the window, named by the objectName of the control it acts on.
struct ScriptStep {
    enum class Kind {
        Do,      // trigger an action or click a button
        Set,     // type a text into a line edit
        Key,     // press a key on a control
        Scroll,  // drag a scroll bar or track bar to a position
        Cell,    // choose a cell of a grid
        Answer,  // the file the next file dialog gives ("" cancels)
        Confirm, // the answer of the next OK/Cancel box
    };
    Kind kind = Kind::Do;
    QString name;  // the control; empty for Answer and Confirm
    QString value; // the text, key, position, "column,row", file or yes/no
};

// Reads steps from the step options of the command line and their values, in order:
// --do NAME, --set NAME=TEXT, --key NAME=KEY, --scroll NAME=N, --cell NAME=COL,ROW,
// --answer TEXT, --confirm yes|no. nullopt and *error when one is not understood.
[[nodiscard]] std::optional<std::vector<ScriptStep>>
parseScriptSteps(const std::vector<std::pair<QString, QString>>& options, QString* error);

// Acts out steps on the controls below a root widget, as a user at the keyboard and mouse
// would. Message boxes and file dialogs are answered by the scripted prompts; any other
// modal dialog a step opens (About, Help) is closed again as its close button would.
class ScriptRunner {
public:
    ScriptRunner(QWidget* root, ScriptedPrompts& prompts);
    ~ScriptRunner();

    // "" when the step's control exists, else why the step cannot run.
    [[nodiscard]] QString checkTarget(const ScriptStep& step) const;
    // Runs the step; "" on success, else why it was refused (nothing was done then).
    QString run(const ScriptStep& step);
    // Whether the step acts on the window (Answer and Confirm only queue an answer).
    [[nodiscard]] static bool actsOnWindow(const ScriptStep& step);

private:
    [[nodiscard]] QObject* target(const QString& name) const;
    QString act(const ScriptStep& step, QObject* control);

    QWidget* root_;
    ScriptedPrompts& prompts_;
    QTimer* dialogCloser_;
};

} // namespace zurval
