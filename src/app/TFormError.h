#pragma once
// The error window: the description of a printer reply code, shown modally by CheckReply.
#include <QDialog>

class QPushButton;
class QTextEdit;

namespace nubra::app {

class TFormError : public QDialog {
    Q_OBJECT
public:
    static const QString Caption;

    explicit TFormError(QWidget* parent = nullptr);

    // Replaces the memo's text by text and shows the window modally; returns when it is closed.
    void ShowError(const QString& text);
    QString Text() const;

    QTextEdit* Memo() const { return mBlad_; }
    QPushButton* OkButton() const { return btnOk_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void M_BladEnter();

    QTextEdit* mBlad_;
    QPushButton* btnOk_;
};

} // namespace nubra::app
