#pragma once

#include "DocumentView.h"
#include "ProtectionSettings.h"

#include <QWidget>
#include <array>

class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace zurval {

class StringGrid;

// "Настройки": the four protection zones with their points, the entered limits and the
// crane parameter listing.
class SettingsPage : public QWidget, public DocumentView {
    Q_OBJECT
public:
    explicit SettingsPage(QWidget* parent = nullptr);

    void clear() override;
    void show(const RecorderDocument& document) override;

private:
    void showTexts(const ProtectionPageTexts& texts);

    std::array<QLabel*, kZoneCount> captions_{};
    std::array<StringGrid*, kZoneCount> grids_{};
    std::array<QLabel*, kZoneCount> counts_{};
    std::array<QLineEdit*, kLimitCount> limits_{};
    QPlainTextEdit* RE_Param = nullptr;
};

} // namespace zurval
