#include "automation/ScriptSteps.h"

#include "automation/ScriptedPrompts.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTableWidget>
#include <QTimer>

#include "widgets/common/StringGrid.h"

namespace zurval {
namespace {

struct KeyName {
    const char* name;
    Qt::Key key;
};
constexpr KeyName kKeys[] = {
    {"Return", Qt::Key_Return},
    {"Enter", Qt::Key_Enter},
    {"Escape", Qt::Key_Escape},
    {"Tab", Qt::Key_Tab},
    {"Backspace", Qt::Key_Backspace},
    {"Delete", Qt::Key_Delete},
    {"Up", Qt::Key_Up},
    {"Down", Qt::Key_Down},
    {"Left", Qt::Key_Left},
    {"Right", Qt::Key_Right},
    {"PageUp", Qt::Key_PageUp},
    {"PageDown", Qt::Key_PageDown},
    {"Home", Qt::Key_Home},
    {"End", Qt::Key_End},
    {"Space", Qt::Key_Space},
};

std::optional<Qt::Key> keyNamed(const QString& name) {
    for (const KeyName& k : kKeys)
        if (name.compare(QLatin1String(k.name), Qt::CaseInsensitive) == 0)
            return k.key;
    // A single character types itself.
    if (name.size() == 1)
        return static_cast<Qt::Key>(name.at(0).toUpper().unicode());
    return std::nullopt;
}

// "NAME=VALUE" into the step; false when there is no "=".
bool splitAssignment(const QString& word, ScriptStep& step) {
    const int eq = word.indexOf('=');
    if (eq <= 0)
        return false;
    step.name = word.left(eq);
    step.value = word.mid(eq + 1);
    return true;
}

} // namespace

std::optional<std::vector<ScriptStep>>
parseScriptSteps(const std::vector<std::pair<QString, QString>>& options, QString* error) {
    using Kind = ScriptStep::Kind;
    struct Option {
        const char* word;
        Kind kind;
        bool assignment; // NAME=VALUE rather than a bare value
    };
    static const Option kOptions[] = {
        {"--do", Kind::Do, false},           {"--set", Kind::Set, true},
        {"--key", Kind::Key, true},          {"--scroll", Kind::Scroll, true},
        {"--cell", Kind::Cell, true},        {"--answer", Kind::Answer, false},
        {"--confirm", Kind::Confirm, false},
    };
    std::vector<ScriptStep> steps;
    for (const auto& [word, value] : options) {
        const Option* option = nullptr;
        for (const Option& o : kOptions)
            if (word == QLatin1String(o.word))
                option = &o;
        if (!option) {
            *error = QStringLiteral("unknown step %1").arg(word);
            return std::nullopt;
        }
        ScriptStep step;
        step.kind = option->kind;
        if (option->assignment) {
            if (!splitAssignment(value, step)) {
                *error = QStringLiteral("%1 needs NAME=VALUE, not %2").arg(word, value);
                return std::nullopt;
            }
        } else if (step.kind == Kind::Do) {
            step.name = value;
        } else {
            step.value = value;
        }
        if (step.kind == Kind::Confirm && value != "yes" && value != "no") {
            *error = QStringLiteral("--confirm takes yes or no, not %1").arg(value);
            return std::nullopt;
        }
        steps.push_back(step);
    }
    return steps;
}

ScriptRunner::ScriptRunner(QWidget* root, ScriptedPrompts& prompts)
    : root_(root), prompts_(prompts), dialogCloser_(new QTimer) {
    dialogCloser_->setInterval(10);
    QObject::connect(dialogCloser_, &QTimer::timeout, [] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            dialog->reject();
    });
}

ScriptRunner::~ScriptRunner() {
    delete dialogCloser_;
}

bool ScriptRunner::actsOnWindow(const ScriptStep& step) {
    return step.kind != ScriptStep::Kind::Answer && step.kind != ScriptStep::Kind::Confirm;
}

QObject* ScriptRunner::target(const QString& name) const {
    if (root_->objectName() == name)
        return root_;
    for (QObject* o : root_->findChildren<QObject*>(name))
        if (qobject_cast<QWidget*>(o) || qobject_cast<QAction*>(o))
            return o;
    return nullptr;
}

QString ScriptRunner::checkTarget(const ScriptStep& step) const {
    if (!actsOnWindow(step) || target(step.name))
        return {};
    return QStringLiteral("no control named %1").arg(step.name);
}

QString ScriptRunner::run(const ScriptStep& step) {
    if (step.kind == ScriptStep::Kind::Answer) {
        prompts_.queueFileName(step.value);
        return {};
    }
    if (step.kind == ScriptStep::Kind::Confirm) {
        prompts_.queueAnswer(step.value == "yes");
        return {};
    }
    QObject* control = target(step.name);
    if (!control)
        return checkTarget(step);
    const auto* action = qobject_cast<QAction*>(control);
    const auto* widget = qobject_cast<QWidget*>(control);
    if ((action && !action->isEnabled()) || (widget && !widget->isEnabled()))
        return QStringLiteral("%1 is disabled").arg(step.name);
    dialogCloser_->start();
    const QString problem = act(step, control);
    dialogCloser_->stop();
    return problem;
}

QString ScriptRunner::act(const ScriptStep& step, QObject* control) {
    const QString& name = step.name;
    switch (step.kind) {
    case ScriptStep::Kind::Do:
        if (auto* a = qobject_cast<QAction*>(control)) {
            a->trigger();
            return {};
        }
        if (auto* b = qobject_cast<QAbstractButton*>(control)) {
            b->click();
            return {};
        }
        return QStringLiteral("%1 is not a menu item or a button").arg(name);
    case ScriptStep::Kind::Set:
        if (auto* e = qobject_cast<QLineEdit*>(control)) {
            if (e->isReadOnly())
                return QStringLiteral("%1 is read-only").arg(name);
            // As if typed over the old text: both change signals fire.
            e->selectAll();
            e->insert(step.value);
            return {};
        }
        return QStringLiteral("%1 is not an edit").arg(name);
    case ScriptStep::Kind::Key: {
        auto* w = qobject_cast<QWidget*>(control);
        const std::optional<Qt::Key> key = keyNamed(step.value);
        if (!w || !key)
            return QStringLiteral("cannot press %1 on %2").arg(step.value, name);
        const QString text = step.value.size() == 1 ? step.value : QString();
        QKeyEvent press(QEvent::KeyPress, *key, Qt::NoModifier, text);
        QKeyEvent release(QEvent::KeyRelease, *key, Qt::NoModifier, text);
        QApplication::sendEvent(w, &press);
        QApplication::sendEvent(w, &release);
        return {};
    }
    case ScriptStep::Kind::Scroll: {
        auto* s = qobject_cast<QAbstractSlider*>(control);
        bool ok = false;
        const int position = step.value.toInt(&ok);
        if (!s || !ok)
            return QStringLiteral("cannot scroll %1 to %2").arg(name, step.value);
        // A drag: pressed, moved (the value follows while tracking), released.
        s->setSliderDown(true);
        s->setSliderPosition(position);
        s->setSliderDown(false);
        return {};
    }
    case ScriptStep::Kind::Cell: {
        auto* t = qobject_cast<QTableWidget*>(control);
        const QStringList parts = step.value.split(',');
        bool okColumn = false, okRow = false;
        const int column = parts.value(0).toInt(&okColumn);
        const int row = parts.value(1).toInt(&okRow);
        auto* grid = qobject_cast<StringGrid*>(t);
        const int rows = grid ? grid->gridRowCount() : t ? t->rowCount() : 0;
        if (!t || parts.size() != 2 || !okColumn || !okRow || column < 0 || row < 0 ||
            column >= t->columnCount() || row >= rows)
            return QStringLiteral("no cell %1 in %2").arg(step.value, name);
        if (grid) {
            grid->selectCell(column, row);
        } else {
            t->setCurrentCell(row, column);
            emit t->cellClicked(row, column);
        }
        return {};
    }
    case ScriptStep::Kind::Answer:
    case ScriptStep::Kind::Confirm:
        break;
    }
    return {};
}

} // namespace zurval
