#include "widgets/app/WindowTransferView.h"

#include "core/document/RecorderSession.h"
#include "widgets/common/ControlColours.h"
#include "widgets/common/PanelStatusBar.h"

#include <QCoreApplication>
#include <QProgressBar>

namespace zurval {
QColor statusBarColour(StatusColour colour) {
    switch (colour) {
    case StatusColour::Red:
        return colours::Red;
    case StatusColour::Yellow:
        return colours::Yellow;
    case StatusColour::Green:
        return colours::Green;
    case StatusColour::ButtonFace:
        break;
    }
    return buttonFace();
}

WindowTransferView::WindowTransferView(PanelStatusBar* statusBar, QProgressBar* progressBar,
                                       QWidget* abortButton, RecorderSession& session,
                                       QObject* parent)
    : QObject(parent), statusBar_(statusBar), progressBar_(progressBar), abortButton_(abortButton),
      session_(session) {}

void WindowTransferView::setStatusText(const QString& text) {
    // Panel 1 names the file the commands work on; a read's messages take its place there
    // until the read names the file it saved.
    session_.setFileName(text);
}

void WindowTransferView::setStatusColour(StatusColour colour) {
    setControlBackground(statusBar_, statusBarColour(colour));
}

void WindowTransferView::setProgressVisible(bool visible) {
    progressBar_->setVisible(visible);
    abortButton_->setVisible(visible);
}

void WindowTransferView::setProgress(int percent) {
    progressBar_->setValue(percent);
}

void WindowTransferView::repaint() {
    paint();
}

void WindowTransferView::beforeBlockingStep() {
    if (!sincePaint_.isValid() || sincePaint_.elapsed() >= kTransferPaintIntervalMs)
        paint();
}

void WindowTransferView::paint() {
    noteShown();
    // Everything but user input to the main window, which is held off while a transfer runs.
    QCoreApplication::processEvents();
    sincePaint_.start();
}

void WindowTransferView::startReporting() {
    shownText_ = statusBar_->panelText(1);
    shownColour_ = statusBar_->property("zurvalBackground").value<QColor>();
    sincePaint_.invalidate();
}

void WindowTransferView::noteShown() {
    const QString text = statusBar_->panelText(1);
    const QColor colour = statusBar_->property("zurvalBackground").value<QColor>();
    if (text == shownText_ && colour == shownColour_)
        return;
    shownText_ = text;
    shownColour_ = colour;
    emit statusShown(text, colour);
}

OperatorBlock WindowTransferView::operatorTexts() const {
    return session_.texts().operatorTexts;
}

void WindowTransferView::setOperatorTexts(const OperatorBlock& texts) {
    session_.setOperatorTexts(texts);
}

} // namespace zurval
