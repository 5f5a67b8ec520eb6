#pragma once
// "Rejestr": the choice of the register whose stored document is printed.
#include <QDialog>

class QPushButton;

namespace nubra::app {

class TRegisterGroup;

class TFormChoseReg : public QDialog {
    Q_OBJECT
public:
    explicit TFormChoseReg(QWidget* parent = nullptr);

    TRegisterGroup* RG_Rejestr() const { return rgRejestr_; }
    QPushButton* ButtonOK() const { return buttonOk_; }
    QPushButton* ButtonAnuluj() const { return buttonAnuluj_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    TRegisterGroup* rgRejestr_ = nullptr;
    QPushButton* buttonOk_ = nullptr;
    QPushButton* buttonAnuluj_ = nullptr;
};

} // namespace nubra::app
