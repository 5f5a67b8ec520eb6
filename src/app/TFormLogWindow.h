#pragma once
// "Podgląd danych": every frame sent to and received from the printer, one line each, while the
// window is visible. Lines are gathered and appended in one go on the next turn of the event loop,
// so a burst of traffic costs one redraw.
#include <QStringList>
#include <QWidget>
#include <string>

class QPlainTextEdit;
class QTimer;
class QToolButton;

namespace nubra::app {

class TFormLogWindow : public QWidget {
    Q_OBJECT
public:
    explicit TFormLogWindow(QWidget* parent = nullptr);

    // Raw bytes of one line; dropped unless the window is visible.
    void AddLogLine(const std::string& bytes);
    // The memo's lines, pending ones included (for the program's own checks and tests).
    QStringList Lines();
    void FlushPending();

    QToolButton* SpeedButton1() const { return speedButton1_; }
    QToolButton* WordWrapButton() const { return sbWordWrap_; }
    QToolButton* StayOnTopButton() const { return sbStayOnTop_; }
    QPlainTextEdit* Memo() const { return mLog_; }

private:
    void SpeedButton1Click();
    void SB_WordWrapClick();
    void SB_StayOnTopClick();

    QToolButton* speedButton1_;
    QToolButton* sbWordWrap_;
    QToolButton* sbStayOnTop_;
    QPlainTextEdit* mLog_;
    QTimer* flushTimer_;
    QStringList pending_;
};

} // namespace nubra::app
