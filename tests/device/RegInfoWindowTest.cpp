// The register window: rows and lamps filled by "Odśwież status" from the emulator, the lamps over
// timer ticks, the buttons of the rows, and its place in the main window.
#include <QLabel>
#include <QMdiArea>
#include <QSignalSpy>
#include <QToolButton>
#include <QtTest>

#include "ControlTag.h"
#include "DeviceWindowFixture.h"
#include "ProfileFile.h"
#include "StatusGlyphs.h"
#include "TFormError.h"
#include "TRegisterGroup.h"

using nubra::app::SetTag;
using nubra::app::Tag;
using nubra::testing::DeviceWindowFixture;

namespace {

void SetRegister(nubra::sim::Nx3Device& d, int n, int tranNo, char status, bool document, std::int64_t sale,
                 std::int64_t vat) {
    auto& r = d.State().registers[static_cast<std::size_t>(n - 1)];
    r.transactionNumber = tranNo;
    r.status = status;
    r.documentWaiting = document;
    r.lastSale = sale;
    r.lastSaleVat = vat;
}

} // namespace

class RegInfoWindowTest : public QObject {
    Q_OBJECT
private:
    DeviceWindowFixture f;

    QStringList TranNumbers() const {
        QStringList texts;
        for (int n = 1; n <= 8; ++n)
            texts << f.form->TranNoLabel(n)->text();
        return texts;
    }

private slots:
    void cleanup() { f.Stop(); }

    void refreshFillsTheRows() {
        f.Start();
        f.Device([](auto& d) {
            SetRegister(d, 1, 12, 'T', true, 1250, 234);
            SetRegister(d, 2, 7, 'P', false, 0, 0);
            SetRegister(d, 3, 99999, 'Q', false, 99999999, 1);
            for (int n = 4; n <= 8; ++n)
                SetRegister(d, n, n, "NTPFWXDN"[n - 1], false, 0, 0);
        });
        // Limits written by a transaction start.
        SetTag(f.form->LimitLabel(1), 5);
        SetTag(f.form->LimitLabel(3), 123456);
        f.form->LimitLabel(2)->setText(QStringLiteral("old"));

        f.form->RefreshButton()->click();
        QCOMPARE(f.dialogs->shown.size(), size_t(0));

        QCOMPARE(TranNumbers(),
                 (QStringList{"00012", "00007", "99999", "00004", "00005", "00006", "00007", "00008"}));
        // Glyphs: N 0, T 1, P 2, F 3, W 4, X 5, D 6; an unknown letter shows N.
        QList<int> glyphs;
        for (int n = 1; n <= 8; ++n)
            glyphs << f.form->StatusGlyph(n);
        QCOMPARE(glyphs, (QList<int>{1, 2, 0, 3, 4, 5, 6, 0}));

        QCOMPARE(f.form->SaleLabel(1)->text(), QStringLiteral("    12,50 (Ptu:     2,34)"));
        QCOMPARE(f.form->SaleLabel(3)->text(), QStringLiteral("999999,99 (Ptu:     0,01)"));
        QCOMPARE(f.form->SaleLabel(2)->text(), QStringLiteral("     0,00 (Ptu:     0,00)"));

        QVERIFY(f.form->PrintButton(1)->isEnabled());
        QCOMPARE(f.form->PrintButton(1)->text(), QString());
        QVERIFY(!f.form->PrintButton(2)->isEnabled());
        QCOMPARE(f.form->PrintButton(2)->text(), QStringLiteral("N"));

        QCOMPARE(Tag(f.form->TranButton(1)), 256 * 1 + 255);
        QCOMPARE(Tag(f.form->TranButton(2)), 256 * 2);
        QCOMPARE(Tag(f.form->TranButton(5)), 256 * 5);

        QCOMPARE(f.form->LimitLabel(1)->text(), QStringLiteral("0,05"));
        QCOMPARE(f.form->LimitLabel(2)->text(), QString());
        QCOMPARE(f.form->LimitLabel(3)->text(), QStringLiteral("1234,56"));

        // Lamps from "I6": ready, no presenter, paper fine, paper moving.
        QVERIFY(f.form->LedOfl()->isEnabled());
        QVERIFY(!f.form->LedPre()->isEnabled());
        QCOMPARE(Tag(f.form->LedNep()), 0);
        QVERIFY(f.form->LedMop()->isEnabled());
        QCOMPARE(Tag(f.form->LedServ()), 0);
        QVERIFY(!nubra::app::ServiceError);

        QCOMPARE(f.Commands(), (std::vector<std::string>{"I3", "I6", "B5", "ES", "PI", "I7", "I7", "I7", "I7",
                                                         "I7", "I7", "I7", "I7"}));
    }

    void closedTransactionClearsTheOpenMark() {
        f.Start();
        f.Device([](auto& d) { SetRegister(d, 4, 3, 'T', true, 100, 0); });
        f.form->RefreshButton()->click();
        QCOMPARE(Tag(f.form->TranButton(4)), 256 * 4 + 255);
        QVERIFY(f.form->PrintButton(4)->isEnabled());
        f.Device([](auto& d) { SetRegister(d, 4, 3, 'N', false, 100, 0); });
        f.form->RefreshButton()->click();
        QCOMPARE(Tag(f.form->TranButton(4)), 256 * 4);
        QCOMPARE(f.form->StatusGlyph(4), 0);
        QVERIFY(!f.form->PrintButton(4)->isEnabled());
    }

    void lampsFollowTheExtendedStatus_data() {
        QTest::addColumn<bool>("ready");
        QTest::addColumn<bool>("presenter");
        QTest::addColumn<bool>("paperNearEnd");
        QTest::addColumn<bool>("paperMoving");
        QTest::newRow("all well") << true << false << false << true;
        QTest::newRow("all wrong") << false << true << true << false;
        QTest::newRow("paper ending") << true << true << true << true;
    }

    void lampsFollowTheExtendedStatus() {
        QFETCH(bool, ready);
        QFETCH(bool, presenter);
        QFETCH(bool, paperNearEnd);
        QFETCH(bool, paperMoving);
        f.Start();
        f.Device([&](auto& d) { d.State().extended = {0, ready, presenter, paperNearEnd, paperMoving}; });
        f.form->RefreshButton()->click();
        QCOMPARE(f.form->LedOfl()->isEnabled(), ready);
        QCOMPARE(f.form->LedPre()->isEnabled(), presenter);
        QCOMPARE(Tag(f.form->LedNep()), paperNearEnd ? 1 : 0);
        // "Ruch papieru" goes dark when the paper does not move.
        QCOMPARE(f.form->LedMop()->isEnabled(), paperMoving);
    }

    // An internal error: only the service lamp changes (it blinks), no "I6", no rows.
    void printerErrorBlinksOnlyTheServiceLamp() {
        f.Start();
        f.Device([](auto& d) {
            d.State().errorNumber = 5;
            d.State().extended.ready = true;
            SetRegister(d, 1, 12, 'T', true, 1250, 234);
        });
        f.form->RefreshButton()->click();
        QCOMPARE(f.Commands(), std::vector<std::string>{"I3"});
        QCOMPARE(Tag(f.form->LedServ()), 1);
        QVERIFY(nubra::app::ServiceError);
        QVERIFY(!f.form->LedOfl()->isEnabled());
        QCOMPARE(f.form->TranNoLabel(1)->text(), QString());
        QCOMPARE(f.dialogs->shown.size(), size_t(0));

        QList<bool> service;
        for (int tick = 0; tick < 4; ++tick) {
            f.form->TimerTimer();
            service << f.form->LedServ()->isEnabled();
        }
        QCOMPARE(service, (QList<bool>{true, false, true, false}));

        // Repaired: the lamp stops blinking and goes dark, the rows are read again.
        f.Device([](auto& d) { d.State().errorNumber = 0; });
        f.form->TimerTimer(); // lit
        f.form->RefreshButton()->click();
        QCOMPARE(Tag(f.form->LedServ()), 0);
        QVERIFY(!nubra::app::ServiceError);
        QCOMPARE(f.form->TranNoLabel(1)->text(), QStringLiteral("00012"));
        f.form->TimerTimer();
        QVERIFY(!f.form->LedServ()->isEnabled());
    }

    // After the lamps the status query of the printer type runs; its answer is not shown.
    void statusQueryFollowsThePrinterType_data() {
        QTest::addColumn<int>("printerType");
        QTest::addColumn<QString>("infoW");
        QTest::addColumn<QStringList>("status");
        QTest::newRow("0: two letters") << 0 << QStringLiteral("NX3E003 01.07") << QStringList{"B4"};
        QTest::newRow("1, 002: no PI") << 1 << QStringLiteral("NX3E002 01.07") << QStringList{"B5", "ES"};
        QTest::newRow("2, 003: PI") << 2 << QStringLiteral("NX3E003 01.07") << QStringList{"B5", "ES", "PI"};
    }

    void statusQueryFollowsThePrinterType() {
        QFETCH(int, printerType);
        QFETCH(QString, infoW);
        QFETCH(QStringList, status);
        f.Start();
        f.Device([&](auto& d) { d.State().infoW = infoW.toStdString(); });
        f.main->Nx3().PrinterType = printerType;
        f.form->RefreshButton()->click();
        QStringList expected = QStringList{"I3", "I6"} + status;
        for (int n = 1; n <= 8; ++n)
            expected << "I7";
        QStringList sent;
        for (const std::string& code : f.Commands())
            sent << QString::fromStdString(code);
        QCOMPARE(sent, expected);
        QCOMPARE(f.dialogs->shown.size(), size_t(0));
    }

    // "I3" refused: the service lamp and flag stay as they were, the rest of the lamps still follow
    // "I6", and a printer still flagged keeps the rows unread.
    void refusedErrorNumberKeepsTheServiceState() {
        f.Start();
        f.Device([](auto& d) { d.State().errorNumber = 4; });
        f.form->RefreshButton()->click();
        QVERIFY(nubra::app::ServiceError);
        f.Device([](auto& d) {
            d.State().extended.ready = true;
            d.FailNextCommand("I2");
        });
        f.line->sent.clear();
        f.form->RefreshButton()->click();
        QCOMPARE(f.Commands(), (std::vector<std::string>{"I3", "I6", "B5", "ES", "PI"}));
        QCOMPARE(Tag(f.form->LedServ()), 1);
        QVERIFY(nubra::app::ServiceError);
        QVERIFY(f.form->LedOfl()->isEnabled());
        QCOMPARE(f.dialogs->shown.size(), size_t(1));
        QCOMPARE(f.dialogs->shown[0].className, QStringLiteral("nubra::app::TFormError"));
    }

    // "I6" refused: the lamps keep their state; the status query and the rows still follow.
    void refusedExtendedStatusLeavesTheLamps() {
        f.Start();
        f.Device([](auto& d) {
            d.State().extended.ready = true;
            SetRegister(d, 2, 5, 'T', false, 0, 0);
        });
        f.line->beforeWrite = [&](const std::string& payload) {
            if (payload == "I6")
                f.Device([](auto& d) { d.FailNextCommand("I2"); });
        };
        f.form->RefreshButton()->click();
        QVERIFY(!f.form->LedOfl()->isEnabled());
        QVERIFY(!f.form->LedMop()->isEnabled());
        QCOMPARE(f.Commands(), (std::vector<std::string>{"I3", "I6", "B5", "ES", "PI", "I7", "I7", "I7", "I7",
                                                         "I7", "I7", "I7", "I7"}));
        QCOMPARE(f.form->TranNoLabel(2)->text(), QStringLiteral("00005"));
        QCOMPARE(f.dialogs->shown.size(), size_t(1));
    }

    void timerTicks_data() {
        QTest::addColumn<int>("nepTag");
        QTest::addColumn<bool>("nepStart");
        QTest::addColumn<int>("servTag");
        QTest::addColumn<bool>("servStart");
        QTest::addColumn<QList<bool>>("nep");
        QTest::addColumn<QList<bool>>("serv");
        QTest::newRow("steady, from dark")
            << 0 << false << 0 << true << QList<bool>{true, true, true} << QList<bool>{false, false, false};
        QTest::newRow("both blink") << 1 << false << 1 << false << QList<bool>{true, false, true}
                                    << QList<bool>{true, false, true};
        QTest::newRow("blink from lit")
            << 1 << true << 1 << true << QList<bool>{false, true, false} << QList<bool>{false, true, false};
    }

    void timerTicks() {
        QFETCH(int, nepTag);
        QFETCH(bool, nepStart);
        QFETCH(int, servTag);
        QFETCH(bool, servStart);
        QFETCH(QList<bool>, nep);
        QFETCH(QList<bool>, serv);
        f.Start();
        SetTag(f.form->LedNep(), nepTag);
        SetTag(f.form->LedServ(), servTag);
        f.form->LedNep()->setEnabled(nepStart);
        f.form->LedServ()->setEnabled(servStart);
        QList<bool> nepSeen, servSeen;
        for (int tick = 0; tick < 3; ++tick) {
            f.form->TimerTimer();
            nepSeen << f.form->LedNep()->isEnabled();
            servSeen << f.form->LedServ()->isEnabled();
        }
        QCOMPARE(nepSeen, nep);
        QCOMPARE(servSeen, serv);
        // The other lamps are not the timer's.
        QVERIFY(!f.form->LedOfl()->isEnabled());
    }

    void timerRunsEvery300Ms() {
        f.Start();
        QCOMPARE(f.form->Timer()->interval(), 300);
    }

    // "I7" refused for register 3: rows 1-2 are new, rows 3-8 keep what they showed.
    void registerThreeRefusedKeepsRowsThreeToEight() {
        f.Start();
        f.Device([](auto& d) {
            for (int n = 1; n <= 8; ++n)
                SetRegister(d, n, n, 'N', false, 0, 0);
        });
        f.form->RefreshButton()->click();
        f.Device([](auto& d) {
            for (int n = 1; n <= 8; ++n)
                SetRegister(d, n, 10 + n, 'T', true, 100 * n, 0);
        });
        f.line->beforeWrite = [&](const std::string& payload) {
            if (payload == "3")
                f.Device([](auto& d) { d.FailNextCommand("D2", nubra::sim::FailAt::Closing); });
        };
        f.line->sent.clear();
        f.form->RefreshButton()->click();

        QCOMPARE(TranNumbers(),
                 (QStringList{"00011", "00012", "00003", "00004", "00005", "00006", "00007", "00008"}));
        QCOMPARE(f.form->StatusGlyph(2), 1);
        QCOMPARE(f.form->StatusGlyph(3), 0);
        QVERIFY(f.form->PrintButton(2)->isEnabled());
        QVERIFY(!f.form->PrintButton(3)->isEnabled());
        QCOMPARE(Tag(f.form->TranButton(3)), 256 * 3);
        QCOMPARE(f.form->SaleLabel(3)->text(), QStringLiteral("     0,00 (Ptu:     0,00)"));
        // The loop stopped: no "I7" for register 4.
        QCOMPARE(f.line->sent.back(), std::string("3"));
        QCOMPARE(f.dialogs->shown.size(), size_t(1));
        QCOMPARE(f.main->FormError()->Text(),
                 QString::fromStdString(f.main->Nx3().ErrorDescription("I7", "D2")));
        QVERIFY(f.main->FormError()->Text().contains(QStringLiteral("Nieprawidłowy numer rejestru.")));
    }

    void statusButtonStoresTheRegisterAndStartsOrFinishes_data() {
        QTest::addColumn<int>("reg");
        QTest::addColumn<char>("status");
        QTest::addColumn<QString>("action");
        QTest::newRow("open transaction in 5: finish") << 5 << 'T' << QStringLiteral("ARegisterSell");
        QTest::newRow("none in 3: start") << 3 << 'N' << QStringLiteral("AStartTrans");
        QTest::newRow("closed in 8: start") << 8 << 'X' << QStringLiteral("AStartTrans");
    }

    void statusButtonStoresTheRegisterAndStartsOrFinishes() {
        QFETCH(int, reg);
        QFETCH(char, status);
        QFETCH(QString, action);
        f.Start();
        f.Device([&](auto& d) { SetRegister(d, reg, 1, status, false, 0, 0); });
        f.form->RefreshButton()->click();
        QSignalSpy start(f.main->Action(QStringLiteral("AStartTrans")), &QAction::triggered);
        QSignalSpy finish(f.main->Action(QStringLiteral("ARegisterSell")), &QAction::triggered);
        int offered = 0;
        f.dialogs->Answer([&offered](QDialog& d) {
            offered = d.findChild<nubra::app::TRegisterGroup*>()->ItemIndex() + 1;
            return int(QDialog::Rejected);
        });
        f.form->TranButton(reg)->click();
        QCOMPARE(offered, reg);
        // A cancelled start hands the register back to 1; the sale leaves it.
        QCOMPARE(nubra::app::CurrentRegister, action == "AStartTrans" ? 1 : reg);
        QCOMPARE(start.count(), action == "AStartTrans" ? 1 : 0);
        QCOMPARE(finish.count(), action == "ARegisterSell" ? 1 : 0);
    }

    void printButtonStoresTheRegisterAndPrints() {
        f.Start();
        f.Device([](auto& d) { SetRegister(d, 7, 1, 'N', true, 0, 0); });
        f.form->RefreshButton()->click();
        QSignalSpy print(f.main->Action(QStringLiteral("APrintDoc")), &QAction::triggered);
        f.form->PrintButton(2)->click(); // disabled: nothing
        QCOMPARE(print.count(), 0);
        QCOMPARE(nubra::app::CurrentRegister, 1);
        int offered = 0;
        f.dialogs->Answer([&offered](QDialog& d) {
            offered = d.findChild<nubra::app::TRegisterGroup*>()->ItemIndex() + 1;
            return int(QDialog::Rejected);
        });
        f.form->PrintButton(7)->click();
        QCOMPARE(offered, 7);
        QCOMPARE(nubra::app::CurrentRegister, 1);
        QCOMPARE(print.count(), 1);
    }

    void windowAtStartUp() {
        f.Start();
        const QList<QMdiSubWindow*> children = f.main->MdiArea()->subWindowList();
        QCOMPARE(children.size(), 1);
        QCOMPARE(children[0], f.form);
        QVERIFY(f.form->isVisibleTo(f.main.get()));
        QCOMPARE(f.form->windowTitle(), QStringLiteral("Status"));
        QCOMPARE(f.form->pos(),
                 QPoint(nubra::app::TFormRegInfo::DesignLeft, nubra::app::TFormRegInfo::DesignTop));
        // Rows start empty, print buttons disabled, status buttons carry their register.
        for (int n = 1; n <= 8; ++n) {
            QCOMPARE(f.form->TranNoLabel(n)->text(), QString());
            QVERIFY(!f.form->PrintButton(n)->isEnabled());
            QCOMPARE(Tag(f.form->PrintButton(n)), n);
            QCOMPARE(Tag(f.form->TranButton(n)), 256 * n);
            QCOMPARE(f.form->StatusGlyph(n), -1);
        }
        // Found by name, as later windows look them up.
        QCOMPARE(f.form->findChild<QLabel*>(QStringLiteral("L_Limit8")), f.form->LimitLabel(8));
        QCOMPARE(f.form->findChild<QLabel*>(QStringLiteral("lbl_Waluta1")), f.form->CurrencyLabel(1));
        QCOMPARE(f.form->findChild<QToolButton*>(QStringLiteral("SB_LedServ"))->text(),
                 QStringLiteral("    Serwis"));
        QStringList texts;
        for (const QLabel* label : f.form->findChildren<QLabel*>())
            texts << label->text();
        for (const char* expected :
             {"numer\ntrans.", "status\ntrans.", "Tr.\nwal.", "wydruk dokumentu\n|",
              "wartość ostatniej sprzedaży ", "limit sprzedaży", "Rejestr 1:", "Rejestr 8:"})
            QVERIFY2(texts.contains(QString::fromUtf8(expected)), expected);
        QCOMPARE(nubra::app::StatusGlyphs().size(), size_t(7));

        // Closing only minimises: the window lives for the whole run.
        f.form->close();
        QVERIFY(f.form->isMinimized());
        QCOMPARE(f.main->MdiArea()->subWindowList().size(), 1);
    }

    // Closed to an icon and the program ended: the window comes back where it stood, not at the
    // icon's place along the bottom of the client area.
    void minimisedWindowKeepsItsPlace() {
        f.Start();
        f.main->resize(900, 700);
        f.main->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.main.get()));
        f.form->move(50, 60);
        f.form->close();
        QVERIFY(f.form->isMinimized());
        QTRY_VERIFY(f.form->pos() != QPoint(50, 60));
        f.main->close();
        nubra::ProfileFile ini(f.Ini().toStdString());
        QCOMPARE(ini.ReadInteger("FORM REGINF", "Left", -1), 50);
        QCOMPARE(ini.ReadInteger("FORM REGINF", "Top", -1), 60);
    }

    void positionComesFromAndGoesToTheConfiguration() {
        f.Start("[FORM REGINF]\nLeft=40\nTop=30\n");
        QCOMPARE(f.form->pos(), QPoint(40, 30));
        f.form->move(50, 60);
        f.main->close();
        nubra::ProfileFile ini(f.Ini().toStdString());
        QCOMPARE(ini.ReadInteger("FORM REGINF", "Left", -1), 50);
        QCOMPARE(ini.ReadInteger("FORM REGINF", "Top", -1), 60);
    }
};

QTEST_MAIN(RegInfoWindowTest)
#include "RegInfoWindowTest.moc"
