#include "TFormRegisterSale.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QToolButton>
#include <QVBoxLayout>

#include "DeviceText.h"
#include "FieldValue.h"
#include "SaleWidgets.h"
#include "SalesState.h"
#include "TDecimalEdit.h"
#include "TRegisterGroup.h"

namespace nubra::app {
namespace {

constexpr std::int64_t kMaxPrice = 99999999; // 999999,99: the width of the printer's field

// value / 10^scale as the shortest decimal text: 300000 at scale 6 is "0,3".
QString ShortestDecimal(std::int64_t value, int scale) {
    QString text = TDecimalEdit::Format(value, scale);
    if (scale > 0) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(QLatin1Char(',')))
            text.chop(1);
    }
    return text;
}

QLabel* Buddy(const char* caption, QWidget* field, QWidget* parent) {
    auto* label = new QLabel(QString::fromUtf8(caption), parent);
    label->setBuddy(field);
    return label;
}

} // namespace

TFormRegisterSale::TFormRegisterSale(CataloguePicker picker, std::function<RegisterView(int)> registerView,
                                     QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), picker_(std::move(picker)),
      registerView_(std::move(registerView)) {
    setObjectName(QStringLiteral("FormRegisterSale"));
    setWindowTitle(QStringLiteral("Rejestracja sprzedaży"));

    auto* transaction = new QGroupBox(QStringLiteral("Transakcja"), this);
    auto* goods = new QGroupBox(QStringLiteral("Towar"), this);
    auto* card = new QGroupBox(QStringLiteral(" Karta"), this);
    auto* firm = new QGroupBox(QStringLiteral(" Firma"), this);
    auto* loyalty = new QGroupBox(QStringLiteral("Lojalność"), this);
    BuildTransaction(transaction);
    BuildGoods(goods);
    BuildCard(card);

    cbFirma_ = new QCheckBox(QStringLiteral("Sprzedaż na fakturę"), firm);
    cbFirma_->setObjectName(QStringLiteral("CB_Firma"));
    bbWybierzFirme_ = MakePickButton("BB_WybierzFirme", QStringLiteral("Wybierz firmę..."), firm);
    auto* firmGrid = new QGridLayout(firm);
    firmGrid->addWidget(cbFirma_, 0, 0, 1, 3);
    contractor_ = std::make_unique<TContractorFields>(firm, firmGrid, 1, bbWybierzFirme_);
    connect(bbWybierzFirme_, &QToolButton::clicked, this, &TFormRegisterSale::BB_WybierzFirmeClick);
    OnClick(contractor_->Field(0), [this] { BB_WybierzFirmeClick(); });
    connect(cbFirma_, &QCheckBox::toggled, this, [this] {
        ApplyVisibility();
        if (std::exchange(ContractorPickerPending, false))
            BB_WybierzFirmeClick();
    });

    BuildLoyalty(loyalty);

    buttonOk_ = new QPushButton(QStringLiteral("Rejestruj sprzedaż"), this);
    buttonOk_->setObjectName(QStringLiteral("ButtonOK"));
    buttonOk_->setDefault(true);
    buttonAnuluj_ = new QPushButton(QStringLiteral("Zamknij"), this);
    buttonAnuluj_->setObjectName(QStringLiteral("ButtonAnuluj"));
    button1_ = new QPushButton(QStringLiteral("Anuluj transakcję"), this);
    button1_->setObjectName(QStringLiteral("Button1"));
    connect(buttonOk_, &QPushButton::clicked, this, [this] { done(ResultOk); });
    connect(buttonAnuluj_, &QPushButton::clicked, this, [this] { done(ResultCancel); });
    connect(button1_, &QPushButton::clicked, this, [this] { done(ResultAbort); });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(button1_);
    buttons->addStretch(1);
    buttons->addWidget(buttonOk_);
    buttons->addWidget(buttonAnuluj_);

    auto* left = new QVBoxLayout;
    left->addWidget(transaction);
    left->addWidget(goods);
    left->addWidget(card);
    auto* right = new QVBoxLayout;
    right->addWidget(firm);
    right->addWidget(loyalty);
    right->addStretch(1);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(columns);
    layout->addLayout(buttons);

    const QList<QWidget*> order = {
        rgRejestr_,      ceNrTrans_,    cbWydruk_, bbWybierzTowar_, ceIlosc_,   cbKarta_,
        bbWybierzKarte_, cboxPin_,      cbFirma_,  bbWybierzFirme_, cbLoyalty_, eNumerKarty_,
        ePunkty_,        eSumaPunktow_, buttonOk_, buttonAnuluj_,   button1_};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    ApplyVisibility();
}

TFormRegisterSale::~TFormRegisterSale() = default;

void TFormRegisterSale::BuildTransaction(QWidget* box) {
    rgRejestr_ = new TRegisterGroup(QStringLiteral("Rejestr"), box);
    connect(rgRejestr_, &TRegisterGroup::clicked, this, &TFormRegisterSale::RG_RejestrClick);
    ceNrTrans_ = new TDecimalEdit(0, 0, 99999, box);
    ceNrTrans_->setObjectName(QStringLiteral("CE_NrTrans"));
    ceNrTrans_->setMaxLength(5);
    ceNrTrans_->SetValue(0);
    lLimit_ = new QLabel(box);
    lLimit_->setObjectName(QStringLiteral("L_Limit"));
    cbWydruk_ = new QCheckBox(QStringLiteral("Wydruk dokumentu"), box);
    cbWydruk_->setObjectName(QStringLiteral("CB_Wydruk"));
    auto* grid = new QGridLayout(box);
    grid->addWidget(rgRejestr_, 0, 0, 1, 4);
    grid->addWidget(Buddy("Numer transakcji:", ceNrTrans_, box), 1, 0);
    grid->addWidget(ceNrTrans_, 1, 1);
    grid->addWidget(Buddy("Limit sprzedaży:", lLimit_, box), 1, 2);
    grid->addWidget(lLimit_, 1, 3);
    grid->addWidget(cbWydruk_, 2, 0, 1, 4);
}

void TFormRegisterSale::BuildGoods(QWidget* box) {
    stNazwa_ = MakeStaticText("ST_Nazwa", box);
    stNazwa_->setMinimumWidth(stNazwa_->fontMetrics().horizontalAdvance(QLatin1Char('W')) * 20);
    bbWybierzTowar_ = MakePickButton("BB_WybierzTowar", QStringLiteral("Wybierz towar..."), box);
    connect(bbWybierzTowar_, &QToolButton::clicked, this, &TFormRegisterSale::BB_WybierzTowarClick);
    OnClick(stNazwa_, [this] { BB_WybierzTowarClick(); });
    ceIlosc_ = new TDecimalEdit(2, 0, 999999, box);
    ceIlosc_->setObjectName(QStringLiteral("CE_Ilosc"));
    ceIlosc_->SetValue(100);
    connect(ceIlosc_, &QLineEdit::textChanged, this, &TFormRegisterSale::UpdateTotal);
    stCena_ = MakeStaticText("ST_Cena", box, Qt::AlignRight);
    stPtu_ = MakeStaticText("ST_Ptu", box, Qt::AlignHCenter);
    lSuma_ = MakeStaticText("L_Suma", box, Qt::AlignRight);
    lblTransDew_ = new QLabel(box);
    lblTransDew_->setObjectName(QStringLiteral("lblTransDew"));
    lblTransDew_->setAlignment(Qt::AlignCenter);
    lblTransDew_->hide();

    auto* grid = new QGridLayout(box);
    grid->addWidget(Buddy("Nazwa:", stNazwa_, box), 0, 0);
    grid->addWidget(stNazwa_, 0, 1, 1, 3);
    grid->addWidget(bbWybierzTowar_, 0, 4);
    grid->addWidget(Buddy("Ilość:", ceIlosc_, box), 1, 0);
    grid->addWidget(ceIlosc_, 1, 1);
    grid->addWidget(Buddy("Cena:", stCena_, box), 2, 0);
    grid->addWidget(stCena_, 2, 1);
    grid->addWidget(Buddy("PTU:", stPtu_, box), 1, 2);
    grid->addWidget(stPtu_, 1, 3);
    grid->addWidget(Buddy("Suma:", lSuma_, box), 3, 0);
    grid->addWidget(lSuma_, 3, 1);
    grid->addWidget(lblTransDew_, 2, 2, 2, 3);
}

void TFormRegisterSale::BuildCard(QWidget* box) {
    cbKarta_ = new QCheckBox(QStringLiteral("Płatność kartą"), box);
    cbKarta_->setObjectName(QStringLiteral("CB_Karta"));
    stKarta_ = MakeStaticText("ST_Karta", box);
    bbWybierzKarte_ = MakePickButton("BB_WybierzKarte", QStringLiteral("Wybierz kartę..."), box);
    connect(bbWybierzKarte_, &QToolButton::clicked, this, &TFormRegisterSale::BB_WybierzKarteClick);
    OnClick(stKarta_, [this] { BB_WybierzKarteClick(); });
    cboxPin_ = new QCheckBox(QStringLiteral("PIN"), box);
    cboxPin_->setObjectName(QStringLiteral("CBox_PIN"));
    static const char* const hidden[] = {"ST_Numer", "ST_Tid", "ST_Uid", "ST_Waznosc", "ST_Kod"};
    for (std::size_t i = 0; i < cardFields_.size(); ++i) {
        cardFields_[i] = MakeStaticText(hidden[i], box);
        cardFields_[i]->hide();
    }
    connect(cbKarta_, &QCheckBox::toggled, this, [this] {
        ApplyVisibility();
        if (std::exchange(CardPickerPending, false))
            BB_WybierzKarteClick();
    });
    auto* grid = new QGridLayout(box);
    grid->addWidget(cbKarta_, 0, 0);
    grid->addWidget(cboxPin_, 0, 1);
    grid->addWidget(stKarta_, 1, 0, 1, 2);
    grid->addWidget(bbWybierzKarte_, 1, 2);
}

void TFormRegisterSale::BuildLoyalty(QWidget* box) {
    cbLoyalty_ = new QCheckBox(QStringLiteral("Transakcja lojalnościowa"), box);
    cbLoyalty_->setObjectName(QStringLiteral("CB_Loyalty"));
    connect(cbLoyalty_, &QCheckBox::toggled, this, &TFormRegisterSale::ApplyVisibility);
    eNumerKarty_ = new QLineEdit(box);
    eNumerKarty_->setObjectName(QStringLiteral("E_NumerKarty"));
    eNumerKarty_->setMaxLength(20);
    UpperCaseAsTyped(eNumerKarty_);
    ePunkty_ = new QLineEdit(QStringLiteral("0"), box);
    ePunkty_->setObjectName(QStringLiteral("E_Punkty"));
    ePunkty_->setMaxLength(5);
    eSumaPunktow_ = new QLineEdit(QStringLiteral("0"), box);
    eSumaPunktow_->setObjectName(QStringLiteral("E_SumaPunktow"));
    eSumaPunktow_->setMaxLength(10);
    auto* grid = new QGridLayout(box);
    grid->addWidget(cbLoyalty_, 0, 0, 1, 2);
    int row = 1;
    for (const auto& [caption, edit] :
         {std::pair{"Numer karty:", eNumerKarty_}, std::pair{"Ilość punktów:", ePunkty_},
          std::pair{"Suma punktów:", eSumaPunktow_}}) {
        QLabel* label = Buddy(caption, edit, box);
        grid->addWidget(label, row, 0);
        grid->addWidget(edit, row, 1);
        loyaltyControls_.push_back(label);
        loyaltyControls_.push_back(edit);
        ++row;
    }
}

void TFormRegisterSale::ApplyVisibility() {
    const bool card = cbKarta_->isChecked();
    stKarta_->setVisible(card);
    cboxPin_->setVisible(card);
    bbWybierzKarte_->setVisible(card);
    contractor_->SetVisible(cbFirma_->isChecked());
    for (QWidget* w : loyaltyControls_)
        w->setVisible(cbLoyalty_->isChecked());
}

void TFormRegisterSale::ShowCurrencyMark(bool isCurrency, const QString& currency) {
    lblTransDew_->setText(QStringLiteral("Transakcja\nwalutowa\n") + currency);
    lblTransDew_->setVisible(isCurrency);
}

void TFormRegisterSale::RG_RejestrClick() {
    const RegisterView view = registerView_(rgRejestr_->ItemIndex() + 1);
    ceNrTrans_->setText(view.tranNo);
    ceNrTrans_->SetValue(ceNrTrans_->Value());
    lLimit_->setText(view.limitCaption);
    lLimit_->setProperty("tag", view.limitTag);
    ShowCurrencyMark(view.isCurrency, view.currency);
}

void TFormRegisterSale::BB_WybierzTowarClick() {
    const QStringList names = {QStringLiteral("NAZWA"), QStringLiteral("CENA"), QStringLiteral("PTU")};
    if (auto values = picker_(catalogues::Catalogue::Goods, names, true)) {
        stNazwa_->setText(values->at(0));
        stCena_->setText(values->at(1));
        stPtu_->setText(values->at(2));
    }
    UpdateTotal();
}

void TFormRegisterSale::BB_WybierzKarteClick() {
    const QStringList names = {QStringLiteral("NAZWA"), QStringLiteral("NUMER"),   QStringLiteral("TID"),
                               QStringLiteral("UID"),   QStringLiteral("WAŻNOŚĆ"), QStringLiteral("KOD")};
    if (auto values = picker_(catalogues::Catalogue::Cards, names, true)) {
        stKarta_->setText(values->at(0));
        for (std::size_t i = 0; i < cardFields_.size(); ++i)
            cardFields_[i]->setText(values->at(static_cast<qsizetype>(i) + 1));
    }
}

void TFormRegisterSale::BB_WybierzFirmeClick() {
    if (auto values = picker_(catalogues::Catalogue::Contractors, TContractorFields::FieldNames, true))
        contractor_->Fill(*values);
}

void TFormRegisterSale::UpdateTotal() {
    const std::optional<Currency> price = ParseCurrency(ToDeviceAsIs(stCena_->text()));
    // Hundredths x ten-thousandths: millionths, exact.
    lSuma_->setText(ShortestDecimal(ceIlosc_->Value() * (price ? price->scaled : 0), 6));
}

std::optional<std::int64_t> TFormRegisterSale::Price() const {
    const std::optional<Currency> price = ParseCurrency(ToDeviceAsIs(stCena_->text()));
    if (!price)
        return 0;
    const std::int64_t hundredths = (price->scaled + (price->scaled < 0 ? -50 : 50)) / 100;
    if (hundredths < 0 || hundredths > kMaxPrice)
        return std::nullopt;
    return hundredths;
}

void TFormRegisterSale::reject() {
    done(ResultCancel);
}

void TFormRegisterSale::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    CentreOnOwner(this);
    UpdateTotal();
}

} // namespace nubra::app
