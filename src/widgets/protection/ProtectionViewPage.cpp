#include "widgets/protection/ProtectionViewPage.h"

#include "core/document/RecorderSession.h"

#include "core/common/Clock.h"
#include "core/common/Prompts.h"
#include "core/document/RecorderDocument.h"
#include "widgets/common/ControlColours.h"

#include <QAction>
#include <QDir>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>
#include <functional>

namespace zurval {
namespace {

constexpr int kPictureWidth = 754;
constexpr int kPictureHeight = 366;
constexpr int kFastestStepMs = 50;
constexpr int kSlowestStepMs = 1000;
const QString kLastFrameText = QString::number(kLastFrameNumber);

// Timer_KZ in the state dump: whether a playback runs, its pace and its next frame.
class TimerDescription : public QObject, public DescribesOwnState {
public:
    TimerDescription(std::function<QJsonObject()> describe, QObject* parent)
        : QObject(parent), describe_(std::move(describe)) {
        setObjectName("Timer_KZ");
    }
    [[nodiscard]] QJsonObject describeState() const override { return describe_(); }

private:
    std::function<QJsonObject()> describe_;
};

QLineEdit* numberEdit(const char* name) {
    auto* edit = new QLineEdit;
    edit->setObjectName(QString::fromLatin1(name));
    edit->setFixedWidth(48);
    return edit;
}

QPushButton* button(const char* name, const QString& caption) {
    auto* b = new QPushButton(caption);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

} // namespace

ProtectionPictureBox::ProtectionPictureBox(Prompts& prompts, QWidget* parent)
    : QWidget(parent), prompts_(prompts) {
    setObjectName("PaintBox_KZ");
    setFixedSize(kPictureWidth, kPictureHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
    auto* save = new QAction(QStringLiteral("Сохранить изображение..."), this);
    save->setObjectName("SavePicture_KZ");
    save->setEnabled(false);
    connect(save, &QAction::triggered, this, &ProtectionPictureBox::savePicture);
    addAction(save);
    setContextMenuPolicy(Qt::ActionsContextMenu);
}

void ProtectionPictureBox::setPicture(std::function<QImage()> render, int frameNumber,
                                      ProtectionScales scales) {
    render_ = std::move(render);
    picture_ = QImage();
    frameNumber_ = frameNumber;
    scales_ = scales;
    actions().constFirst()->setEnabled(true);
    update();
}

void ProtectionPictureBox::clearPicture() {
    render_ = nullptr;
    picture_ = QImage();
    frameNumber_ = -1;
    actions().constFirst()->setEnabled(false);
    update();
}

QImage ProtectionPictureBox::picture() const {
    if (render_) {
        picture_ = render_();
        render_ = nullptr;
    }
    if (!picture_.isNull())
        return picture_;
    QImage white(size(), QImage::Format_RGB32);
    white.fill(Qt::white);
    return white;
}

QJsonObject ProtectionPictureBox::describeState() const {
    return {{"frame", frameNumber_ < 0 ? QJsonValue() : QJsonValue(frameNumber_)},
            {"planScale", scales_.plan},
            {"heightScale", scales_.height},
            {"width", picture().width()},
            {"height", picture().height()}};
}

void ProtectionPictureBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    if (frameNumber_ >= 0)
        p.drawImage(0, 0, picture());
}

void ProtectionPictureBox::savePicture() {
    const FileDialogRequest request{QStringLiteral("Сохранить изображение"),
                                    QDir::currentPath(),
                                    {QStringLiteral("Рисунки PNG (*.png)")},
                                    QStringLiteral("png"),
                                    QStringLiteral("kadr_%1.png").arg(frameNumber_)};
    const QString path = prompts_.saveFileName(request);
    if (path.isEmpty())
        return;
    if (!writePng(picture(), path))
        prompts_.error(QStringLiteral("Не удалось сохранить изображение в файл\n%1").arg(path));
}

ProtectionViewPage::ProtectionViewPage(RecorderSession& session, Prompts& prompts, QWidget* parent)
    : QWidget(parent), session_(session), document_(session.document()), prompts_(prompts) {
    auto* panel = new QFrame;
    panel->setObjectName("Panel_KZ");
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setLineWidth(1);
    setControlBackground(panel, colours::White);
    PaintBox_KZ = new ProtectionPictureBox(prompts);
    auto* panelLayout = new QVBoxLayout(panel);
    panelLayout->setContentsMargins(1, 1, 1, 1);
    panelLayout->addWidget(PaintBox_KZ);

    // Two hidden track bars show the scales of the picture.
    auto scaleBar = [this](const char* name, int initial) {
        auto* bar = new QSlider(Qt::Horizontal, this);
        bar->setObjectName(QString::fromLatin1(name));
        bar->setRange(kMinScale, kMaxScale);
        bar->setValue(initial);
        bar->hide();
        return bar;
    };
    TrackBar_M_KZ = scaleBar("TrackBar_M_KZ", scales_.plan);
    TrackBar_M_H = scaleBar("TrackBar_M_H", scales_.height);

    auto* manual = new QGroupBox(QStringLiteral("Ручной просмотр"));
    Edit_nz_KZ = numberEdit("Edit_nz_KZ");
    Edit_nz_KZ->installEventFilter(this);
    connect(Edit_nz_KZ, &QLineEdit::textChanged, this,
            [this](const QString& text) { session_.setShownFrame(text); });
    QPushButton* Button_Vewe = button("Button_Vewe", QStringLiteral("Показать"));
    auto* manualRows = new QGridLayout(manual);
    manualRows->setContentsMargins(6, 2, 6, 2);
    manualRows->setVerticalSpacing(2);
    manualRows->addWidget(new QLabel(QStringLiteral("Номер кадра")), 0, 0);
    manualRows->addWidget(Edit_nz_KZ, 0, 1);
    manualRows->addWidget(Button_Vewe, 1, 0, 1, 2);

    auto* automatic = new QGroupBox(QStringLiteral("Автоматический просмотр"));
    automatic->setObjectName("GroupBox_Auto");
    Edit_KZ_SK = numberEdit("Edit_KZ_SK");
    Edit_KZ_POK = numberEdit("Edit_KZ_POK");
    QPushButton* Button_Play = button("Button_Play", QStringLiteral("Воспроизвести"));
    QPushButton* Button_Stop = button("Button_Stop", QStringLiteral("Стоп"));
    ProgressBar_Auto = new QProgressBar;
    ProgressBar_Auto->setObjectName("ProgressBar_Auto");
    ProgressBar_Auto->setRange(0, 100);
    ProgressBar_Auto->setTextVisible(false);
    ProgressBar_Auto->setFixedHeight(14);
    TrackBar_Speed = new QSlider(Qt::Horizontal);
    TrackBar_Speed->setObjectName("TrackBar_Speed");
    TrackBar_Speed->setRange(kFastestStepMs, kSlowestStepMs);
    TrackBar_Speed->setValue(kFastestStepMs);
    TrackBar_Speed->setTickInterval(100);
    TrackBar_Speed->setTickPosition(QSlider::TicksBelow);
    TrackBar_Speed->setPageStep(100);
    TrackBar_Speed->setFixedWidth(140);
    auto* range = new QHBoxLayout;
    range->addWidget(new QLabel(QStringLiteral("Воспроизвести с ")));
    range->addWidget(Edit_KZ_SK);
    range->addWidget(new QLabel(QStringLiteral("по")));
    range->addWidget(Edit_KZ_POK);
    range->addStretch(1);
    range->addWidget(Button_Play);
    range->addWidget(Button_Stop);
    auto* pace = new QHBoxLayout;
    pace->addWidget(ProgressBar_Auto, 1);
    pace->addSpacing(8);
    pace->addWidget(new QLabel(QStringLiteral("Скорость")));
    pace->addWidget(TrackBar_Speed);
    auto* autoRows = new QVBoxLayout(automatic);
    autoRows->setContentsMargins(6, 2, 6, 2);
    autoRows->setSpacing(2);
    autoRows->addLayout(range);
    autoRows->addLayout(pace);

    auto* controls = new QHBoxLayout;
    controls->setSpacing(4);
    controls->addWidget(manual);
    controls->addWidget(automatic, 1);

    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(2, 2, 2, 2);
    page->setSpacing(2);
    page->addWidget(panel, 0, Qt::AlignLeft);
    page->addLayout(controls);
    page->addStretch(1);

    new TimerDescription(
        [this] {
            return QJsonObject{{"enabled", ticker_->isActive()},
                               {"interval", TrackBar_Speed->value()},
                               {"playbackFrame", playback_.frame()}};
        },
        this);
    useTicker(std::make_unique<QtTicker>());

    connect(Button_Vewe, &QPushButton::clicked, this, &ProtectionViewPage::showTypedFrame);
    connect(Button_Play, &QPushButton::clicked, this, &ProtectionViewPage::Button_PlayClick);
    connect(Button_Stop, &QPushButton::clicked, this, &ProtectionViewPage::Button_StopClick);
    connect(TrackBar_Speed, &QSlider::valueChanged, this,
            &ProtectionViewPage::TrackBar_SpeedChange);
    clear();
}

ProtectionViewPage::~ProtectionViewPage() = default;

void ProtectionViewPage::useTicker(std::unique_ptr<Ticker> ticker) {
    if (ticker_)
        ticker_->stop();
    ticker_ = std::move(ticker);
    ticker_->onTick([this] { Timer_KZTimer(); });
}

QImage ProtectionViewPage::picture() const {
    return PaintBox_KZ->picture();
}

void ProtectionViewPage::clear() {
    halt();
    PaintBox_KZ->clearPicture();
    Edit_nz_KZ->setText(session_.texts().shownFrame);
    Edit_KZ_SK->setText(QStringLiteral("0"));
    Edit_KZ_POK->setText(kLastFrameText);
}

void ProtectionViewPage::show() {
    DrawProtectionFrame(0);
}

bool ProtectionViewPage::showFrame(int number) {
    if (number < 0 || number > kLastFrameNumber)
        return false;
    DrawProtectionFrame(number);
    return true;
}

void ProtectionViewPage::setFrameNumberText(const QString& text) {
    Edit_nz_KZ->setText(text);
}

bool ProtectionViewPage::showTypedFrame() {
    const FrameRequest request = requestFrame(Edit_nz_KZ->text());
    if (!request.error.isEmpty())
        prompts_.error(request.error);
    if (!request.frame)
        return false;
    DrawProtectionFrame(*request.frame);
    return true;
}

void ProtectionViewPage::Edit_nz_KZKeyDown(int step) {
    const FrameRequest request = requestFrame(Edit_nz_KZ->text(), step);
    if (!request.error.isEmpty())
        prompts_.error(request.error);
    if (request.frame)
        DrawProtectionFrame(*request.frame);
}

void ProtectionViewPage::Button_PlayClick() {
    const Playback::Start start = playback_.start(Edit_KZ_SK->text(), Edit_KZ_POK->text());
    if (!start.error.isEmpty())
        prompts_.error(start.error);
    if (!start.started)
        return;
    // An empty range would turn the bar into a busy indicator.
    ProgressBar_Auto->setRange(0, std::max(1, start.progressMaximum));
    ticker_->start(TrackBar_Speed->value());
}

void ProtectionViewPage::Button_StopClick() {
    playback_.requestStop();
}

void ProtectionViewPage::Timer_KZTimer() {
    // No step starts while one is drawing; the pause counts from the end of the drawing.
    ticker_->stop();
    DrawProtectionFrame(playback_.frame());
    const Playback::Step step = playback_.afterDrawing(Edit_KZ_SK->text(), Edit_KZ_POK->text());
    ProgressBar_Auto->setValue(step.progress);
    if (!step.error.isEmpty())
        prompts_.error(step.error);
    if (step.goesOn)
        ticker_->start(TrackBar_Speed->value());
}

void ProtectionViewPage::TrackBar_SpeedChange(int ms) {
    // A new interval restarts the count at once, as a timer given a new interval does.
    if (ticker_->isActive())
        ticker_->start(ms);
}

void ProtectionViewPage::halt() {
    ticker_->stop();
    ProgressBar_Auto->setValue(0);
}

void ProtectionViewPage::DrawProtectionFrame(int number) {
    const CycleFrame& frame = document_.cyclic.frameList->at(static_cast<std::size_t>(number));
    const QSize area = PaintBox_KZ->size();
    scales_ = fitScales(scales_, document_.craneDimensions, area);
    TrackBar_M_KZ->setValue(scales_.plan);
    TrackBar_M_H->setValue(scales_.height);
    const ProtectionScales scales = scales_;
    PaintBox_KZ->setPicture(
        [area, frame, dimensions = document_.craneDimensions, zones = document_.protection.zones,
         limits = document_.protection.limits,
         scales] { return renderProtectionFrame(area, frame, dimensions, zones, limits, scales); },
        number, scales);
    Edit_nz_KZ->setText(QString::number(number));
}

bool ProtectionViewPage::eventFilter(QObject* watched, QEvent* e) {
    if (watched == Edit_nz_KZ && e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            Edit_nz_KZKeyDown(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, e);
}

} // namespace zurval
