#pragma once
// "Proszę czekać...": shown while the link waits for the printer to finish printing. Every show
// clears the link's AbortRequested and every hide sets it, so "Zamknij" (or the close box) ends
// the wait, and a flag left from an earlier wait never aborts a new one.
#include <QDialog>
#include <QPixmap>
#include <vector>

class QLabel;
class QPushButton;
class QTimer;

namespace nubra {
class TNX3Class;
}

namespace nubra::app {

class TFormWait : public QDialog {
    Q_OBJECT
public:
    static constexpr int FrameCount = 13;
    static constexpr int FrameInterval = 150;

    // nx3 may be null (then only the animation runs).
    explicit TFormWait(TNX3Class* nx3, QWidget* parent = nullptr);

    QPushButton* Button1() const { return button1_; }
    int CurrentFrame() const { return frame_; }
    bool Animating() const;
    // The animation frames, 32 x 32, drawn once.
    static std::vector<QPixmap> Frames();

signals:
    void waitShown();
    void waitHidden();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void FormShow();
    void FormHide();
    void Button1Click();
    void NextFrame();

    TNX3Class* nx3_;
    QLabel* aImageWait_;
    QPushButton* button1_;
    QTimer* timer_;
    std::vector<QPixmap> frames_;
    int frame_ = 0;
};

} // namespace nubra::app
