#include "StatusOps.h"

#include <cstdio>

#include <nlohmann/json.hpp>

#include "Cp1250.h"

namespace nubra::ops {
namespace {

std::string Hex(unsigned char byte) {
    char text[4];
    std::snprintf(text, sizeof text, "%02X", byte);
    return text;
}

std::string Bit(unsigned char byte, int bit, const char* set, const char* clear) {
    return (byte >> bit) & 1 ? set : clear;
}

} // namespace

ResultField TextField(std::string key, std::string label, std::string text) {
    ResultField f;
    f.key = std::move(key);
    f.label = std::move(label);
    f.text = std::move(text);
    return f;
}

ResultField NumberField(std::string key, std::string label, long long number) {
    ResultField f = TextField(std::move(key), std::move(label), std::to_string(number));
    f.kind = ResultField::Kind::Number;
    f.number = number;
    return f;
}

ResultField BoolField(std::string key, std::string label, bool flag) {
    ResultField f = TextField(std::move(key), std::move(label), flag ? "tak" : "nie");
    f.kind = ResultField::Kind::Bool;
    f.flag = flag;
    return f;
}

nlohmann::json ToJson(const ResultFields& fields) {
    nlohmann::json out = nlohmann::json::object();
    for (const ResultField& f : fields) {
        switch (f.kind) {
        case ResultField::Kind::Number:
            out[f.key] = f.number;
            break;
        case ResultField::Kind::Bool:
            out[f.key] = f.flag;
            break;
        default:
            out[f.key] = f.text;
        }
    }
    return out;
}

std::string Dev(const std::string& cp1250) {
    return cp1250::ToUtf8(cp1250);
}

bool ReadStatus(TNX3Class& link, DeviceStatus& s) {
    return link.PrinterType <= 0 ? link.GetStatus2Letter(s.uniqueNo, s.nip, s.status1, s.status2)
                                 : link.GetStatus3LetterPI(s.uniqueNo, s.nip, s.status1, s.status2);
}

bool ReadStatusInfo(TNX3Class& link, StatusInfo& i) {
    return ReadStatus(link, i.status) &&
           link.GetExtStatus(i.unprinted, i.ready, i.presenter, i.paper, i.paperMove);
}

ResultFields Describe(const StatusInfo& i) {
    const DeviceStatus& st = i.status;
    return {
        TextField("uniqueNumber", "Numer unikatowy: ", Dev(st.uniqueNo)),
        TextField("nip", "NIP: ", Dev(st.nip)),
        TextField("status1", "Bajt statusu 1: ", Hex(st.status1)),
        TextField("status2", "Bajt statusu 2: ", Hex(st.status2)),
        TextField("codePage", "Kod transmisji: ", Bit(st.status1, 7, "Latin", "Mazovia")),
        TextField("currency", "Waluta: ", Bit(st.status1, 0, "EURO", "ZŁOTY")),
        TextField("separator", "Separator dziesiętny: ", Bit(st.status2, 7, "Przecinek", "Kropka")),
        TextField("dailyReport", "Raport dobowy: ", Bit(st.status2, 6, "Automatycznie", "Ręcznie")),
        TextField("confirmations",
                  "Potwierdzenia: ", Bit(st.status2, 0, "Z potwierdzeniami", "Bez potwierdzeń")),
        TextField("unprintedReports", "Niewydrukowane raporty dobowe: ", Dev(i.unprinted)),
        BoolField("ready", "Kasa gotowa: ", i.ready == "T"),
        BoolField("presenter", "Prezenter: ", i.presenter == "T"),
        BoolField("paperLow", "Papier na wyczerpaniu: ", i.paper == "T"),
        BoolField("paperMoving", "Ruch papieru: ", i.paperMove != "T"),
    };
}

bool ReadRegisters(TNX3Class& link, std::vector<RegisterRow>& rows) {
    rows.clear();
    for (int n = 1; n <= 8; ++n) {
        RegisterRow row;
        row.reg = n;
        if (!link.GetRegInfo(n, row.tranNo, row.status, row.printFlag, row.lastSale, row.lastPtu))
            return false;
        rows.push_back(row);
    }
    return true;
}

ResultFields Describe(const RegisterRow& row) {
    return {
        NumberField("register", "Rejestr ", row.reg),
        TextField("transaction", "transakcja ", Dev(row.tranNo)),
        TextField("status", "status ", Dev(row.status)),
        BoolField("documentWaiting", "dokument do wydruku: ", row.printFlag == "T"),
        TextField("lastSale", "ostatnia sprzedaż ", Dev(row.lastSale)),
        TextField("lastPtu", "Ptu ", Dev(row.lastPtu)),
    };
}

bool ReadClock(TNX3Class& link, DeviceClock& clock) {
    std::string t;
    if (!link.GetDateTime(t))
        return false;
    t.resize(12, ' ');
    clock.date = "20" + t.substr(0, 2) + "-" + t.substr(2, 2) + "-" + t.substr(4, 2);
    clock.time = t.substr(6, 2) + ":" + t.substr(8, 2) + ":" + t.substr(10, 2);
    return true;
}

ResultFields Describe(const DeviceClock& clock) {
    return {TextField("date", "Data: ", clock.date), TextField("time", "Godzina: ", clock.time)};
}

} // namespace nubra::ops
