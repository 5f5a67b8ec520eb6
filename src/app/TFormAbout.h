#pragma once
// "O programie": version, the maker's logo and address, and two links (e-mail, web site).
#include <QDialog>
#include <QSet>

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
    QLabel* LabelDataFolder() const { return labelDataFolder_; }

    // The line under the maker's texts that says where the program keeps its data.
    void SetDataFolder(const QString& folder);

    void StaticTextEMailClick();
    void StaticTextWWWClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void OpenLink(const QString& link);

    QLabel* labelVersion_;
    TLinkLabel* staticTextEMail_;
    TLinkLabel* staticTextWWW_;
    QLabel* labelDataFolder_;
    QPushButton* closeButton_;
    // Keys pressed while this window had the keyboard: only their release closes it.
    QSet<int> pressedHere_;
};

} // namespace nubra::app
