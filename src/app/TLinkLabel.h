#pragma once
// A static text that looks and acts like a link: blue, underlined, hand cursor, clicked by mouse or
// by Enter/Space when it has the focus.
#include <QLabel>

namespace nubra::app {

class TLinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit TLinkLabel(const QString& text, QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
};

} // namespace nubra::app
