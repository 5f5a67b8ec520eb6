#pragma once
// A VAT rate edit: holds the text typed and reads it as whole hundredths of a percent, "." or ","
// before the decimals, so 7,5 % is exactly 750. A value it cannot hold (over 99,99, a third decimal)
// stays in the edit as typed and is refused with a message when read, never shortened to fit.
#include <QLineEdit>
#include <array>
#include <optional>

namespace nubra::app {

class RateEdit : public QLineEdit {
    Q_OBJECT
public:
    static constexpr int kInactive = 9999;

    explicit RateEdit(QWidget* parent = nullptr);

    // nullopt when the text is not a rate of 0,00..99,99 %.
    std::optional<int> Hundredths() const;
    // Shown as "22,00 %".
    void SetHundredths(int hundredths);
};

using RateEdits = std::array<RateEdit*, 7>;

// The rates of the edits for A..G; nullopt once a message box has named the first that is no rate.
std::optional<std::array<int, 7>> ReadRates(QWidget* parent, const RateEdits& edits);

} // namespace nubra::app
