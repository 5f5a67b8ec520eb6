#include "TFormWait.h"

#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>

#include "TNX3Class.h"

namespace nubra::app {

std::vector<QPixmap> TFormWait::Frames() {
    // A printer head running along a paper strip: thirteen steps of a dot chasing round a ring,
    // with a fading tail, over the grey square the image sits on.
    std::vector<QPixmap> frames;
    frames.reserve(FrameCount);
    for (int f = 0; f < FrameCount; ++f) {
        QPixmap pm(32, 32);
        pm.fill(QColor(0xC0, 0xC0, 0xC0));
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        for (int i = 0; i < FrameCount; ++i) {
            const double angle = 2.0 * M_PI * i / FrameCount - M_PI / 2;
            const int age = (f - i + FrameCount) % FrameCount; // 0 = the leading dot
            const int shade = age < 5 ? 40 + age * 35 : 235;
            p.setBrush(QColor(shade / 3, shade / 2, shade));
            const double r = age == 0 ? 3.2 : 2.2;
            p.drawEllipse(QPointF(16 + 11 * std::cos(angle), 16 + 11 * std::sin(angle)), r, r);
        }
        p.setBrush(QColor(0x40, 0x40, 0x40));
        p.drawRect(12, 13, 8, 6); // the printer in the middle
        p.setBrush(Qt::white);
        p.drawRect(14, 10, 4, 3);
        frames.push_back(pm);
    }
    return frames;
}

TFormWait::TFormWait(TNX3Class* nx3, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint), nx3_(nx3),
      frames_(Frames()) {
    setObjectName(QStringLiteral("FormWait"));
    setWindowTitle(QStringLiteral("Proszę czekać..."));
    setFont(QFont(QStringLiteral("Tahoma")));
    setModal(false);

    aImageWait_ = new QLabel(this);
    aImageWait_->setObjectName(QStringLiteral("AImageWait"));
    aImageWait_->setFixedSize(32, 32);
    aImageWait_->setPixmap(frames_[0]);
    aImageWait_->setAccessibleName(QStringLiteral("Animacja oczekiwania"));

    auto* label = new QLabel(QStringLiteral("Program czeka na zakończenie drukowania dokumentu..."), this);
    button1_ = new QPushButton(QStringLiteral("Zamknij"), this);
    button1_->setObjectName(QStringLiteral("Button1"));

    auto* top = new QHBoxLayout;
    top->addWidget(aImageWait_, 0, Qt::AlignTop);
    top->addSpacing(8);
    top->addWidget(label, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(button1_, 0, Qt::AlignHCenter);
    setFixedSize(358, 87);

    timer_ = new QTimer(this);
    timer_->setInterval(FrameInterval);
    connect(timer_, &QTimer::timeout, this, &TFormWait::NextFrame);
    connect(button1_, &QPushButton::clicked, this, &TFormWait::Button1Click);
}

bool TFormWait::Animating() const {
    return timer_->isActive();
}

void TFormWait::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Restoring a minimised window is no new wait.
    if (!event->spontaneous())
        FormShow();
}

void TFormWait::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    if (!event->spontaneous())
        FormHide();
}

void TFormWait::FormShow() {
    frame_ = 0;
    aImageWait_->setPixmap(frames_[0]);
    timer_->start();
    if (nx3_)
        nx3_->AbortRequested = false;
    emit waitShown();
}

void TFormWait::FormHide() {
    timer_->stop();
    if (nx3_)
        nx3_->AbortRequested = true;
    emit waitHidden();
}

void TFormWait::Button1Click() {
    hide();
}

void TFormWait::NextFrame() {
    frame_ = (frame_ + 1) % FrameCount;
    aImageWait_->setPixmap(frames_[static_cast<size_t>(frame_)]);
}

} // namespace nubra::app
