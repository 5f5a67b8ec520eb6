#pragma once
// "Numery stanowisk": the workstation number of each transaction register. Values only; the main
// window reads and writes them (AGetSetPostNumbersExecute).
#include <QDialog>
#include <array>

class QPushButton;
class QSpinBox;

namespace nubra::settings {

class TFormPosts : public QDialog {
    Q_OBJECT
public:
    static constexpr int PostCount = 8;

    explicit TFormPosts(QWidget* parent = nullptr);

    // 1 = SEPost1 .. 8 = SEPost8.
    QSpinBox* Post(int reg) const { return posts_.at(static_cast<std::size_t>(reg - 1)); }
    QPushButton* ButtonOK() const { return buttonOk_; }
    QPushButton* ButtonAnuluj() const { return buttonAnuluj_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::array<QSpinBox*, PostCount> posts_{};
    QPushButton* buttonOk_;
    QPushButton* buttonAnuluj_;
};

} // namespace nubra::settings
