#pragma once
// "Zmiana czasu letni/zimowy": the one-hour clock change of the coming night. Values only; the main
// window sends it (AMoveTimeExecute).
#include <QDialog>

class QPushButton;

namespace nubra::settings {

class TRadioGroup;

class TFormMoveTime : public QDialog {
    Q_OBJECT
public:
    explicit TFormMoveTime(QWidget* parent = nullptr);

    TRadioGroup* RG_PlusMinus() const { return rgPlusMinus_; }
    QPushButton* ButtonOK() const { return buttonOk_; }
    QPushButton* ButtonAnuluj() const { return buttonAnuluj_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    TRadioGroup* rgPlusMinus_;
    QPushButton* buttonOk_;
    QPushButton* buttonAnuluj_;
};

} // namespace nubra::settings
