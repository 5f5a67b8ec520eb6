#include "SettingsSnapshot.h"

#include "Cp1250.h"
#include "FieldValue.h"
#include "FlatJson.h"
#include "Numbers.h"
#include "TNX3Class.h"
#include "TextCheck.h"

#include <algorithm>
#include <set>

namespace nubra::toolkit {
namespace {

constexpr const char* kFormat = "nubra5 ustawienia kasy";
constexpr int kVersion = 1;
constexpr const char* kInactive = "nieaktywna";
constexpr const char* kExempt = "zwolniona";
constexpr std::size_t kLine = 40, kWideLine = 20;
// A number setting (workstation, waiting time) is two digits on the device.
constexpr int kMaxNumber = 99;
constexpr const char* kYes = "tak";
constexpr const char* kNo = "nie";

// The parameters as the parameters dialog names them; choice 0 is the bit set.
const std::vector<std::string> kTransmission = {"Latin", "Mazovia"};
const std::vector<std::string> kSeparator = {"Przecinek", "Kropka"};
const std::vector<std::string> kDailyReport = {"Automatycznie", "Ręcznie"};
const std::vector<std::string> kConfirmations = {"Z potwierdzeniami", "Bez potwierdzeń"};

std::vector<SettingDef> BuildDefs() {
    using G = SettingGroup;
    using K = SettingKind;
    std::vector<SettingDef> defs;
    for (char letter = 'A'; letter <= 'G'; ++letter)
        defs.push_back(
            {std::string("ptu_") + letter, std::string("Stawka PTU ") + letter, G::Rates, K::Rate, {}});
    for (int r = 1; r <= 8; ++r)
        defs.push_back({"stanowisko_" + std::to_string(r),
                        "Rejestr " + std::to_string(r) + ", stanowisko nr",
                        G::Posts,
                        K::Number,
                        {}});
    defs.push_back({"kod_transmisji", "Kod transmisji", G::Params, K::Choice, kTransmission});
    defs.push_back({"separator", "Separator", G::Params, K::Choice, kSeparator});
    defs.push_back(
        {"raport_dobowy", "Tryb wykonywania raportu dobowego", G::Params, K::Choice, kDailyReport});
    defs.push_back({"potwierdzenia", "Tryb potwierdzeń", G::Params, K::Choice, kConfirmations});
    defs.push_back(
        {"czas_oczekiwania", "Czas oczekiwania na wydruk dokumentu (min.)", G::WaitingTime, K::Number, {}});
    const char* lines[] = {"naglowek_1", "naglowek_2", "naglowek_3", "nip"};
    const char* names[] = {"Nagłówek, linia 1", "Nagłówek, linia 2", "Nagłówek, linia 3",
                           "Nagłówek, linia NIP"};
    const G groups[] = {G::Header1, G::Header2, G::Header3, G::HeaderNip};
    for (int i = 0; i < 4; ++i) {
        defs.push_back({lines[i], names[i], groups[i], K::Text, {}});
        defs.push_back({std::string(lines[i]) + "_szeroki",
                        std::string(names[i]) + ": 20 znaków w linii",
                        groups[i],
                        K::Flag,
                        {}});
        defs.push_back({std::string(lines[i]) + "_wysoki",
                        std::string(names[i]) + ": wysoki generator",
                        groups[i],
                        K::Flag,
                        {}});
    }
    for (int i = 1; i <= 3; ++i)
        defs.push_back(
            {"stopka_" + std::to_string(i), "Stopka, linia " + std::to_string(i), G::Footer, K::Text, {}});
    return defs;
}

std::string RateText(int hundredths) {
    if (hundredths == TNX3Class::kInactiveRate)
        return kInactive;
    if (hundredths == TNX3Class::kExemptRate)
        return kExempt;
    return TNX3Class::FormatAmount(hundredths);
}

// Hundredths of a rate as stored; -1 when it is not one the device takes.
int RateValue(const std::string& text) {
    if (text == kInactive)
        return TNX3Class::kInactiveRate;
    if (text == kExempt)
        return TNX3Class::kExemptRate;
    std::string comma = text;
    std::replace(comma.begin(), comma.end(), '.', ',');
    const auto value = ParseCurrency(comma);
    if (!value || value->scaled < 0 || value->scaled % 100 != 0 || value->scaled / 100 > 9997)
        return -1;
    return static_cast<int>(value->scaled / 100);
}

std::string Shown(const SettingDef& def, const std::string& value) {
    if (def.kind == SettingKind::Rate && value != kInactive && value != kExempt)
        return value + " %";
    if (def.kind == SettingKind::Text)
        return "\"" + value + "\"";
    return value;
}

// A header or footer line as read: cut to the line width, trailing spaces off, in the user's letters.
std::string DeviceLine(const std::string& mazovia, std::size_t width) {
    std::string text = mazovia.substr(0, width);
    text.erase(text.find_last_not_of(' ') + 1);
    std::string windows = TNX3Class::MazoviaToWindows(text);
    // A byte outside the letters the Mazovia conversion knows reads as '?', so that the file can be
    // loaded (it refuses such a character) and compares equal to the device after a restore.
    for (char& c : windows)
        if (!TextFault(std::string_view(&c, 1), false, DeviceCharset::Mazovia).empty())
            c = '?';
    return cp1250::ToUtf8(windows);
}

std::string DeviceText(const std::string& utf8) {
    return TNX3Class::WindowsToMazovia(cp1250::FromUtf8(utf8));
}

const char* Flag(bool set) {
    return set ? kYes : kNo;
}

[[noreturn]] void Refuse(int line, const std::string& reason) {
    throw JsonError(line, reason);
}

// The value of one setting from its JSON value, checked.
std::string SettingValue(const SettingDef& def, const JsonEntry& e) {
    const auto* text = std::get_if<std::string>(&e.value);
    const auto* number = std::get_if<std::int64_t>(&e.value);
    const auto* flag = std::get_if<bool>(&e.value);
    switch (def.kind) {
    case SettingKind::Rate:
        if (!text || RateValue(*text) < 0)
            Refuse(e.line, "\"" + def.key +
                               "\": oczekiwano stawki od \"0,00\" do \"99,97\", \"nieaktywna\" lub "
                               "\"zwolniona\"");
        return RateText(RateValue(*text));
    case SettingKind::Number:
        if (!number || *number < 0 || *number > kMaxNumber)
            Refuse(e.line, "\"" + def.key + "\": oczekiwano liczby od 0 do 99");
        return std::to_string(*number);
    case SettingKind::Choice:
        if (!text || std::find(def.choices.begin(), def.choices.end(), *text) == def.choices.end())
            Refuse(e.line, "\"" + def.key + "\": oczekiwano \"" + def.choices[0] + "\" lub \"" +
                               def.choices[1] + "\"");
        return *text;
    case SettingKind::Text:
        if (!text)
            Refuse(e.line, "\"" + def.key + "\": oczekiwano tekstu w cudzysłowie");
        // Header and footer lines travel in Mazovia.
        if (const std::string fault = TextFault(*text, true, DeviceCharset::Mazovia); !fault.empty())
            throw SnapshotTextError(e.line, "\"" + def.key + "\": " + fault);
        if (cp1250::FromUtf8(*text).size() > kLine)
            Refuse(e.line, "\"" + def.key + "\": tekst dłuższy niż 40 znaków");
        return *text;
    case SettingKind::Flag:
        if (!flag)
            Refuse(e.line, "\"" + def.key + "\": oczekiwano true lub false");
        return Flag(*flag);
    }
    return {};
}

const std::string& Value(const SettingsSnapshot& s, const std::string& key) {
    static const std::string none;
    const auto it = s.values.find(key);
    return it == s.values.end() ? none : it->second;
}

int Number(const SettingsSnapshot& s, const std::string& key) {
    return std::stoi(Value(s, key));
}

bool FlagSet(const SettingsSnapshot& s, const std::string& key) {
    return Value(s, key) == kYes;
}

bool ReadParams(TNX3Class& nx3, SettingsSnapshot& s) {
    std::string nip;
    unsigned char status1 = 0, status2 = 0;
    const bool ok = nx3.PrinterType <= 0 ? nx3.GetStatus2Letter(s.uniqueNo, nip, status1, status2)
                                         : nx3.GetStatus3LetterPI(s.uniqueNo, nip, status1, status2);
    if (!ok)
        return false;
    s.uniqueNo.erase(s.uniqueNo.find_last_not_of(' ') + 1);
    // Kept as the user reads it: the file holds UTF-8 only.
    s.uniqueNo = cp1250::ToUtf8(s.uniqueNo);
    s.values["kod_transmisji"] = kTransmission[(status1 & 0x80) ? 0 : 1];
    s.values["separator"] = kSeparator[(status2 & 0x80) ? 0 : 1];
    s.values["raport_dobowy"] = kDailyReport[(status2 & 0x40) ? 0 : 1];
    s.values["potwierdzenia"] = kConfirmations[(status2 & 0x01) ? 0 : 1];
    return true;
}

bool ReadHeaderAndFooter(TNX3Class& nx3, SettingsSnapshot& s) {
    nx3.RemoveFilters();
    const char* lines[] = {"naglowek_1", "naglowek_2", "naglowek_3", "nip"};
    for (int n = 1; n <= 4; ++n) {
        std::string text;
        bool wide = false, high = false;
        if (!nx3.ReadHeaderLineCmd(n, text, wide, high))
            return false;
        const std::string key = lines[n - 1];
        s.values[key] = DeviceLine(text, wide ? kWideLine : kLine);
        s.values[key + "_szeroki"] = Flag(wide);
        s.values[key + "_wysoki"] = Flag(high);
    }
    FooterLines footer;
    if (!nx3.ReadFooter(footer))
        return false;
    for (std::size_t i = 0; i < footer.size(); ++i)
        s.values["stopka_" + std::to_string(i + 1)] = DeviceLine(footer[i], kLine);
    return true;
}

bool NipLineWritable(TNX3Class& nx3) {
    std::string info;
    if (!nx3.GetDeviceInfo("S", info) || info.size() < 48)
        return false;
    try {
        return (std::stoul(info.substr(40, 8), nullptr, 16) & 8) != 0;
    } catch (const std::exception&) {
        return false;
    }
}

bool WriteHeaderLine(TNX3Class& nx3, const SettingsSnapshot& s, int n, const std::string& key) {
    return nx3.WriteHeaderLine(n, DeviceText(Value(s, key)), FlagSet(s, key + "_szeroki"),
                               FlagSet(s, key + "_wysoki"));
}

} // namespace

const std::vector<SettingDef>& SettingDefs() {
    static const std::vector<SettingDef> defs = BuildDefs();
    return defs;
}

std::vector<SettingDifference> CompareSnapshots(const SettingsSnapshot& first,
                                                const SettingsSnapshot& second) {
    std::vector<SettingDifference> out;
    for (const SettingDef& def : SettingDefs()) {
        const std::string& a = Value(first, def.key);
        const std::string& b = Value(second, def.key);
        if (a != b)
            out.push_back({def.key, def.label, Shown(def, a), Shown(def, b)});
    }
    return out;
}

std::string SnapshotToJson(const SettingsSnapshot& snapshot) {
    std::vector<JsonEntry> entries = {{"format", std::string(kFormat)},
                                      {"wersja", std::int64_t{kVersion}},
                                      {"numer_unikatowy", snapshot.uniqueNo},
                                      {"data_odczytu", snapshot.readAt}};
    for (const SettingDef& def : SettingDefs()) {
        const std::string& value = Value(snapshot, def.key);
        if (def.kind == SettingKind::Number)
            entries.push_back({def.key, std::int64_t{std::stoll(value)}});
        else if (def.kind == SettingKind::Flag)
            entries.push_back({def.key, value == kYes});
        else
            entries.push_back({def.key, value});
    }
    return WriteFlatJson(entries);
}

SettingsSnapshot SnapshotFromJson(std::string_view text) {
    const std::vector<JsonEntry> entries = ReadFlatJson(text);
    // A missing key is reported at the last line, where the object closes.
    const int lastLine =
        static_cast<int>(std::count(text.begin(), text.end(), '\n')) + (text.ends_with('\n') ? 0 : 1);
    SettingsSnapshot s;
    std::map<std::string, int> lines;
    for (const JsonEntry& e : entries) {
        lines[e.key] = e.line;
        const auto* str = std::get_if<std::string>(&e.value);
        if (e.key == "format") {
            if (!str || *str != kFormat)
                Refuse(e.line, std::string("to nie jest plik ustawień kasy (oczekiwano \"format\": \"") +
                                   kFormat + "\")");
        } else if (e.key == "wersja") {
            if (e.value != JsonValue{std::int64_t{kVersion}})
                Refuse(e.line, "nieznana wersja pliku");
        } else if (e.key == "numer_unikatowy" || e.key == "data_odczytu") {
            if (!str)
                Refuse(e.line, "\"" + e.key + "\": oczekiwano tekstu w cudzysłowie");
            (e.key == "data_odczytu" ? s.readAt : s.uniqueNo) = *str;
        } else {
            const auto& defs = SettingDefs();
            const auto def =
                std::find_if(defs.begin(), defs.end(), [&](const SettingDef& d) { return d.key == e.key; });
            if (def == defs.end())
                Refuse(e.line, "nieznane ustawienie \"" + e.key + "\"");
            s.values[e.key] = SettingValue(*def, e);
        }
    }
    for (const char* key : {"format", "wersja", "numer_unikatowy", "data_odczytu"})
        if (!lines.count(key))
            Refuse(lastLine, std::string("brak \"") + key + "\"");
    for (const SettingDef& def : SettingDefs())
        if (!s.values.count(def.key))
            Refuse(lastLine, "brak ustawienia \"" + def.key + "\"");
    for (const char* key : {"naglowek_1", "naglowek_2", "naglowek_3", "nip"})
        if (FlagSet(s, std::string(key) + "_szeroki") && cp1250::FromUtf8(Value(s, key)).size() > kWideLine)
            Refuse(lines[key], std::string("\"") + key + "\": linia drukowana szeroko ma najwyżej 20 znaków");
    return s;
}

bool ReadSnapshot(TNX3Class& nx3, const std::string& readAt, SettingsSnapshot& s) {
    s = {};
    s.readAt = readAt;
    PtuRates rates;
    PostNumbers posts;
    int minutes = -1;
    // The device keeps two digits of waiting time; a longer answer could be neither loaded nor restored.
    if (!ReadParams(nx3, s) || !nx3.GetPtu(rates) || !nx3.GetPostNumbers(posts) ||
        !nx3.GetWaitingTime(minutes) || minutes > kMaxNumber)
        return false;
    for (std::size_t i = 0; i < rates.size(); ++i)
        s.values[std::string("ptu_") + static_cast<char>('A' + i)] =
            RateText(TNX3Class::PtuRateValue(rates[i]));
    for (std::size_t i = 0; i < posts.size(); ++i)
        s.values["stanowisko_" + std::to_string(i + 1)] =
            std::to_string(std::max(StrToIntDef(posts[i], 0), 0));
    s.values["czas_oczekiwania"] = std::to_string(std::max(minutes, 0));
    const bool ok = ReadHeaderAndFooter(nx3, s);
    nx3.DetectCodePage();
    return ok;
}

bool RestoreSnapshot(TNX3Class& nx3, LinkUi& ui, const SettingsSnapshot& file,
                     const std::vector<SettingDifference>& differences, bool withRates,
                     std::vector<std::string>& written) {
    std::set<SettingGroup> groups;
    for (const SettingDifference& d : differences)
        for (const SettingDef& def : SettingDefs())
            if (def.key == d.key)
                groups.insert(def.group);
    if (!withRates)
        groups.erase(SettingGroup::Rates);

    if (groups.count(SettingGroup::Rates)) {
        PtuRates rates;
        for (std::size_t i = 0; i < rates.size(); ++i)
            rates[i] =
                std::to_string(RateValue(Value(file, std::string("ptu_") + static_cast<char>('A' + i))));
        if (!nx3.SetPtu(rates))
            return false;
        written.push_back("stawki PTU");
    }
    if (groups.count(SettingGroup::Posts)) {
        PostNumbers posts;
        for (std::size_t i = 0; i < posts.size(); ++i)
            posts[i] = Value(file, "stanowisko_" + std::to_string(i + 1));
        if (!nx3.SetPostNumbers(posts))
            return false;
        written.push_back("numery stanowisk");
    }
    if (groups.count(SettingGroup::Params)) {
        const unsigned char status1 = Value(file, "kod_transmisji") == kTransmission[0] ? 0xA0 : 0x60;
        unsigned char status2 = 0x20;
        status2 |= Value(file, "separator") == kSeparator[0] ? 0x80 : 0;
        status2 |= Value(file, "raport_dobowy") == kDailyReport[0] ? 0x40 : 0;
        status2 |= Value(file, "potwierdzenia") == kConfirmations[0] ? 0x01 : 0;
        const bool ok = nx3.SetStatus(status1, status2);
        if (ok)
            ui.ShowMessage("Parametry kasy zostały zmienione.", MessageIcon::Information);
        nx3.DetectCodePage();
        if (!ok)
            return false;
        written.push_back("parametry");
    }
    if (groups.count(SettingGroup::WaitingTime)) {
        if (!nx3.SetWaitingTime(Number(file, "czas_oczekiwania")))
            return false;
        written.push_back("czas oczekiwania");
    }
    bool textsWritten = false;
    bool ok = true;
    const std::pair<SettingGroup, const char*> lines[] = {{SettingGroup::Header1, "naglowek_1"},
                                                          {SettingGroup::Header2, "naglowek_2"},
                                                          {SettingGroup::Header3, "naglowek_3"},
                                                          {SettingGroup::HeaderNip, "nip"}};
    bool headerWritten = false;
    for (int n = 1; n <= 4 && ok; ++n) {
        if (!groups.count(lines[n - 1].first))
            continue;
        if (n == 4 && !NipLineWritable(nx3)) {
            ui.ShowMessage("Ta kasa nie pozwala zapisać linii NIP nagłówka; pozostała bez zmian.",
                           MessageIcon::Warning);
            continue;
        }
        nx3.RemoveFilters();
        textsWritten = true;
        ok = WriteHeaderLine(nx3, file, n, lines[n - 1].second);
        headerWritten = ok;
    }
    if (ok && headerWritten) {
        ui.ShowMessage("Nagłówek zastał zapisany do drukarki.", MessageIcon::None);
        written.push_back("nagłówek");
    }
    if (ok && groups.count(SettingGroup::Footer)) {
        nx3.RemoveFilters();
        textsWritten = true;
        FooterLines footer;
        for (std::size_t i = 0; i < footer.size(); ++i)
            footer[i] = DeviceText(Value(file, "stopka_" + std::to_string(i + 1)));
        ok = nx3.WriteFooter(footer);
        if (ok)
            written.push_back("stopka");
    }
    if (textsWritten)
        nx3.DetectCodePage();
    return ok;
}

} // namespace nubra::toolkit
