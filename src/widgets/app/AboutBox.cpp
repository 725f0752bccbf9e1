#include "widgets/app/AboutBox.h"

#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace zurval {
namespace {

// A small tower crane: mast, jib, counter-jib and a hook on its rope.
QPixmap cranePicture() {
    QPixmap pm(64, 64);
    pm.fill(Qt::white);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 0, 128), 2));
    p.drawLine(20, 60, 20, 12);                     // mast
    p.drawLine(4, 14, 60, 14);                      // jib and counter-jib
    p.drawLine(20, 12, 20, 4);                      // head
    p.drawLine(20, 4, 58, 14);                      // jib tie
    p.drawLine(20, 4, 6, 14);                       // counter-jib tie
    p.fillRect(4, 15, 8, 6, QColor(128, 128, 128)); // counterweight
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(46, 14, 46, 40); // rope
    p.fillRect(41, 40, 10, 8, QColor(255, 255, 0));
    p.drawRect(41, 40, 10, 8);
    p.drawLine(10, 60, 30, 60); // base
    return pm;
}

} // namespace

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName("AboutBox");
    setWindowTitle(QStringLiteral("О программе"));
    auto* panel = new QFrame;
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    auto* icon = new QLabel;
    icon->setObjectName("ProgramIcon");
    icon->setPixmap(cranePicture());
    auto* title = new QLabel(QStringLiteral("Анализ РП ЗУРВАЛ"));
    title->setObjectName("ProductName");
    QFont f = title->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.3);
    title->setFont(f);
    auto* version = new QLabel(QStringLiteral("Версия 1.0"));
    version->setObjectName("Version");
    auto* comments =
        new QLabel(QStringLiteral("Программа предназначена для  расшифровки информацию записанной "
                                  "в регистратор параметров ограничителей грузоподъемности "
                                  "ЗУРВАЛ."));
    comments->setObjectName("Comments");
    comments->setWordWrap(true);

    auto* head = new QHBoxLayout;
    head->addWidget(icon, 0, Qt::AlignTop);
    auto* names = new QVBoxLayout;
    names->addWidget(title);
    names->addWidget(version);
    names->addStretch(1);
    head->addLayout(names, 1);
    auto* inner = new QVBoxLayout(panel);
    inner->addLayout(head);
    inner->addWidget(comments);

    auto* ok = new QPushButton(QStringLiteral("OK"));
    ok->setObjectName("OKButton");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(panel);
    outer->addWidget(ok, 0, Qt::AlignHCenter);
    setFixedWidth(320);
}

void TAboutBox::centreOnScreenOf(const QWidget* w) {
    const QScreen* screen = w && w->screen() ? w->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    adjustSize();
    // Moving the box first keeps the dialog from centring itself over its parent instead.
    move(screen->availableGeometry().center() - rect().center());
}

} // namespace zurval
