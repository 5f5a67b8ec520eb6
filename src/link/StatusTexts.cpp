#include "StatusTexts.h"

namespace nubra {
namespace {

const std::array<const char*, 9> ErrorDescriptions = {
    "OK",
    "Były ponad trzy nieskuteczne usiłowania zapisu do pamięci fiskalnej.",
    "Błąd sumy kontrolnej pamięci listy towarowej, wykryty podczas wykonywania raportu dobowego.",
    "Błąd podczas odczytu zegara (RTC).",
    "Błąd sumy kontrolnej totalizera lub bajt unikatowy różny od $CC, wykryte przy wykonywaniu raportu "
    "dobowego.",
    "Błąd sumy kontrolnej totalizera lub bajt unikatowy różny od $CC, wykryte przy drukowaniu paragonu "
    "fiskalnego.",
    "Błąd sumy kontrolnej pamięci listy towarowej, wykryty przy załączaniu drukarki.",
    "Błąd sumy kontrolnej totalizera lub bajt unikatowy różny od $CC, wykryty przy załączaniu drukarki.",
    "Błąd mechanizmu drukującego lub brak napięcia 24V lub problem z pamięcią fiskalną.",
};

} // namespace

std::string ErrorNumberDescription(int number) {
    if (number < 0 || number >= static_cast<int>(ErrorDescriptions.size()))
        return "Brak opisu...";
    return ErrorDescriptions[static_cast<std::size_t>(number)];
}

const std::array<TotalizerField, 12>& TotalizerFields() {
    static const std::array<TotalizerField, 12> fields = {{
        {"cancelledReceipts", "Ilość anulowanych paragonów: ", &Totalizer::CancelledReceipts},
        {"goodsBaseChanges", "Ilość zmian w bazie towarowej: ", &Totalizer::GoodsBaseChanges},
        {"dayReportNumber", "Numer kolejny raportu dobowego: ", &Totalizer::DayReportNumber},
        {"grossA", "Kwota brutto sprzedaży A: ", &Totalizer::GrossA},
        {"grossB", "Kwota brutto sprzedaży B: ", &Totalizer::GrossB},
        {"grossC", "Kwota brutto sprzedaży C: ", &Totalizer::GrossC},
        {"grossD", "Kwota brutto sprzedaży D: ", &Totalizer::GrossD},
        {"grossE", "Kwota brutto sprzedaży E: ", &Totalizer::GrossE},
        {"grossF", "Kwota brutto sprzedaży F: ", &Totalizer::GrossF},
        {"grossG", "Kwota brutto sprzedaży G: ", &Totalizer::GrossG},
        {"cancelledAmount", "Kwota anulowanych paragonów: ", &Totalizer::CancelledAmount},
        {"receiptCount", "Ilość paragonów: ", &Totalizer::ReceiptCount},
    }};
    return fields;
}

} // namespace nubra
