#pragma once

#include <QStatusBar>
#include <QStringList>
#include <vector>

class QLabel;

namespace zurval {

// A status bar of fixed-width text panels; the last one takes the remaining width.
class PanelStatusBar : public QStatusBar {
    Q_OBJECT
public:
    PanelStatusBar(const std::vector<int>& widths, QWidget* parent = nullptr);

    void setPanelText(int panel, const QString& text);
    [[nodiscard]] QString panelText(int panel) const;
    [[nodiscard]] QStringList panelTexts() const;

private:
    std::vector<QLabel*> panels_;
};

} // namespace zurval
