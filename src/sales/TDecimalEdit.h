#pragma once
// A numeric edit holding an exact decimal: the value is an integer scaled by 10^decimals (4,1234
// with four decimals is 41234), so "x 100" or "x 10000" of what was typed is exact. Typing is limited
// to digits and one decimal comma with at most `decimals` digits after it; leaving the field shows
// the value clamped to its bounds in the display format ("1234,50", no thousands separator), unless
// the edit refuses such a value instead (SetRefusesOutOfBounds).
#include <QLineEdit>
#include <cstdint>
#include <optional>

namespace nubra::app {

class TDecimalEdit : public QLineEdit {
    Q_OBJECT
public:
    // Bounds are scaled values, like the value.
    TDecimalEdit(int decimals, std::int64_t minimum, std::int64_t maximum, QWidget* parent = nullptr);

    int Decimals() const { return decimals_; }
    // The typed value clamped to the bounds; text that is not a number reads as 0 before clamping.
    std::int64_t Value() const;
    void SetValue(std::int64_t scaled);
    // The value as the display format shows it.
    QString DisplayText() const { return Format(Value(), decimals_); }
    // A value set or typed beyond the bounds is shown as it is and left for Refusal to name.
    void SetRefusesOutOfBounds(bool refuses) { refuses_ = refuses; }
    // "<what> musi być liczbą od 0,00 do 9999,99." when the text is no value within the bounds;
    // empty when it is one.
    QString Refusal(const QString& what) const;

    // "12,5" with two decimals -> 1250; digits beyond `decimals` round half up; nullopt for no number.
    static std::optional<std::int64_t> Parse(const QString& text, int decimals);
    static QString Format(std::int64_t scaled, int decimals);

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    void Reformat();

    int decimals_;
    std::int64_t minimum_;
    std::int64_t maximum_;
    bool refuses_ = false;
};

} // namespace nubra::app
