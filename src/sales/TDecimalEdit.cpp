#include "TDecimalEdit.h"

#include <QRegularExpressionValidator>
#include <algorithm>

namespace nubra::app {
namespace {

std::int64_t Scale(int decimals) {
    std::int64_t scale = 1;
    for (int i = 0; i < decimals; ++i)
        scale *= 10;
    return scale;
}

} // namespace

TDecimalEdit::TDecimalEdit(int decimals, std::int64_t minimum, std::int64_t maximum, QWidget* parent)
    : QLineEdit(parent), decimals_(decimals), minimum_(minimum), maximum_(maximum) {
    const int wholeDigits = static_cast<int>(std::to_string(maximum / Scale(decimals)).size());
    QString pattern = QStringLiteral("\\d{0,%1}").arg(wholeDigits);
    if (decimals > 0)
        pattern += QStringLiteral("([,.]\\d{0,%1})?").arg(decimals);
    setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), this));
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    connect(this, &QLineEdit::editingFinished, this, [this] { Reformat(); });
}

std::int64_t TDecimalEdit::Value() const {
    return std::clamp(Parse(text(), decimals_).value_or(0), minimum_, maximum_);
}

void TDecimalEdit::SetValue(std::int64_t scaled) {
    const QString shown = Format(refuses_ ? scaled : std::clamp(scaled, minimum_, maximum_), decimals_);
    if (shown != text())
        setText(shown);
}

QString TDecimalEdit::Refusal(const QString& what) const {
    const std::optional<std::int64_t> typed = Parse(text(), decimals_);
    if (typed && *typed >= minimum_ && *typed <= maximum_)
        return {};
    return what + QStringLiteral(" musi być liczbą od ") + Format(minimum_, decimals_) +
           QStringLiteral(" do ") + Format(maximum_, decimals_) + QLatin1Char('.');
}

std::optional<std::int64_t> TDecimalEdit::Parse(const QString& text, int decimals) {
    const QString t = text.trimmed();
    const qsizetype sep = t.indexOf(QRegularExpression(QStringLiteral("[,.]")));
    const QString whole = sep < 0 ? t : t.left(sep);
    const QString fraction = sep < 0 ? QString() : t.mid(sep + 1);
    if ((whole.isEmpty() && fraction.isEmpty()) || whole.size() > 15)
        return std::nullopt;
    std::int64_t value = 0;
    for (QChar c : whole) {
        if (!c.isDigit())
            return std::nullopt;
        value = value * 10 + c.digitValue();
    }
    for (int i = 0; i < decimals; ++i) {
        const QChar c = i < fraction.size() ? fraction[i] : QLatin1Char('0');
        if (!c.isDigit())
            return std::nullopt;
        value = value * 10 + c.digitValue();
    }
    for (qsizetype i = decimals; i < fraction.size(); ++i) {
        if (!fraction[i].isDigit())
            return std::nullopt;
    }
    if (fraction.size() > decimals && fraction[decimals].digitValue() >= 5)
        ++value;
    return value;
}

QString TDecimalEdit::Format(std::int64_t scaled, int decimals) {
    const std::int64_t scale = Scale(decimals);
    const std::int64_t magnitude = scaled < 0 ? -scaled : scaled;
    QString text = QString::number(magnitude / scale);
    if (decimals > 0)
        text +=
            QLatin1Char(',') + QString::number(magnitude % scale).rightJustified(decimals, QLatin1Char('0'));
    return scaled < 0 ? QLatin1Char('-') + text : text;
}

void TDecimalEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    Reformat();
}

void TDecimalEdit::Reformat() {
    const std::optional<std::int64_t> typed = Parse(text(), decimals_);
    if (!refuses_)
        SetValue(Value());
    else if (typed)
        SetValue(*typed);
}

} // namespace nubra::app
