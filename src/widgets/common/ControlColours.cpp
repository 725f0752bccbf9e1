#include "widgets/common/ControlColours.h"

#include <QApplication>
#include <QLineEdit>
#include <QProgressBar>
#include <QWidget>

namespace zurval {

QColor buttonFace() {
    return QApplication::palette().color(QPalette::Button);
}

QColor toQColor(PaletteColour colour) {
    return colour == PaletteColour::BtnFace ? buttonFace() : standardColour(colour);
}

void setControlColour(QWidget* w, const QColor& colour) {
    QPalette p = w->palette();
    if (qobject_cast<QProgressBar*>(w)) {
        p.setColor(QPalette::Highlight, colour);
    } else {
        // Labels paint their text in WindowText, edits in Text.
        p.setColor(QPalette::WindowText, colour);
        p.setColor(QPalette::Text, colour);
    }
    w->setPalette(p);
    w->setProperty("zurvalColour", colour);
}

void setControlBackground(QWidget* w, const QColor& background) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, background);
    w->setAutoFillBackground(true);
    w->setPalette(p);
    w->setProperty("zurvalBackground", background);
}

} // namespace zurval
