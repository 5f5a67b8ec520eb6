#include "TFormAbout.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "Constants.h"
#include "DialogSeam.h"
#include "MessageBox.h"
#include "TLinkLabel.h"

namespace nubra::app {
namespace {

QPixmap Logo() {
    QPixmap pm(220, 60);
    pm.fill(Qt::white);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1F, 0x4E, 0x8C));
    p.drawRoundedRect(2, 6, 48, 48, 8, 8);
    p.setBrush(Qt::white);
    p.drawRect(12, 16, 28, 14); // a receipt leaving the printer
    p.setBrush(QColor(0xE0, 0x40, 0x30));
    p.drawRect(12, 34, 28, 8);
    QFont f(QStringLiteral("Tahoma"));
    f.setPixelSize(30);
    f.setBold(true);
    p.setFont(f);
    p.setPen(QColor(0x1F, 0x4E, 0x8C));
    p.drawText(QRect(58, 0, 160, 60), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("nubra5"));
    return pm;
}

} // namespace

const QString TFormAbout::EMail = QStringLiteral("serwis@nubra5.example");
const QString TFormAbout::Www = QStringLiteral("https://www.nubra5.example/");

TFormAbout::TFormAbout(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("FormAbout"));
    setWindowTitle(QStringLiteral("O programie"));
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(14);
    setFont(font);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setAutoFillBackground(true);

    auto* imageLogo = new QLabel(this);
    imageLogo->setObjectName(QStringLiteral("ImageLogo"));
    imageLogo->setPixmap(Logo());
    imageLogo->setAlignment(Qt::AlignCenter);
    imageLogo->setAccessibleName(QStringLiteral("Logo nubra5"));

    labelVersion_ = new QLabel(QStringLiteral("Wersja X.XX"), this);
    labelVersion_->setObjectName(QStringLiteral("LabelVersion"));
    labelVersion_->setAlignment(Qt::AlignCenter);

    auto* labelAdres = new QLabel(QStringLiteral("Nubra Systemy Fiskalne sp. z o.o.\n"
                                                 "ul. Kasowa 5, 00-950 Warszawa, tel. 22 555 01 07"),
                                  this);
    labelAdres->setObjectName(QStringLiteral("LabelAdres"));
    labelAdres->setAlignment(Qt::AlignCenter);

    staticTextEMail_ = new TLinkLabel(EMail, this);
    staticTextEMail_->setObjectName(QStringLiteral("StaticTextEMail"));
    staticTextWWW_ = new TLinkLabel(Www, this);
    staticTextWWW_->setObjectName(QStringLiteral("StaticTextWWW"));

    labelDataFolder_ = new QLabel(this);
    labelDataFolder_->setObjectName(QStringLiteral("LabelDataFolder"));
    labelDataFolder_->setAlignment(Qt::AlignCenter);
    labelDataFolder_->setTextInteractionFlags(Qt::TextSelectableByMouse); // to be copied into a file manager
    labelDataFolder_->hide();

    closeButton_ = new QPushButton(QStringLiteral("Zamknij"), this);
    closeButton_->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(imageLogo);
    layout->addWidget(labelVersion_);
    layout->addWidget(labelAdres);
    layout->addWidget(staticTextEMail_, 0, Qt::AlignHCenter);
    layout->addWidget(staticTextWWW_, 0, Qt::AlignHCenter);
    layout->addWidget(labelDataFolder_);
    layout->addSpacing(6);
    layout->addWidget(closeButton_, 0, Qt::AlignHCenter);

    connect(closeButton_, &QPushButton::clicked, this, &QDialog::accept);
    connect(staticTextEMail_, &TLinkLabel::clicked, this, &TFormAbout::StaticTextEMailClick);
    connect(staticTextWWW_, &TLinkLabel::clicked, this, &TFormAbout::StaticTextWWWClick);

    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);

    // FormCreate
    labelVersion_->setText(QStringLiteral("Wersja ") + QString::fromLatin1(ProgramVersion));
}

void TFormAbout::SetDataFolder(const QString& folder) {
    labelDataFolder_->setText(QStringLiteral("Folder danych: ") + folder);
    labelDataFolder_->setVisible(!folder.isEmpty());
}

void TFormAbout::StaticTextEMailClick() {
    OpenLink(QStringLiteral("mailto:%1?subject=%2").arg(staticTextEMail_->text(), QStringLiteral("nubra5")));
}

void TFormAbout::StaticTextWWWClick() {
    OpenLink(staticTextWWW_->text());
}

void TFormAbout::OpenLink(const QString& link) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool opened = DialogSeam::Current().OpenUrl(QUrl(link));
    QApplication::restoreOverrideCursor();
    if (!opened) {
        // The desktop gives no reason of its own; say what could not be opened.
        QApplication::beep();
        ShowMessageBox(this, QMessageBox::Critical,
                       QStringLiteral("System nie potrafi otworzyć odnośnika:\n%1").arg(link));
    }
}

bool TFormAbout::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && !static_cast<QKeyEvent*>(event)->isAutoRepeat())
        pressedHere_.insert(static_cast<QKeyEvent*>(event)->key());
    return QDialog::eventFilter(watched, event);
}

void TFormAbout::showEvent(QShowEvent* event) {
    pressedHere_.clear();
    QDialog::showEvent(event);
    // Enter and Space answer the window, not the first link in the tab order.
    closeButton_->setFocus();
}

void TFormAbout::keyReleaseEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Space:
        // Enter that chose "O programie" in the menu is let go over this window: that release is
        // not the user's answer to it.
        if (pressedHere_.remove(event->key())) {
            accept();
            return;
        }
        break;
    default:
        QDialog::keyReleaseEvent(event);
    }
}

} // namespace nubra::app
