#include "Numbers.h"

#include <climits>

namespace nubra {

int StrToIntDef(std::string_view text, int def) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    if (i == text.size())
        return def;
    const long long limit = static_cast<long long>(INT_MAX) + (negative ? 1 : 0);
    long long value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            return def;
        value = value * 10 + (text[i] - '0');
        if (value > limit)
            return def;
    }
    return static_cast<int>(negative ? -value : value);
}

} // namespace nubra
