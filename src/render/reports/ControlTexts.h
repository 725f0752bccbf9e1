#pragma once

#include <QHash>
#include <QString>

namespace zurval {

// What the main window shows, control by control: the reports print what the user sees.
// A control that is not there reads as an empty, hidden text.
class ControlTexts {
public:
    void set(const QString& objectName, const QString& text, bool visible = true) {
        controls_.insert(objectName, {text, visible});
    }
    [[nodiscard]] QString text(const QString& objectName) const {
        return controls_.value(objectName).text;
    }
    [[nodiscard]] bool visible(const QString& objectName) const {
        return controls_.value(objectName).visible;
    }

private:
    struct Shown {
        QString text;
        bool visible = false;
    };
    QHash<QString, Shown> controls_;
};

} // namespace zurval
