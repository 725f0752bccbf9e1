#pragma once

#include "core/document/DocumentView.h"
#include "core/protection/ProtectionSettings.h"

#include <QWidget>
#include <array>

class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace zurval {

class RecorderSession;
class StringGrid;

// "Настройки": the four protection zones with their points, the entered limits and the
// crane parameter listing.
class SettingsPage : public QWidget, public DocumentView {
    Q_OBJECT
public:
    explicit SettingsPage(const RecorderSession& session, QWidget* parent = nullptr);

    void clear() override { showTexts(); }
    void show() override { showTexts(); }

private:
    void showTexts();

    const RecorderSession& session_;
    std::array<QLabel*, kZoneCount> captions_{};
    std::array<StringGrid*, kZoneCount> grids_{};
    std::array<QLabel*, kZoneCount> counts_{};
    std::array<QLineEdit*, kLimitCount> limits_{};
    QPlainTextEdit* RE_Param = nullptr;
};

} // namespace zurval
