#pragma once

#include "core/document/DocumentView.h"
#include "core/protection/Playback.h"
#include "render/protection/ProtectionPicture.h"
#include "widgets/common/DescribesOwnState.h"

#include <QImage>
#include <QWidget>
#include <functional>
#include <memory>

class QLineEdit;
class QProgressBar;
class QSlider;

namespace zurval {

class Prompts;
class RecorderSession;
struct RecorderDocument;
class Ticker;

// PaintBox_KZ: keeps the last picture and puts it back whenever the box is exposed.
class ProtectionPictureBox : public QWidget, public DescribesOwnState {
    Q_OBJECT
public:
    explicit ProtectionPictureBox(Prompts& prompts, QWidget* parent = nullptr);

    // The picture of frameNumber, made by render when it is first needed: when the box is
    // painted or asked for it. Frames are chosen far more often than seen (at every opening,
    // on a page that is not in front).
    void setPicture(std::function<QImage()> render, int frameNumber, ProtectionScales scales);
    // White, as before the first drawing.
    void clearPicture();
    // What the box shows, at its size.
    [[nodiscard]] QImage picture() const;
    [[nodiscard]] QJsonObject describeState() const override;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    void savePicture();

    Prompts& prompts_;
    mutable std::function<QImage()> render_; // set until the picture is made
    mutable QImage picture_;
    int frameNumber_ = -1; // -1 while cleared
    ProtectionScales scales_;
};

// "Координатная защита" of "Графики": the picture of one frame and the controls that choose
// it, by number, by the arrow keys, or as a playback of a range of frames.
class ProtectionViewPage : public QWidget, public DocumentView {
    Q_OBJECT
public:
    // Edit_nz_KZ, typed or drawn, goes into the session, from which the scheme is printed.
    ProtectionViewPage(RecorderSession& session, Prompts& prompts, QWidget* parent = nullptr);
    ~ProtectionViewPage() override;

    void clear() override;
    // The oldest frame, with the scales fitted to the new crane.
    void show() override;

    // Replaces Timer_KZ (tests step a manual one); a running playback stops.
    void useTicker(std::unique_ptr<Ticker> ticker);
    [[nodiscard]] QImage picture() const;

public slots:
    // Draws frame `number` and writes it into Edit_nz_KZ; false (nothing drawn) when it lies
    // outside FrameList. The relay chart's click comes here.
    bool showFrame(int number);
    // The browser writes the chosen frame's number here.
    void setFrameNumberText(const QString& text);
    // "Показать": the frame typed in Edit_nz_KZ; false when it was not drawn.
    bool showTypedFrame();
    void Button_PlayClick(); // "Воспроизвести"
    void Button_StopClick(); // "Стоп"

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    // Draws FrameList[number] (0 .. 7167) with the scales fitted anew.
    void DrawProtectionFrame(int number);
    void Edit_nz_KZKeyDown(int step); // the arrow keys
    void Timer_KZTimer();             // one tick of Timer_KZ
    void TrackBar_SpeedChange(int ms);
    void halt(); // a new load or the clearing ends a playback at once

    RecorderSession& session_;
    const RecorderDocument& document_; // the session's
    Prompts& prompts_;
    std::unique_ptr<Ticker> ticker_;
    Playback playback_;
    // The scales of the picture, fitted anew for every frame drawn and kept from one frame
    // to the next; TrackBar_M_KZ and TrackBar_M_H only show them.
    ProtectionScales scales_;

    ProtectionPictureBox* PaintBox_KZ = nullptr;
    QSlider* TrackBar_M_KZ = nullptr;
    QSlider* TrackBar_M_H = nullptr;
    QLineEdit* Edit_nz_KZ = nullptr;
    QLineEdit* Edit_KZ_SK = nullptr;
    QLineEdit* Edit_KZ_POK = nullptr;
    QProgressBar* ProgressBar_Auto = nullptr;
    QSlider* TrackBar_Speed = nullptr;
};

} // namespace zurval
