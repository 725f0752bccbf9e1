#pragma once

#include "core/acquisition/TransferView.h"

#include <QColor>
#include <QElapsedTimer>
#include <QObject>

class QProgressBar;
class QWidget;

namespace zurval {

class PanelStatusBar;
class RecorderSession;

// What a device command shows, on the main window's controls: panel 1 of the status bar and
// its colour, ProgressBar_Read with the abort button beside it; and the operator's texts of
// the session, which the service page mirrors.
class WindowTransferView : public QObject, public TransferView {
    Q_OBJECT
public:
    WindowTransferView(PanelStatusBar* statusBar, QProgressBar* progressBar, QWidget* abortButton,
                       RecorderSession& session, QObject* parent = nullptr);

    void setStatusText(const QString& text) override;
    void setStatusColour(StatusColour colour) override;
    void setProgressVisible(bool visible) override;
    void setProgress(int percent) override;
    void repaint() override;
    void beforeBlockingStep() override;
    [[nodiscard]] OperatorBlock operatorTexts() const override;
    void setOperatorTexts(const OperatorBlock& texts) override;

    // A command starts: what panel 1 shows now is not reported again.
    void startReporting();
    // Reports panel 1 as it is now, if it changed since it was last reported. The window
    // calls it when a command ends; the view itself whenever the window paints.
    void noteShown();

signals:
    // Panel 1 with the status bar's colour, each time the user could see a new one.
    void statusShown(const QString& text, const QColor& colour);

private:
    void paint();

    PanelStatusBar* statusBar_;
    QProgressBar* progressBar_;
    QWidget* abortButton_;
    RecorderSession& session_;
    QString shownText_;
    QColor shownColour_;
    QElapsedTimer sincePaint_;
};

// The window paints at most this often while a transfer blocks it: often enough to look
// alive, rarely enough to cost nothing next to the bytes coming in.
constexpr qint64 kTransferPaintIntervalMs = 50;

// The colour of the status bar for a device command's state.
[[nodiscard]] QColor statusBarColour(StatusColour colour);

} // namespace zurval
