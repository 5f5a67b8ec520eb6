#include "DeviceStateFile.h"
#include "AtomicFile.h"

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <system_error>
#include <type_traits>

namespace nubra::sim {
namespace {

// More items than this in one list mark a damaged file, not a device.
constexpr std::size_t kMaxItems = 1'000'000;

std::string Escape(const std::string& text) {
    std::string out;
    for (char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else if (b < 0x20 || b == 0x7F) {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", b);
            out += hex;
        } else
            out += c;
    }
    return out;
}

bool Unescape(const std::string& text, std::string& out) {
    out.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size())
            return false;
        if (text[i] == '\\')
            out += '\\';
        else if (text[i] == 'n')
            out += '\n';
        else if (text[i] == 'r')
            out += '\r';
        else if (text[i] == 'x' && i + 2 < text.size()) {
            unsigned value = 0;
            const auto [ptr, ec] = std::from_chars(text.data() + i + 1, text.data() + i + 3, value, 16);
            if (ec != std::errc() || ptr != text.data() + i + 3)
                return false;
            out += static_cast<char>(value);
            i += 2;
        } else
            return false;
    }
    return true;
}

template <class T> bool ParseNumber(const std::string& text, T& value) {
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && ptr == text.data() + text.size();
}

// Writes each field as a line.
class Writer {
public:
    std::string text = "# nx3sim: stan urządzenia\n";

    void Field(const std::string& key, const std::string& value) { Line(key, Escape(value)); }
    void Field(const std::string& key, bool value) { Line(key, value ? "1" : "0"); }
    void Field(const std::string& key, char value) { Line(key, Escape(std::string(1, value))); }
    void Field(const std::string& key, unsigned char value) { Line(key, std::to_string(value)); }
    template <class T> std::enable_if_t<std::is_integral_v<T>> Field(const std::string& key, T value) {
        Line(key, std::to_string(value));
    }
    template <class T, std::size_t N> void Field(const std::string& key, const std::array<T, N>& values) {
        std::string line;
        for (const T& v : values)
            line += (line.empty() ? "" : " ") + std::to_string(v);
        Line(key, line);
    }
    bool Ok() const { return true; }
    void Refuse(const std::string&) {}

private:
    void Line(const std::string& key, const std::string& value) { text += key + "=" + value + "\n"; }
};

// Reads each field from the lines gathered beforehand; a key not in the file keeps its value.
class Reader {
public:
    std::map<std::string, std::pair<std::string, int>> lines; // key -> value, line number
    std::string error;

    void Field(const std::string& key, std::string& value) {
        Take(key, [&](const std::string& text) { return Unescape(text, value); });
    }
    void Field(const std::string& key, bool& value) {
        Take(key, [&](const std::string& text) {
            value = text == "1";
            return text == "0" || text == "1";
        });
    }
    void Field(const std::string& key, char& value) {
        Take(key, [&](const std::string& text) {
            std::string one;
            const bool ok = Unescape(text, one) && one.size() == 1;
            if (ok)
                value = one[0];
            return ok;
        });
    }
    template <class T> std::enable_if_t<std::is_integral_v<T>> Field(const std::string& key, T& value) {
        Take(key, [&](const std::string& text) { return ParseNumber(text, value); });
    }
    template <class T, std::size_t N> void Field(const std::string& key, std::array<T, N>& values) {
        Take(key, [&](const std::string& text) {
            std::istringstream in(text);
            std::string item;
            std::size_t n = 0;
            while (in >> item) {
                if (n == N || !ParseNumber(item, values[n]))
                    return false;
                ++n;
            }
            return n == N;
        });
    }
    bool Ok() const { return error.empty(); }
    void Refuse(const std::string& key) {
        Take(key, [](const std::string&) { return false; });
    }

private:
    template <class Fn> void Take(const std::string& key, Fn&& parse) {
        const auto found = lines.find(key);
        if (!error.empty() || found == lines.end())
            return;
        if (!parse(found->second.first))
            error = "wiersz " + std::to_string(found->second.second) + ": niepoprawna wartość " + key;
    }
};

// A list: its length under key.count, then each item under key.N.
template <class V, class T, class Fn>
void List(V& v, const std::string& key, std::vector<T>& items, Fn&& each) {
    std::size_t count = items.size();
    v.Field(key + ".count", count);
    if (count > kMaxItems)
        v.Refuse(key + ".count");
    if (!v.Ok())
        return;
    items.resize(count);
    for (std::size_t i = 0; i < count && v.Ok(); ++i)
        each(key + "." + std::to_string(i), items[i]);
}

// Every field of DeviceState, once, but the report pacing and the transaction time-out, which the
// command line gives. A field added
// to the state is added here.
template <class V> void VisitState(V& v, DeviceState& s) {
    v.Field("uniqueNumber", s.uniqueNumber);
    v.Field("nip", s.nip);
    v.Field("status1", s.status1);
    v.Field("status2", s.status2);
    v.Field("lastDailyReportDate", s.lastDailyReportDate);
    v.Field("lastDailyReportNumber", s.lastDailyReportNumber);
    v.Field("ramResets", s.ramResets);
    v.Field("rateSets", s.rateSets);
    v.Field("errorNumber", s.errorNumber);
    v.Field("extended.unprintedReports", s.extended.unprintedReports);
    v.Field("extended.ready", s.extended.ready);
    v.Field("extended.presenter", s.extended.presenter);
    v.Field("extended.paperNearEnd", s.extended.paperNearEnd);
    v.Field("extended.paperMoving", s.extended.paperMoving);
    v.Field("infoW", s.infoW);
    v.Field("infoSText", s.infoSText);
    v.Field("infoSFlags", s.infoSFlags);
    v.Field("vatRates", s.vatRates);
    v.Field("fiscal", s.fiscal);
    for (std::size_t i = 0; i < s.registers.size(); ++i) {
        TransactionRegister& r = s.registers[i];
        const std::string p = "register." + std::to_string(i + 1) + ".";
        v.Field(p + "transactionNumber", r.transactionNumber);
        v.Field(p + "status", r.status);
        v.Field(p + "documentWaiting", r.documentWaiting);
        v.Field(p + "lastSale", r.lastSale);
        v.Field(p + "lastSaleVat", r.lastSaleVat);
        v.Field(p + "startedAt", r.startedAt);
        v.Field(p + "timedOut", r.timedOut);
        RegisterSale& sale = s.sales[i];
        v.Field(p + "limit", sale.limit);
        v.Field(p + "currencyPayment", sale.currencyPayment);
        v.Field(p + "loyalty", sale.loyalty);
        List(v, p + "document", sale.document,
             [&](const std::string& key, std::string& line) { v.Field(key, line); });
    }
    v.Field("totalizers.cancelledReceipts", s.totalizers.cancelledReceipts);
    v.Field("totalizers.goodsBaseChanges", s.totalizers.goodsBaseChanges);
    v.Field("totalizers.grossSales", s.totalizers.grossSales);
    v.Field("totalizers.cancelledAmount", s.totalizers.cancelledAmount);
    v.Field("totalizers.receiptCount", s.totalizers.receiptCount);
    v.Field("dayGross", s.dayGross);
    v.Field("dayReceipts", s.dayReceipts);
    v.Field("lastTransactionNumber", s.lastTransactionNumber);
    List(v, "goods", s.goods, [&](const std::string& key, SoldGoods& g) {
        v.Field(key + ".name", g.name);
        v.Field(key + ".letter", g.letter);
        v.Field(key + ".rateChanged", g.rateChanged);
    });
    List(v, "fiscalMemory", s.fiscalMemory, [&](const std::string& key, DailyRecord& r) {
        v.Field(key + ".number", r.number);
        v.Field(key + ".date", r.date);
        v.Field(key + ".gross", r.gross);
        v.Field(key + ".rates", r.rates);
        v.Field(key + ".receipts", r.receipts);
    });
    v.Field("readOnly", s.readOnly);
    v.Field("fiscalMemoryCapacity", s.fiscalMemoryCapacity);
    v.Field("ramError", s.ramError);
    v.Field("clockOffsetSeconds", s.clockOffsetSeconds);
    v.Field("postNumbers", s.postNumbers);
    v.Field("waitingTime", s.waitingTime);
    v.Field("clockSetSinceReport", s.clockSetSinceReport);
    v.Field("pendingHourShift", s.pendingHourShift);
    v.Field("hourShiftArmedAt", s.hourShiftArmedAt);
    for (std::size_t i = 0; i < s.header.size(); ++i) {
        const std::string p = "header." + std::to_string(i + 1) + ".";
        v.Field(p + "text", s.header[i].text);
        v.Field(p + "wide", s.header[i].wide);
        v.Field(p + "high", s.header[i].high);
    }
    for (std::size_t i = 0; i < s.footer.size(); ++i)
        v.Field("footer." + std::to_string(i + 1), s.footer[i]);
    List(v, "paperRoll", s.paperRoll, [&](const std::string& key, std::string& line) { v.Field(key, line); });
    v.Field("currencyChangeDate", s.currencyChangeDate);
    v.Field("currencyChangeTime", s.currencyChangeTime);
    v.Field("nextCurrency", s.nextCurrency);
    v.Field("currentCurrency", s.currentCurrency);
    v.Field("currencyScheduledAt", s.currencyScheduledAt);
    int sdCard = static_cast<int>(s.sdCard);
    v.Field("sdCard", sdCard);
    if (sdCard < static_cast<int>(SdCard::None) || sdCard > static_cast<int>(SdCard::Closed))
        v.Refuse("sdCard");
    else
        s.sdCard = static_cast<SdCard>(sdCard);
    // The templates by number, as a list, so a number missing from the file stays undefined.
    std::vector<std::pair<int, MessageTemplate>> templates(s.templates.begin(), s.templates.end());
    List(v, "templates", templates, [&](const std::string& key, std::pair<int, MessageTemplate>& t) {
        v.Field(key + ".number", t.first);
        for (std::size_t i = 0; i < t.second.name.size(); ++i)
            v.Field(key + ".name." + std::to_string(i + 1), t.second.name[i]);
        for (std::size_t i = 0; i < t.second.rows.size(); ++i)
            v.Field(key + ".row." + std::to_string(i + 1), t.second.rows[i]);
    });
    if (v.Ok())
        s.templates = std::map<int, MessageTemplate>(templates.begin(), templates.end());
    v.Field("paperCuts", s.paperCuts);
}

} // namespace

std::string DeviceStateFile::ToText(const DeviceState& state) {
    Writer w;
    DeviceState copy = state;
    VisitState(w, copy);
    return w.text;
}

bool DeviceStateFile::FromText(const std::string& text, DeviceState& state, std::string& error) {
    Reader r;
    std::istringstream in(text);
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        const std::size_t eq = line.find('=');
        if (eq == std::string::npos || eq == 0) {
            error = "wiersz " + std::to_string(number) + ": brak klucza i wartości";
            return false;
        }
        r.lines[line.substr(0, eq)] = {line.substr(eq + 1), number};
    }
    VisitState(r, state);
    error = r.error;
    return r.Ok();
}

bool DeviceStateFile::Load(DeviceState& state, std::string& error) {
    std::error_code ec;
    if (!std::filesystem::exists(path_, ec))
        return true;
    std::ifstream in(path_, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    if (!in) {
        error = "nie można odczytać pliku stanu " + path_;
        return false;
    }
    if (!FromText(text.str(), state, error)) {
        error = "uszkodzony plik stanu " + path_ + ", " + error;
        return false;
    }
    written_ = ToText(state);
    return true;
}

bool DeviceStateFile::Save(const DeviceState& state) {
    std::string text = ToText(state);
    if (text == written_)
        return true;
    // A temporary name of its own beside the file, flushed before and after the rename: two emulators
    // or a crash never share one, and a power cut leaves the old state or the new one.
    if (!WriteFileAtomically(path_, text))
        return false;
    written_ = std::move(text);
    return true;
}

} // namespace nubra::sim
