#pragma once

#include <QDialog>

namespace zurval {

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);
    // The box stands in the middle of the screen that shows w.
    void centreOnScreenOf(const QWidget* w);
};

} // namespace zurval
