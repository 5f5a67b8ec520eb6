#pragma once
// "Rejestracja sprzedaży": the goods line, the payment (cash or a card) and the document (receipt or
// invoice) that end a transaction, with optional loyalty data. The dialog sends nothing: the action
// reads its values after it closes. Results: 1 "Rejestruj sprzedaż", 2 "Zamknij", 3 "Anuluj
// transakcję". It keeps its values between uses; the action resets what a new sale must not inherit.
#include <QDialog>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "CataloguePicker.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace nubra::app {

class TContractorFields;
class TDecimalEdit;
class TRegisterGroup;

class TFormRegisterSale : public QDialog {
    Q_OBJECT
public:
    static constexpr int ResultOk = 1;
    static constexpr int ResultCancel = 2;
    static constexpr int ResultAbort = 3;

    // What the register-change rule reads for register n (1..8): the register window's transaction
    // number and limit labels, and the register's currency mark.
    struct RegisterView {
        QString tranNo;
        QString limitCaption;
        int limitTag = 0;
        bool isCurrency = false;
        QString currency;
    };

    TFormRegisterSale(CataloguePicker picker, std::function<RegisterView(int)> registerView,
                      QWidget* parent = nullptr);
    ~TFormRegisterSale() override;

    TRegisterGroup* RG_Rejestr() const { return rgRejestr_; }
    TDecimalEdit* CE_NrTrans() const { return ceNrTrans_; }
    QLabel* L_Limit() const { return lLimit_; }
    QCheckBox* CB_Wydruk() const { return cbWydruk_; }
    QLineEdit* ST_Nazwa() const { return stNazwa_; }
    QToolButton* BB_WybierzTowar() const { return bbWybierzTowar_; }
    TDecimalEdit* CE_Ilosc() const { return ceIlosc_; }
    QLineEdit* ST_Cena() const { return stCena_; }
    QLineEdit* ST_Ptu() const { return stPtu_; }
    QLineEdit* L_Suma() const { return lSuma_; }
    QLabel* LblTransDew() const { return lblTransDew_; }
    QCheckBox* CB_Karta() const { return cbKarta_; }
    QLineEdit* ST_Karta() const { return stKarta_; }
    QToolButton* BB_WybierzKarte() const { return bbWybierzKarte_; }
    QCheckBox* CBox_PIN() const { return cboxPin_; }
    // NUMER, TID, UID, WAŻNOŚĆ, KOD of the picked card (always hidden).
    QLineEdit* CardField(int i) const { return cardFields_.at(static_cast<std::size_t>(i)); }
    QCheckBox* CB_Firma() const { return cbFirma_; }
    TContractorFields& Contractor() const { return *contractor_; }
    QCheckBox* CB_Loyalty() const { return cbLoyalty_; }
    QLineEdit* E_NumerKarty() const { return eNumerKarty_; }
    QLineEdit* E_Punkty() const { return ePunkty_; }
    QLineEdit* E_SumaPunktow() const { return eSumaPunktow_; }
    QPushButton* ButtonOK() const { return buttonOk_; }
    QPushButton* ButtonAnuluj() const { return buttonAnuluj_; }
    QPushButton* Button1() const { return button1_; }

    // --- handlers ---
    // The register-change rule: the chosen register's number, limit and currency mark.
    void RG_RejestrClick();
    // Shows or hides the card, contractor and loyalty controls by their boxes.
    void ApplyVisibility();
    void ShowCurrencyMark(bool isCurrency, const QString& currency);
    void BB_WybierzTowarClick();
    void BB_WybierzKarteClick();
    void BB_WybierzFirmeClick();
    // L_Suma := quantity x price, the shortest exact decimal text.
    void UpdateTotal();

    // The price text as hundredths rounded half up; 0 for text that is not a number, nullopt for a
    // number below zero or too wide for the printer's field.
    std::optional<std::int64_t> Price() const;

    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildTransaction(QWidget* box);
    void BuildGoods(QWidget* box);
    void BuildCard(QWidget* box);
    void BuildLoyalty(QWidget* box);

    CataloguePicker picker_;
    std::function<RegisterView(int)> registerView_;
    std::unique_ptr<TContractorFields> contractor_;
    TRegisterGroup* rgRejestr_ = nullptr;
    TDecimalEdit* ceNrTrans_ = nullptr;
    QLabel* lLimit_ = nullptr;
    QCheckBox* cbWydruk_ = nullptr;
    QLineEdit* stNazwa_ = nullptr;
    QToolButton* bbWybierzTowar_ = nullptr;
    TDecimalEdit* ceIlosc_ = nullptr;
    QLineEdit* stCena_ = nullptr;
    QLineEdit* stPtu_ = nullptr;
    QLineEdit* lSuma_ = nullptr;
    QLabel* lblTransDew_ = nullptr;
    QCheckBox* cbKarta_ = nullptr;
    QLineEdit* stKarta_ = nullptr;
    QToolButton* bbWybierzKarte_ = nullptr;
    QCheckBox* cboxPin_ = nullptr;
    std::array<QLineEdit*, 5> cardFields_{};
    QCheckBox* cbFirma_ = nullptr;
    QToolButton* bbWybierzFirme_ = nullptr;
    QCheckBox* cbLoyalty_ = nullptr;
    std::vector<QWidget*> loyaltyControls_;
    QLineEdit* eNumerKarty_ = nullptr;
    QLineEdit* ePunkty_ = nullptr;
    QLineEdit* eSumaPunktow_ = nullptr;
    QPushButton* buttonOk_ = nullptr;
    QPushButton* buttonAnuluj_ = nullptr;
    QPushButton* button1_ = nullptr;
};

} // namespace nubra::app
