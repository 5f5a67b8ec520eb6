#include "TFormParams.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "DialogParts.h"

namespace nubra::settings {
namespace {

// Status byte 1: bit 7 Latin transmission code, bit 0 EURO. Status byte 2: bit 7 comma, bit 6
// automatic daily report, bit 0 with confirmations; bit 5 is always sent set in both.
constexpr unsigned char kLatin1 = 0xA0, kMazovia1 = 0x60, kBase2 = 0x20;
constexpr unsigned char kLatin = 0x80, kEuro = 0x01, kComma = 0x80, kAuto = 0x40, kConfirm = 0x01;

} // namespace

TFormParams::TFormParams(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
    setWindowTitle(QStringLiteral("Parametry"));
    rgTransm_ = new TRadioGroup("RG_Transm", QStringLiteral(" Kod transmisji "),
                                {QStringLiteral("Latin"), QStringLiteral("Mazovia")}, 2, this);
    rgSep_ = new TRadioGroup("RG_Sep", QStringLiteral(" Separator "),
                             {QStringLiteral("Kropka"), QStringLiteral("Przecinek")}, 2, this);
    rgMode_ = new TRadioGroup("RG_Mode", QStringLiteral(" Tryb wykonywania raportu dobowego "),
                              {QStringLiteral("Automatycznie"), QStringLiteral("Ręcznie")}, 2, this);
    rgPotw_ =
        new TRadioGroup("RG_Potw", QStringLiteral(" Tryb potwierdzeń "),
                        {QStringLiteral("Z potwierdzeniami"), QStringLiteral("Bez potwierdzeń")}, 2, this);
    auto* currency = new QGroupBox(QStringLiteral(" Bieżąca waluta "), this);
    lWaluta_ = new QLabel(QStringLiteral("WALUTA"), currency);
    lWaluta_->setObjectName(QStringLiteral("L_Waluta"));
    (new QVBoxLayout(currency))->addWidget(lWaluta_);

    btnUstaw_ = ResultButton(this, "Btn_Ustaw", QStringLiteral("Ustaw"), mrOk);
    btnUstaw_->setDefault(true);
    QPushButton* cancel = ResultButton(this, "Anuluj", QStringLiteral("Anuluj"), mrCancel);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    for (QGroupBox* group : std::initializer_list<QGroupBox*>{rgTransm_, rgSep_, rgMode_, rgPotw_, currency})
        layout->addWidget(group);
    layout->addLayout(ButtonRow({btnUstaw_, cancel}));
}

void TFormParams::ShowStatus(unsigned char status1, unsigned char status2) {
    rgTransm_->SetItemIndex((status1 & kLatin) ? 0 : 1);
    rgSep_->SetItemIndex((status2 & kComma) ? 1 : 0);
    rgMode_->SetItemIndex((status2 & kAuto) ? 0 : 1);
    rgPotw_->SetItemIndex((status2 & kConfirm) ? 0 : 1);
    lWaluta_->setText((status1 & kEuro) ? QStringLiteral("EURO") : QStringLiteral("ZŁOTY"));
}

unsigned char TFormParams::Status1() const {
    return rgTransm_->ItemIndex() == 0 ? kLatin1 : kMazovia1;
}

unsigned char TFormParams::Status2() const {
    unsigned char status2 = kBase2;
    if (rgSep_->ItemIndex() == 1)
        status2 |= kComma;
    if (rgMode_->ItemIndex() == 0)
        status2 |= kAuto;
    if (rgPotw_->ItemIndex() == 0)
        status2 |= kConfirm;
    return status2;
}

} // namespace nubra::settings
