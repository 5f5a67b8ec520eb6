#include "LineAlign.h"

namespace nubra::settings {
namespace {

QString Spaces(qsizetype count) {
    return QString(count > 0 ? count : 0, QLatin1Char(' '));
}

// Only spaces count: the lines hold printable text, and a tab or other blank would be printed.
qsizetype FirstNonSpace(const QString& text) {
    qsizetype at = 0;
    while (at < text.size() && text.at(at) == QLatin1Char(' '))
        ++at;
    return at;
}

QString Trimmed(const QString& text) {
    return TrimLeft(TrimRight(text));
}

} // namespace

QString TrimLeft(const QString& text) {
    return text.mid(FirstNonSpace(text));
}

QString TrimRight(const QString& text) {
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.left(end);
}

QString Centered(const QString& text, int width) {
    const QString t = Trimmed(text);
    return Spaces((width - t.size()) / 2) + t;
}

QString RightAligned(const QString& text, int width) {
    const QString t = Trimmed(text);
    return Spaces(width - t.size()) + t;
}

} // namespace nubra::settings
