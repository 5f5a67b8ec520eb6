#pragma once
// "O programie": version, the maker's logo and address, and two links (e-mail, web site).
#include <QDialog>

class QLabel;
class QPushButton;

namespace nubra::app {

class TLinkLabel;

class TFormAbout : public QDialog {
    Q_OBJECT
public:
    static const QString EMail;
    static const QString Www;

    explicit TFormAbout(QWidget* parent = nullptr);

    QLabel* LabelVersion() const { return labelVersion_; }
    TLinkLabel* StaticTextEMail() const { return staticTextEMail_; }
    TLinkLabel* StaticTextWWW() const { return staticTextWWW_; }
    QPushButton* CloseButton() const { return closeButton_; }

    void StaticTextEMailClick();
    void StaticTextWWWClick();

protected:
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void OpenLink(const QString& link);

    QLabel* labelVersion_;
    TLinkLabel* staticTextEMail_;
    TLinkLabel* staticTextWWW_;
    QPushButton* closeButton_;
};

} // namespace nubra::app
