#pragma once

#include <QDialog>

namespace zurval {

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);
};

} // namespace zurval
