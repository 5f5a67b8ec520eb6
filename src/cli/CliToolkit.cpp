// The technician's toolkit from a shell: the settings snapshot and the catalogue CSV exchange.
#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>

#include "CatalogueCsv.h"
#include "CatalogueDefs.h"
#include "CliCommands.h"
#include "ConsoleLinkUi.h"
#include "DataFolderChoice.h"
#include "FileText.h"
#include "FlatJson.h"
#include "NubraError.h"
#include "SettingsSnapshot.h"
#include "TMyTable.h"
#include "TNX3Class.h"

namespace nubra::cli {
namespace {

using namespace toolkit;

std::string Now() {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", std::localtime(&now));
    return text;
}

// A local failure of the toolkit (a file that cannot be read or written) ends the run with exit 1;
// text the printer cannot take is bad input (exit 64).
template <typename Fn> decltype(auto) Local(Fn&& fn) {
    try {
        return fn();
    } catch (const SnapshotTextError& e) {
        throw UsageError(std::string("Plik ustawień kasy: ") + e.what() +
                         ". Nic nie zostało wysłane do kasy.");
    } catch (const JsonError& e) {
        throw CliFailure(std::string("Plik nie jest poprawnym plikiem ustawień kasy: ") + e.what() +
                         ". Nic nie zostało wysłane do kasy.");
    } catch (const Error& e) {
        throw CliFailure(e.what());
    }
}

SettingsSnapshot Load(const std::string& file) {
    return Local([&] { return SnapshotFromJson(ReadWholeFile(file)); });
}

void AddDifferences(CliResult& result, const std::vector<SettingDifference>& differences,
                    const std::string& first, const std::string& second) {
    std::vector<CliResult> items;
    for (const SettingDifference& d : differences) {
        CliResult item;
        item.Add("setting", "", d.key);
        item.Add("label", "", d.label);
        item.Add(first, "", d.first);
        item.Add(second, "", d.second);
        item.AddLine(d.label + ": " + d.first + " -> " + d.second);
        items.push_back(item);
    }
    result.AddBool("equal", "", differences.empty());
    if (differences.empty())
        result.AddLine("Ustawienia są zgodne.");
    result.AddList("differences", items);
}

bool Save(CliContext& c, const std::vector<std::string>& args) {
    ExpectArgs(args, 2, 2);
    c.OpenPort();
    SettingsSnapshot s;
    if (!ReadSnapshot(c.link, Now(), s))
        return false;
    Local([&] { WriteWholeFile(args[1], SnapshotToJson(s)); });
    c.result.Add("file", "Plik: ", args[1]);
    c.result.Add("unique_number", "Numer unikatowy: ", s.uniqueNo);
    return true;
}

bool Diff(CliContext& c, const std::vector<std::string>& args) {
    ExpectArgs(args, 2, 3);
    const SettingsSnapshot saved = Load(args[1]);
    if (args.size() == 3) {
        AddDifferences(c.result, CompareSnapshots(saved, Load(args[2])), "first", "second");
        return true;
    }
    c.OpenPort();
    SettingsSnapshot device;
    if (!ReadSnapshot(c.link, Now(), device))
        return false;
    AddDifferences(c.result, CompareSnapshots(saved, device), "file", "device");
    return true;
}

bool Restore(CliContext& c, std::vector<std::string> args) {
    const auto vat = std::find(args.begin(), args.end(), "--with-vat");
    const bool withRates = vat != args.end();
    if (withRates)
        args.erase(vat);
    ExpectArgs(args, 2, 2);
    const SettingsSnapshot saved = Load(args[1]);
    RequireYes(c, "Przywrócenie ustawień kasy z pliku");
    c.OpenPort();
    SettingsSnapshot device;
    if (!ReadSnapshot(c.link, Now(), device))
        return false;
    const auto differences = CompareSnapshots(saved, device);
    std::vector<std::string> written;
    if (!RestoreSnapshot(c.link, c.ui, saved, differences, withRates, written))
        return false;
    if (saved.uniqueNo != device.uniqueNo)
        c.result.AddLine("Plik pochodzi z innej kasy (numer unikatowy " + saved.uniqueNo + ").");
    std::vector<CliResult> items;
    for (const std::string& group : written) {
        CliResult item;
        item.Add("group", "", group);
        items.push_back(item);
    }
    c.result.Add("unique_number", "Numer unikatowy w pliku: ", saved.uniqueNo);
    c.result.AddList("written", items);
    c.result.AddLine(written.empty() ? "Nic nie zostało zapisane do kasy."
                                     : "Zapisano ustawienia, które się różniły.");
    return true;
}

const catalogues::CatalogueDef& CatalogueNamed(const std::string& name) {
    const std::pair<const char*, catalogues::Catalogue> names[] = {
        {"towary", catalogues::Catalogue::Goods},
        {"kontrahenci", catalogues::Catalogue::Contractors},
        {"karty", catalogues::Catalogue::Cards}};
    for (const auto& [text, which] : names)
        if (name == text)
            return catalogues::Definition(which);
    throw UsageError("Nieznana baza " + name + " (towary, kontrahenci, karty).");
}

} // namespace

bool RunSnapshot(CliContext& c, const std::vector<std::string>& args) {
    const std::string verb = args.empty() ? "" : args[0];
    if (verb == "save")
        return Save(c, args);
    if (verb == "diff")
        return Diff(c, args);
    if (verb == "restore")
        return Restore(c, args);
    throw UsageError(
        "Użycie: snapshot save PLIK | snapshot diff PLIK [PLIK2] | snapshot restore PLIK [--with-vat] "
        "--yes.");
}

bool RunCatalogue(CliContext& c, const std::vector<std::string>& args) {
    std::vector<std::string> rest = args;
    const auto replace = std::find(rest.begin(), rest.end(), "--replace");
    const bool replacing = replace != rest.end();
    if (replacing)
        rest.erase(replace);
    if (rest.empty() || (rest[0] != "export" && rest[0] != "import") || (replacing && rest[0] != "import"))
        throw UsageError("Użycie: catalogue export NAZWA PLIK | catalogue import NAZWA PLIK [--replace].");
    ExpectArgs(rest, 3, 3);
    const catalogues::CatalogueDef& def = CatalogueNamed(rest[1]);
    const std::string& file = rest[2];
    c.result.Add("catalogue", "Baza: ", def.caption);
    c.result.Add("file", "Plik: ", file);
    // As the program does at start: a data folder without tables gets an empty catalogue.
    const std::string tables = c.dataFolder + kTablesFolderName + "/";
    std::error_code ignored;
    std::filesystem::create_directory(tables, ignored);
    TMyTable table;
    Local([&] { catalogues::OpenCatalogue(table, tables, def); });
    if (rest[0] == "export") {
        c.result.AddNumber("records",
                           "Liczba rekordów: ", Local([&] { return ExportCatalogueCsv(table, file); }));
        return true;
    }
    const CheckedCsv checked = Local([&] { return CheckCatalogueCsv(table, ReadWholeFile(file)); });
    if (!checked.faults.empty()) {
        std::string message = "Plik " + file + " zawiera błędne wiersze; nic nie zostało zapisane.";
        for (const RowFault& f : checked.faults)
            message += "\nwiersz " + std::to_string(f.line) + ": " + f.reason;
        throw CliFailure(message);
    }
    const ImportDone done = Local([&] {
        return WriteCatalogueRecords(table, checked, replacing ? ImportMode::Replace : ImportMode::Append);
    });
    c.result.AddNumber("records", "Liczba dodanych rekordów: ", done.records);
    if (!done.backup.empty())
        c.result.Add("backup", "Poprzednia zawartość: ", done.backup);
    return true;
}

} // namespace nubra::cli
