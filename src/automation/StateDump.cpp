#include "automation/StateDump.h"

#include "widgets/common/PanelStatusBar.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAction>
#include <QColor>
#include <QComboBox>
#include <QGroupBox>
#include <QJsonDocument>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextEdit>

namespace zurval {
namespace {

QString hex(const QColor& c) {
    return c.name(QColor::HexRgb);
}

QJsonArray linesOf(const QString& text) {
    QJsonArray out;
    if (text.isEmpty())
        return out;
    for (const QString& line : text.split('\n'))
        out.append(line);
    return out;
}

QJsonArray cellsOf(const QTableWidget* t) {
    QJsonArray rows;
    for (int r = 0; r < t->rowCount(); ++r) {
        QJsonArray row;
        for (int c = 0; c < t->columnCount(); ++c) {
            const QTableWidgetItem* item = t->item(r, c);
            row.append(item ? item->text() : QString());
        }
        rows.append(row);
    }
    return rows;
}

void addRange(QJsonObject& c, int value, int minimum, int maximum) {
    c["value"] = value;
    c["minimum"] = minimum;
    c["maximum"] = maximum;
}

// The tab caption when w is a page of a tab widget.
bool addTabCaption(QJsonObject& c, const QWidget* w) {
    const auto* stack = qobject_cast<const QStackedWidget*>(w->parentWidget());
    const auto* tabs = stack ? qobject_cast<const QTabWidget*>(stack->parentWidget()) : nullptr;
    if (!tabs)
        return false;
    const int index = tabs->indexOf(const_cast<QWidget*>(w));
    if (index < 0)
        return false;
    c["text"] = tabs->tabText(index);
    c["visible"] = tabs->isTabVisible(index);
    return true;
}

QJsonObject dumpWidget(const QWidget* w) {
    QJsonObject c;
    c["enabled"] = !w->testAttribute(Qt::WA_ForceDisabled);
    // The control's own flag: hidden only when something hid it explicitly.
    c["visible"] = !(w->isHidden() && w->testAttribute(Qt::WA_WState_ExplicitShowHide));
    if (addTabCaption(c, w)) {
    } else if (const auto* e = qobject_cast<const QLineEdit*>(w)) {
        c["text"] = e->text();
    } else if (const auto* l = qobject_cast<const QLabel*>(w)) {
        c["text"] = l->text();
    } else if (const auto* b = qobject_cast<const QAbstractButton*>(w)) {
        c["text"] = b->text();
        if (b->isCheckable())
            c["checked"] = b->isChecked();
    } else if (const auto* g = qobject_cast<const QGroupBox*>(w)) {
        c["text"] = g->title();
        if (g->isCheckable())
            c["checked"] = g->isChecked();
    } else if (const auto* t = qobject_cast<const QTableWidget*>(w)) {
        c["cells"] = cellsOf(t);
    } else if (const auto* p = qobject_cast<const QPlainTextEdit*>(w)) {
        c["lines"] = linesOf(p->toPlainText());
    } else if (const auto* te = qobject_cast<const QTextEdit*>(w)) {
        c["lines"] = linesOf(te->toPlainText());
    } else if (const auto* s = qobject_cast<const QAbstractSlider*>(w)) {
        addRange(c, s->value(), s->minimum(), s->maximum());
    } else if (const auto* pb = qobject_cast<const QProgressBar*>(w)) {
        addRange(c, pb->value(), pb->minimum(), pb->maximum());
    } else if (const auto* sb = qobject_cast<const PanelStatusBar*>(w)) {
        c["panels"] = QJsonArray::fromStringList(sb->panelTexts());
    } else if (const auto* tw = qobject_cast<const QTabWidget*>(w)) {
        if (const QWidget* page = tw->currentWidget())
            c["current"] = page->objectName();
    } else if (const auto* m = qobject_cast<const QMenu*>(w)) {
        c["text"] = m->title();
        if (!m->menuAction()->shortcut().isEmpty())
            c["shortcut"] = m->menuAction()->shortcut().toString(QKeySequence::PortableText);
        if (const QVariant tag = m->property("Tag"); tag.isValid())
            c["tag"] = tag.toInt();
    } else if (w->isWindow()) {
        c["text"] = w->windowTitle();
    }
    const QVariant colour = w->property("zurvalColour");
    if (colour.isValid())
        c["color"] = hex(colour.value<QColor>());
    const QVariant background = w->property("zurvalBackground");
    if (background.isValid())
        c["background"] = hex(background.value<QColor>());
    return c;
}

QJsonObject dumpAction(const QAction* a) {
    QJsonObject c;
    c["text"] = a->isSeparator() ? QStringLiteral("-") : a->text();
    c["enabled"] = a->isEnabled();
    c["visible"] = a->isVisible();
    if (a->isCheckable())
        c["checked"] = a->isChecked();
    if (!a->shortcut().isEmpty())
        c["shortcut"] = a->shortcut().toString(QKeySequence::PortableText);
    const QVariant tag = a->property("Tag");
    if (tag.isValid())
        c["tag"] = tag.toInt();
    return c;
}

// Children that Qt makes inside its own widgets (the scroll buttons of a tab bar, the
// viewport of a table) carry names of Qt's, not ours.
bool isQtInternal(const QObject* o, const QObject* root) {
    if (o->objectName().startsWith("qt_"))
        return true;
    for (const QObject* p = o->parent(); p && p != root; p = p->parent())
        if (qobject_cast<const QTabBar*>(p) || qobject_cast<const QAbstractSpinBox*>(p) ||
            qobject_cast<const QComboBox*>(p))
            return true;
    return false;
}

// Our named controls below root, root included, in the order of the object tree.
QList<const QObject*> namedControls(const QObject* root) {
    QList<const QObject*> out;
    QList<const QObject*> all{root};
    for (const QObject* o : root->findChildren<QObject*>())
        all.append(o);
    for (const QObject* o : all)
        if (!o->objectName().isEmpty() && !isQtInternal(o, root) &&
            (qobject_cast<const QWidget*>(o) || qobject_cast<const QAction*>(o) ||
             dynamic_cast<const DescribesOwnState*>(o)))
            out.append(o);
    return out;
}

} // namespace

QJsonObject dumpControls(const QObject* root) {
    QJsonObject controls;
    for (const QObject* o : namedControls(root)) {
        QJsonObject c;
        if (const auto* w = qobject_cast<const QWidget*>(o))
            c = dumpWidget(w);
        else if (const auto* a = qobject_cast<const QAction*>(o))
            c = dumpAction(a);
        if (const auto* self = dynamic_cast<const DescribesOwnState*>(o)) {
            const QJsonObject own = self->describeState();
            for (auto it = own.begin(); it != own.end(); ++it)
                c[it.key()] = it.value();
        }
        controls[o->objectName()] = c;
    }
    return controls;
}

QStringList duplicateControlNames(const QObject* root) {
    QStringList seen, duplicates;
    for (const QObject* o : namedControls(root)) {
        if (seen.contains(o->objectName()) && !duplicates.contains(o->objectName()))
            duplicates << o->objectName();
        seen << o->objectName();
    }
    return duplicates;
}

QJsonArray dumpMessages(const ScriptedPrompts& prompts, std::size_t from) {
    QJsonArray out;
    const std::vector<ScriptedPrompts::Shown>& shown = prompts.shown();
    for (std::size_t i = from; i < shown.size(); ++i) {
        const ScriptedPrompts::Shown& s = shown[i];
        QString kind = QStringLiteral("plain");
        if (s.kind == ScriptedPrompts::Kind::Error)
            kind = QStringLiteral("error");
        else if (s.kind == ScriptedPrompts::Kind::Information)
            kind = QStringLiteral("information");
        else if (s.kind == ScriptedPrompts::Kind::Confirm)
            kind = QStringLiteral("confirm");
        out.append(QJsonObject{{"kind", kind}, {"text", s.text}});
    }
    return out;
}

QJsonObject stateOf(const QObject* root, const ScriptedPrompts& prompts, std::size_t messagesFrom) {
    return {{"messages", dumpMessages(prompts, messagesFrom)}, {"controls", dumpControls(root)}};
}

QByteArray stateJson(const QObject* root, const ScriptedPrompts& prompts) {
    return QJsonDocument(stateOf(root, prompts)).toJson(QJsonDocument::Indented);
}

} // namespace zurval
