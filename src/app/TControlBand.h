#pragma once
// One movable tool bar inside TControlBar: a grip to drag it by, then the tool bar.
#include <QPoint>
#include <QWidget>

class QToolBar;

namespace nubra::app {

class TControlBar;

class TControlBand : public QWidget {
    Q_OBJECT
public:
    static constexpr int GripWidth = 9;

    TControlBand(QToolBar* bar, TControlBar* area);
    QToolBar* Bar() const { return bar_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QToolBar* bar_;
    TControlBar* area_;
    QPoint grabOffset_;
    bool dragging_ = false;
};

} // namespace nubra::app
