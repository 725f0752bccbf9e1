#include "widgets/common/PanelStatusBar.h"

#include <QLabel>

namespace zurval {

PanelStatusBar::PanelStatusBar(const std::vector<int>& widths, QWidget* parent)
    : QStatusBar(parent) {
    setSizeGripEnabled(false);
    for (std::size_t i = 0; i < widths.size(); ++i) {
        auto* panel = new QLabel(this);
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setTextFormat(Qt::PlainText);
        const bool last = i + 1 == widths.size();
        if (last)
            panel->setMinimumWidth(widths[i]);
        else
            panel->setFixedWidth(widths[i]);
        addPermanentWidget(panel, last ? 1 : 0);
        panels_.push_back(panel);
    }
}

void PanelStatusBar::setPanelText(int panel, const QString& text) {
    if (panel >= 0 && panel < static_cast<int>(panels_.size()))
        panels_[panel]->setText(text);
}

QString PanelStatusBar::panelText(int panel) const {
    if (panel >= 0 && panel < static_cast<int>(panels_.size()))
        return panels_[panel]->text();
    return {};
}

QStringList PanelStatusBar::panelTexts() const {
    QStringList out;
    for (const QLabel* p : panels_)
        out << p->text();
    return out;
}

} // namespace zurval
