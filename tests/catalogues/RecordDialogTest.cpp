// The record editor built from a table: values typed with either decimal mark, refused values and
// the re-shown dialog, upper-case input, component names, the delete question.
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <deque>
#include <functional>

#include "Cp1250.h"
#include "RecordDialog.h"
#include "TMyTable.h"
#include "TableModal.h"

using namespace nubra;
using tables_qt::RecordDialog;

namespace {

// Answers the modal runs in turn and records what was shown.
struct Answers {
    std::deque<std::function<int(QDialog&)>> queue;
    QStringList shown; // window titles, or box texts
    Answers() {
        tables_qt::SetExecHook([this](QDialog& d) {
            auto* box = qobject_cast<QMessageBox*>(&d);
            shown << (box ? box->text() : d.windowTitle());
            if (queue.empty())
                return box ? int(QMessageBox::Ok) : int(QDialog::Rejected);
            auto answer = std::move(queue.front());
            queue.pop_front();
            return answer(d);
        });
    }
    ~Answers() { tables_qt::SetExecHook(nullptr); }
    void Add(std::function<int(QDialog&)> f) { queue.push_back(std::move(f)); }
};

QLineEdit* Edit(QDialog& d, const char* name) {
    return d.findChild<QLineEdit*>(QString::fromLatin1(name));
}

std::function<int(QDialog&)> Fill(std::vector<std::pair<const char*, QString>> texts) {
    return [texts](QDialog& d) {
        for (const auto& [name, text] : texts) {
            QLineEdit* e = Edit(d, name);
            if (!e)
                return int(QDialog::Rejected);
            e->setText(text);
        }
        return int(QDialog::Accepted);
    };
}

QByteArray FileBytes(const std::string& path) {
    QFile f(QString::fromStdString(path));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class RecordDialogTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<TMyTable> goods_;

    std::string Path(const char* name) const {
        return (dir_->path() + QLatin1Char('/')).toStdString() + name;
    }

private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        goods_ = std::make_unique<TMyTable>();
        goods_->SetTableName(Path("TOWARY"));
        goods_->AddField("NAZWA", FieldType::ftString, Alignment::Left, true, 40);
        goods_->AddField("PTU", FieldType::ftString, Alignment::Center, true, 1);
        goods_->AddField("CENA", FieldType::ftCurrency, Alignment::Right, false, 0);
        goods_->CreateTable();
        goods_->Open();
        tables_qt::RouteTableMessages(*goods_);
    }
    void cleanup() {
        goods_.reset();
        dir_.reset();
    }

    void pointAndCommaStoreTheSameCurrency() {
        Answers answers;
        answers.Add(Fill({{"E_NAZWA", "CHLEB"}, {"E_PTU", "A"}, {"E_CENA", "12.50"}}));
        answers.Add(Fill({{"E_NAZWA", "BUŁKA"}, {"E_PTU", "B"}, {"E_CENA", "12,50"}}));
        RecordDialog(*goods_, tables_qt::ModeAdd);
        RecordDialog(*goods_, tables_qt::ModeAdd);
        QCOMPARE(answers.shown, QStringList({"Dodawanie rekordu", "Dodawanie rekordu"}));
        QCOMPARE(goods_->RecordCount(), 2);
        for (int r = 0; r < 2; ++r)
            QCOMPARE(std::get<Currency>(goods_->PeekField(r, 2)).scaled, 125000);
        QCOMPARE(std::get<std::string>(goods_->PeekField(1, 0)), cp1250::FromUtf8("BUŁKA"));
    }

    void refusedValueShowsTheDialogAgainAndCancelChangesNothing() {
        Answers answers;
        answers.Add(Fill({{"E_NAZWA", "MLEKO"}, {"E_PTU", "A"}, {"E_CENA", "dwa"}}));
        QStringList secondTexts;
        answers.Add([](QDialog&) { return int(QMessageBox::Ok); }); // the field message
        answers.Add([&](QDialog& d) {
            for (const char* name : {"E_NAZWA", "E_PTU", "E_CENA"})
                secondTexts << Edit(d, name)->text();
            return int(QDialog::Rejected);
        });
        const QByteArray before = FileBytes(Path("TOWARY.tbl"));
        RecordDialog(*goods_, tables_qt::ModeAdd);
        QCOMPARE(answers.shown, QStringList({"Dodawanie rekordu", "Wartość pola 'CENA' jest niepoprawna.",
                                             "Dodawanie rekordu"}));
        QCOMPARE(secondTexts, QStringList({"MLEKO", "A", "DWA"}));
        QCOMPARE(goods_->RecordCount(), 0);
        QCOMPARE(goods_->State(), TableState::tsBrowse);
        QCOMPARE(FileBytes(Path("TOWARY.tbl")), before);
    }

    // Upper-casing keeps a letter whose capital the code page lacks (µ would become Greek Μ, then '?'),
    // and text a frame cannot carry is refused, naming the character.
    void upperCaseStaysInTheCodePageAndUnprintableTextIsRefused() {
        Answers answers;
        answers.Add(Fill({{"E_NAZWA", "żółw 5µm ß"}, {"E_PTU", "a"}, {"E_CENA", "1"}}));
        answers.Add(Fill({{"E_NAZWA", "ŚRUBA ✓"}, {"E_PTU", "A"}, {"E_CENA", "2"}}));
        answers.Add([](QDialog&) { return int(QMessageBox::Ok); });
        answers.Add(Fill({{"E_NAZWA", "ŚRUBA\t5"}}));
        answers.Add([](QDialog&) { return int(QMessageBox::Ok); });
        RecordDialog(*goods_, tables_qt::ModeAdd);
        RecordDialog(*goods_, tables_qt::ModeAdd);
        QCOMPARE(
            answers.shown,
            QStringList({"Dodawanie rekordu", "Dodawanie rekordu",
                         "Pole 'NAZWA': znaku '✓' (U+2713) nie ma w stronie kodowej drukarki (Windows-1250).",
                         "Dodawanie rekordu",
                         "Pole 'NAZWA': znak sterujący (kod 0x09) nie może trafić do drukarki.",
                         "Dodawanie rekordu"}));
        QCOMPARE(goods_->RecordCount(), 1);
        QCOMPARE(std::get<std::string>(goods_->PeekField(0, 0)), cp1250::FromUtf8("ŻÓŁW 5µM ß"));
        QCOMPARE(std::get<std::string>(goods_->PeekField(0, 1)), std::string("A"));
    }

    void emptyNumberIsRefusedAndMissingRequiredTextIsPostsMessage() {
        Answers answers;
        answers.Add(Fill({{"E_NAZWA", "X"}, {"E_PTU", "A"}, {"E_CENA", ""}}));
        answers.Add([](QDialog&) { return int(QMessageBox::Ok); });
        answers.Add(Fill({{"E_PTU", ""}, {"E_CENA", "1"}}));
        answers.Add([](QDialog&) { return int(QMessageBox::Ok); });
        answers.Add(Fill({{"E_PTU", "A"}}));
        RecordDialog(*goods_, tables_qt::ModeAdd);
        QCOMPARE(answers.shown, QStringList({"Dodawanie rekordu", "Wartość pola 'CENA' jest niepoprawna.",
                                             "Dodawanie rekordu", "Dla pola 'PTU' wymagana jest wartość.",
                                             "Dodawanie rekordu"}));
        QCOMPARE(goods_->RecordCount(), 1);
        QCOMPARE(ToText(goods_->GetField(2)), std::string("1"));
    }

    void closingAfterARefusedPostDropsTheTypedValues() {
        Answers answers;
        answers.Add(Fill({{"E_NAZWA", "A"}, {"E_PTU", "A"}, {"E_CENA", "1"}}));
        RecordDialog(*goods_, tables_qt::ModeAdd);
        answers.Add(Fill({{"E_NAZWA", "ZMIANA"}, {"E_PTU", ""}}));
        answers.Add([](QDialog&) { return int(QMessageBox::Ok); }); // the required-value message
        answers.Add([](QDialog&) { return int(QDialog::Rejected); });
        const QByteArray before = FileBytes(Path("TOWARY.tbl"));
        RecordDialog(*goods_, tables_qt::ModeEdit);
        QCOMPARE(answers.shown, QStringList({"Dodawanie rekordu", "Edycja rekordu",
                                             "Dla pola 'PTU' wymagana jest wartość.", "Edycja rekordu"}));
        QCOMPARE(goods_->State(), TableState::tsBrowse);
        QCOMPARE(std::get<std::string>(goods_->GetField(0)), std::string("A"));
        QCOMPARE(std::get<std::string>(goods_->GetField(1)), std::string("A"));
        QCOMPARE(FileBytes(Path("TOWARY.tbl")), before);
    }

    void editShowsCurrentValuesAndInsertGoesBeforeTheCurrentRecord() {
        Answers answers;
        answers.Add(Fill({{"E_NAZWA", "A"}, {"E_PTU", "A"}, {"E_CENA", "1"}}));
        answers.Add(Fill({{"E_NAZWA", "B"}, {"E_PTU", "B"}, {"E_CENA", "2,5"}}));
        QStringList editTexts;
        answers.Add([&](QDialog& d) {
            for (const char* name : {"E_NAZWA", "E_PTU", "E_CENA"})
                editTexts << Edit(d, name)->text();
            Edit(d, "E_NAZWA")->setText("BB");
            return int(QDialog::Accepted);
        });
        answers.Add(Fill({{"E_NAZWA", "NEW"}, {"E_PTU", "C"}, {"E_CENA", "0"}}));
        RecordDialog(*goods_, tables_qt::ModeAdd);
        RecordDialog(*goods_, tables_qt::ModeAdd);
        RecordDialog(*goods_, tables_qt::ModeEdit);
        QCOMPARE(editTexts, QStringList({"B", "B", "2,5"}));
        RecordDialog(*goods_, tables_qt::ModeInsert);
        QCOMPARE(answers.shown.last(), QStringLiteral("Wstawianie rekordu"));
        QCOMPARE(goods_->RecNo(), 1);
        std::vector<std::string> names;
        for (int r = 0; r < goods_->RecordCount(); ++r)
            names.push_back(std::get<std::string>(goods_->PeekField(r, 0)));
        QCOMPARE(names, (std::vector<std::string>{"A", "NEW", "BB"}));
    }

    void deleteAsksFirst() {
        Answers answers;
        answers.Add(Fill({{"E_NAZWA", "A"}, {"E_PTU", "A"}, {"E_CENA", "1"}}));
        RecordDialog(*goods_, tables_qt::ModeAdd);
        QString title;
        QMessageBox::StandardButtons buttons;
        answers.Add([&](QDialog& d) {
            title = d.windowTitle();
            buttons = static_cast<QMessageBox&>(d).standardButtons();
            return int(QMessageBox::No);
        });
        RecordDialog(*goods_, tables_qt::ModeDelete);
        QCOMPARE(answers.shown.last(), QStringLiteral("   Czy chcesz usunąć rekord?   "));
        QCOMPARE(title, QStringLiteral("Usuwanie rekordu"));
        QCOMPARE(buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(goods_->RecordCount(), 1);
        answers.Add([](QDialog&) { return int(QMessageBox::Yes); });
        RecordDialog(*goods_, tables_qt::ModeDelete);
        QCOMPARE(goods_->RecordCount(), 0);
        QCOMPARE(goods_->RecNo(), -1);
    }

    void onlyAutoIncrementFieldsGiveTwoButtons() {
        TMyTable t;
        t.SetTableName(Path("AUTO"));
        t.AddField("ID", FieldType::ftAutoInc, Alignment::Right, false, 0);
        t.AddField("NR", FieldType::ftAutoInc, Alignment::Right, false, 0);
        t.CreateTable();
        t.Open();
        Answers answers;
        int edits = -1, buttons = -1, labels = -1;
        answers.Add([&](QDialog& d) {
            edits = int(d.findChildren<QLineEdit*>().size());
            buttons = int(d.findChildren<QPushButton*>().size());
            labels = int(d.findChildren<QLabel*>().size());
            return int(QDialog::Accepted);
        });
        RecordDialog(t, tables_qt::ModeAdd);
        QCOMPARE(edits, 0);
        QCOMPARE(labels, 0);
        QCOMPARE(buttons, 2);
        QCOMPARE(t.RecordCount(), 1);
        QCOMPARE(std::get<std::int32_t>(t.GetField(1)), 1);
    }

    void componentNames_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("name");
        QTest::newRow("space") << "NAZWA 1"
                               << "E_NAZWA81";
        QTest::newRow("polish") << "WAŻNOŚĆ"
                                << "E_WA5NO89";
        QTest::newRow("cut to 18") << "ABCDEFGHIJKLMNOP"
                                   << "E_ABCDEFGHIJKLMNOP";
        QTest::newRow("cut before the rest") << "ABCDEFGHIJKLMNO.Q"
                                             << "E_ABCDEFGHIJKLMNO18";
    }
    void componentNames() {
        QFETCH(QString, field);
        QFETCH(QString, name);
        QCOMPARE(tables_qt::ComponentName(field), name);
    }

    void typedLettersBecomeCapitalsAndStringsKeepTheirLength() {
        tables_qt::TRecordDialog d(*goods_, tables_qt::ModeAdd);
        QLineEdit* e = d.findChild<QLineEdit*>("E_NAZWA");
        QVERIFY(e);
        QTest::keyClicks(e, QStringLiteral("chleb "));
        QKeyEvent polish(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("ż"));
        QApplication::sendEvent(e, &polish);
        QCOMPARE(e->text(), QStringLiteral("CHLEB Ż"));
        QCOMPARE(e->maxLength(), 40);
        QCOMPARE(d.findChild<QLineEdit*>("E_PTU")->maxLength(), 1);
    }

    void layoutFollowsTheFieldsAndTheTitleTheMode() {
        tables_qt::TRecordDialog d(*goods_, tables_qt::ModeEdit);
        QCOMPARE(d.windowTitle(), QStringLiteral("Edycja rekordu"));
        const QFontMetrics fm(d.font());
        const int w = fm.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") / 52;
        QLineEdit* name = d.findChild<QLineEdit*>("E_NAZWA");
        QLineEdit* vat = d.findChild<QLineEdit*>("E_PTU");
        QLineEdit* price = d.findChild<QLineEdit*>("E_CENA");
        QCOMPARE(name->width(), 40 * (w + 1) + 10);
        const int vatWidth = (w + 1) + 10;
        QCOMPARE(vat->width(), vatWidth < 25 ? 20 : vatWidth);
        QCOMPARE(price->width(), fm.horizontalAdvance("1234567890,99") + 10);
        int minLeft = 1000;
        for (QLabel* l : d.findChildren<QLabel*>())
            minLeft = std::min(minLeft, l->x());
        QCOMPARE(minLeft, 20);
        QVERIFY(d.width() >= 250 && d.width() <= 600);
        QVERIFY(name->y() < vat->y() && vat->y() < price->y());
        QPushButton* ok = d.OkButton();
        QCOMPARE(ok->text(), QStringLiteral("Ok"));
        QVERIFY(ok->isDefault());
        QCOMPARE(ok->x(), d.width() / 2 - 87);
        QCOMPARE(d.CancelButton()->x(), d.width() / 2 + 13);
        QCOMPARE(d.CancelButton()->text(), QStringLiteral("Anuluj"));
        QVERIFY(ok->y() > price->y());

        // Each label ends 3 pixels before its edit box, 3 pixels lower; rows step by the edit height + 4
        // from y = 20; the buttons stand 10 below the last step and the window ends 25 below them.
        const QList<QLineEdit*> edits = {name, vat, price};
        const QStringList captions = {"NAZWA:", "PTU:", "CENA:"};
        int y = 20;
        int rightmost = 0;
        for (int i = 0; i < 3; ++i) {
            QLabel* label = d.findChildren<QLabel*>().at(i);
            QCOMPARE(label->text(), captions[i]);
            QCOMPARE(label->buddy(), edits[i]);
            QCOMPARE(label->x() + label->width(), edits[i]->x() - 3);
            QCOMPARE(label->y(), y);
            QCOMPARE(edits[i]->y(), y - 3);
            rightmost = std::max(rightmost, edits[i]->x() + edits[i]->width());
            y += edits[i]->height() + 4;
        }
        QCOMPARE(ok->y(), y + 10);
        QCOMPARE(d.height(), y + ok->height() + 25);
        QCOMPARE(d.width(), std::clamp(rightmost + 20, 250, 600));
        const QStringList titles = {
            "", "Dodawanie rekordu", "Wstawianie rekordu", "Edycja rekordu", "Usuwanie rekordu", ""};
        for (int mode = 0; mode <= 5; ++mode)
            QCOMPARE(tables_qt::ModeTitle(mode), titles[mode]);
    }

    void labelsKeepTheColonAndEditsNarrowerThan25Become20() {
        TMyTable t;
        t.SetTableName(Path("NARROW"));
        t.AddField("ABCDEFGHIJKLMNOP", FieldType::ftString, Alignment::Left, false, 0);
        t.AddField("ID", FieldType::ftAutoInc, Alignment::Left, false, 0);
        t.CreateTable();
        t.Open();
        tables_qt::TRecordDialog d(t, tables_qt::ModeAdd);
        QCOMPARE(d.findChild<QLabel*>()->text(), QStringLiteral("ABCDEFGHIJKLMNOP:"));
        QLineEdit* e = d.findChild<QLineEdit*>("E_ABCDEFGHIJKLMNOP");
        QVERIFY(e);
        QCOMPARE(e->width(), 20);
        QCOMPARE(d.width(), 250);
    }
};

QTEST_MAIN(RecordDialogTest)
#include "RecordDialogTest.moc"
