// The log, wait, error and About windows and the highlighted button.
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextEdit>
#include <QToolButton>
#include <QtTest>

#include "MessageBox.h"
#include "OemGlyphs.h"
#include "QtLinkUi.h"
#include "ScriptedDialogs.h"
#include "ScriptedLine.h"
#include "StartupWindows.h"
#include "TBrixBitBtn.h"
#include "TFormAbout.h"
#include "TFormError.h"
#include "TFormLogWindow.h"
#include "TFormSetPort.h"
#include "TFormWait.h"
#include "TLinkLabel.h"
#include "TNX3Class.h"

using namespace nubra::app;

namespace {

const QString Separator = QStringLiteral("- - - - - - - - - - - - - - - -");

// A link over a scripted line whose log goes to the window under test.
struct Link {
    Link() : ui(nullptr) {
        auto l = std::make_unique<nubra::ScriptedLine>();
        line = l.get();
        nx3 = std::make_unique<nubra::TNX3Class>("/tmp/", ui, std::move(l));
        nx3->Sleep = [](int) {};
        nx3->OpenPort(1);
    }
    // The printer's reply to the next command the program writes.
    void ReplyToNextCommand(const std::string& bytes) {
        line->Feed(bytes, nubra::ScriptedLine::When{int(line->Writes().size()) + 1, 0, 0});
    }
    QtLinkUi ui;
    nubra::ScriptedLine* line;
    std::unique_ptr<nubra::TNX3Class> nx3;
};

} // namespace

class ShellWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void oemGlyphsShowControlBytesAndCodePage852_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("shown");
        QTest::newRow("frame") << QByteArray("\x02"
                                             "B2\x03"
                                             "8F")
                               << QStringLiteral("☻B2♥8F");
        QTest::newRow("852 letters") << QByteArray("\xA5\x86\x9D\xBD") << QStringLiteral("ąćŁŻ");
        QTest::newRow("line ends stay on the line") << QByteArray("a\r\nb") << QStringLiteral("a♪◙b");
        QTest::newRow("nul, tab, del") << QByteArray("\x00\x09\x7F", 3) << QStringLiteral(" ○⌂");
    }
    void oemGlyphsShowControlBytesAndCodePage852() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, shown);
        QCOMPARE(OemGlyphs(std::string_view(bytes.constData(), size_t(bytes.size()))), shown);
    }

    void logKeepsLinesOnlyWhileVisible() {
        TFormLogWindow log;
        Link link;
        link.ui.SetLogWindow(&log);
        link.ReplyToNextCommand("\x02I1\x03"
                                "87");
        std::string reply;
        link.nx3->SendCommand("B2", reply); // hidden: dropped
        QCOMPARE(log.Lines(), QStringList());

        log.show();
        link.ReplyToNextCommand("\x02I1\x03"
                                "87");
        link.nx3->SendCommand("B2", reply);
        QCOMPARE(log.Lines(),
                 (QStringList{Separator, QStringLiteral("<- ☻B2♥8F"), QStringLiteral("-> ☻I1♥87")}));

        log.hide();
        link.ReplyToNextCommand("\x02I1\x03"
                                "87");
        link.nx3->SendCommand("B3", reply);
        log.show(); // only the older lines
        QCOMPARE(log.Lines().size(), 3);

        log.SpeedButton1()->click(); // "Wyczyść"
        QCOMPARE(log.Lines(), QStringList());
        link.ReplyToNextCommand("\x02I1\x03"
                                "87");
        link.nx3->SendCommand("B2", reply);
        QCOMPARE(log.Lines().value(0), Separator);
    }

    void logGathersLinesUntilTheEventLoopRuns() {
        TFormLogWindow log;
        log.show();
        for (int i = 0; i < 5000; ++i)
            log.AddLogLine("-> \x02"
                           "D1\x03"
                           "8A");
        QCOMPARE(log.Memo()->document()->blockCount(), 1); // nothing drawn yet
        QCoreApplication::processEvents();
        QCOMPARE(log.Memo()->document()->blockCount(), 5000);
        QCOMPARE(log.Lines().last(), QStringLiteral("-> ☻D1♥8A"));
    }

    void logToggles() {
        TFormLogWindow log;
        QCOMPARE(log.size(), QSize(469, 282));
        QCOMPARE(log.SpeedButton1()->text(), QStringLiteral("Wyczyść"));
        QCOMPARE(log.WordWrapButton()->text(), QStringLiteral("Zawijanie wierszy"));
        QCOMPARE(log.StayOnTopButton()->text(), QStringLiteral("Zawsze na wierzchu"));
        QVERIFY(log.WordWrapButton()->isCheckable() && !log.WordWrapButton()->isChecked());
        QVERIFY(log.StayOnTopButton()->isCheckable() && !log.StayOnTopButton()->isChecked());
        QCOMPARE(log.Memo()->font().family(), QStringLiteral("Courier New"));
        QCOMPARE(log.Memo()->font().pixelSize(), 12);
        log.show();
        QCOMPARE(log.Memo()->lineWrapMode(), QPlainTextEdit::NoWrap);
        QCOMPARE(log.windowTitle(), QStringLiteral("Podgląd danych"));
        log.WordWrapButton()->click();
        QCOMPARE(log.Memo()->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        log.WordWrapButton()->click();
        QCOMPARE(log.Memo()->lineWrapMode(), QPlainTextEdit::NoWrap);
        log.StayOnTopButton()->click();
        QVERIFY(log.windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(log.isVisible());
        log.StayOnTopButton()->click();
        QVERIFY(!(log.windowFlags() & Qt::WindowStaysOnTopHint));
        QVERIFY(log.isVisible());
    }

    void waitWindowShowClearsAndHideSetsTheAbortFlag() {
        Link link;
        TFormWait wait(link.nx3.get());
        QVERIFY(wait.windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(wait.windowTitle(), QStringLiteral("Proszę czekać..."));
        QCOMPARE(wait.size(), QSize(358, 87));
        QStringList labels;
        for (auto* label : wait.findChildren<QLabel*>())
            labels << label->text();
        QVERIFY(labels.contains(QStringLiteral("Program czeka na zakończenie drukowania dokumentu...")));
        QCOMPARE(wait.findChild<QLabel*>("AImageWait")->size(), QSize(32, 32));
        QCOMPARE(wait.Button1()->text(), QStringLiteral("Zamknij"));
        QCOMPARE(wait.findChild<QTimer*>()->interval(), 150);
        link.nx3->AbortRequested = true;
        wait.show();
        QVERIFY(!link.nx3->AbortRequested);
        QVERIFY(wait.Animating());
        wait.hide();
        QVERIFY(link.nx3->AbortRequested);
        QVERIFY(!wait.Animating());
        wait.show();
        QVERIFY(!link.nx3->AbortRequested);
        wait.Button1()->click(); // "Zamknij"
        QVERIFY(!wait.isVisible());
        QVERIFY(link.nx3->AbortRequested);
    }

    void waitAnimationHasThirteenDistinctFrames() {
        const auto frames = TFormWait::Frames();
        QCOMPARE(int(frames.size()), 13);
        for (size_t i = 0; i < frames.size(); ++i) {
            QCOMPARE(frames[i].size(), QSize(32, 32));
            QVERIFY(frames[i].toImage() != frames[(i + 1) % frames.size()].toImage());
        }
    }

    void zamknijDuringEitherPhaseOfAWaitGivesD1_data() {
        QTest::addColumn<QByteArray>("before");
        QTest::newRow("waiting for the code") << QByteArray();
        QTest::newRow("waiting for the extended code") << QByteArray("\x02X2\x03"
                                                                     "95");
    }
    void zamknijDuringEitherPhaseOfAWaitGivesD1() {
        QFETCH(QByteArray, before);
        Link link;
        TFormWait wait(link.nx3.get());
        link.ui.SetWaitWindow(&wait);
        link.line->Feed(before.toStdString());
        int polls = 0;
        // Pressed once the wait is well under way (the first reads have come back empty).
        std::function<void()> press = [&] {
            if (++polls < 3 || link.line->Unread() > 0) {
                QTimer::singleShot(0, &wait, press);
                return;
            }
            wait.Button1()->click();
        };
        QTimer::singleShot(0, &wait, press);
        std::string reply;
        link.nx3->WaitForReply(reply);
        QCOMPARE(reply, std::string("D1"));
        QVERIFY(!wait.isVisible());
        QVERIFY(link.nx3->AbortRequested);
    }

    void errorWindowShowsTheTextCentredInMaroonAndGivesTheFocusToOk() {
        ScriptedDialogs dialogs;
        TFormError form;
        QString shownText;
        dialogs.Answer([&](QDialog& d) {
            shownText = static_cast<TFormError&>(d).Text();
            return int(QDialog::Accepted);
        });
        form.ShowError(QStringLiteral("Trwa aktywna transakcja obsługiwana przez dany rejestr."));
        QCOMPARE(shownText, QStringLiteral("Trwa aktywna transakcja obsługiwana przez dany rejestr."));
        QCOMPARE(
            dialogs.shown.at(0).title,
            QStringLiteral("                       Podczas wykonywania żądanej operacji wystąpił błąd!"));
        QCOMPARE(form.size(), QSize(566, 102));
        QCOMPARE(form.Memo()->palette().color(QPalette::Text), QColor(0x80, 0x00, 0x00));
        QCOMPARE(form.Memo()->document()->firstBlock().blockFormat().alignment() & Qt::AlignHorizontal_Mask,
                 Qt::AlignHCenter);
        QVERIFY(form.Memo()->isReadOnly());
        QVERIFY(form.OkButton()->isDefault());
        QCOMPARE(form.OkButton()->text(), QStringLiteral("OK"));

        // The text is replaced, not added to; Windows line ends become lines.
        form.ShowError(QStringLiteral("a\r\nb"));
        QCOMPARE(form.Text(), QStringLiteral("a\nb"));

        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.Memo()->setFocus();
        QCOMPARE(QApplication::focusWidget(), form.OkButton());
    }

    void checkReplyShowsTheDescriptionInTheErrorWindow() {
        ScriptedDialogs dialogs;
        Link link;
        TFormError form;
        link.ui.SetErrorWindow(&form);
        QString shownText;
        dialogs.Answer([&](QDialog& d) {
            shownText = static_cast<TFormError&>(d).Text();
            return int(QDialog::Accepted);
        });
        QVERIFY(!link.nx3->CheckReply("PC", "D4"));
        QCOMPARE(shownText, QStringLiteral("Trwa aktywna transakcja obsługiwana przez dany rejestr."));
    }

    void aboutShowsTheVersionAndOpensItsLinks() {
        ScriptedDialogs dialogs;
        TFormAbout about;
        QCOMPARE(about.windowTitle(), QStringLiteral("O programie"));
        QCOMPARE(about.LabelVersion()->text(), QStringLiteral("Wersja 1.07"));
        about.StaticTextEMail()->clicked();
        about.StaticTextWWW()->clicked();
        QCOMPARE(dialogs.urls.size(), size_t(2));
        QCOMPARE(dialogs.urls[0].toString(),
                 QStringLiteral("mailto:") + TFormAbout::EMail + QStringLiteral("?subject=nubra5"));
        QCOMPARE(dialogs.urls[1].toString(), TFormAbout::Www);
        QVERIFY(dialogs.shown.empty());
        QVERIFY(!QApplication::overrideCursor());

        dialogs.openUrlResult = false;
        about.show();
        about.StaticTextWWW()->clicked();
        QCOMPARE(dialogs.shown.size(), size_t(1));
        QCOMPARE(dialogs.shown[0].title, QStringLiteral("nubra5"));
        QCOMPARE(dialogs.shown[0].icon, QMessageBox::Critical);
        QVERIFY(dialogs.shown[0].text.contains(TFormAbout::Www));
        QVERIFY(!QApplication::overrideCursor());
        QVERIFY(about.isVisible());
    }

    void aboutClosesOnEnterEscapeAndSpace_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("Escape") << int(Qt::Key_Escape);
        QTest::newRow("Space") << int(Qt::Key_Space);
    }
    void aboutClosesOnEnterEscapeAndSpace() {
        QFETCH(int, key);
        ScriptedDialogs dialogs;
        TFormAbout about;
        about.show();
        QVERIFY(QTest::qWaitForWindowActive(&about));
        QCOMPARE(QApplication::focusWidget(), about.CloseButton());
        // The release of the key that opened the window from the menu: it stays.
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
        QApplication::sendEvent(about.CloseButton(), &release);
        QVERIFY(about.isVisible());
        // Pressed and released here: it closes (on the press already for Enter and Escape).
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(about.CloseButton(), &press);
        QKeyEvent again(QEvent::KeyRelease, key, Qt::NoModifier);
        QApplication::sendEvent(about.CloseButton(), &again);
        QVERIFY(!about.isVisible());
        QVERIFY(dialogs.urls.empty()); // no link opened on the way
    }

    void aboutLinkOpensOnEnterAndSpaceAndTheWindowStays_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("Space") << int(Qt::Key_Space);
    }
    void aboutLinkOpensOnEnterAndSpaceAndTheWindowStays() {
        QFETCH(int, key);
        ScriptedDialogs dialogs;
        TFormAbout about;
        about.show();
        QVERIFY(QTest::qWaitForWindowActive(&about));
        about.StaticTextWWW()->setFocus();
        QTest::keyClick(about.StaticTextWWW(), Qt::Key(key));
        QCOMPARE(dialogs.urls.size(), size_t(1));
        QCOMPARE(dialogs.urls[0].toString(), TFormAbout::Www);
        QVERIFY(about.isVisible());
    }

    void busyCursorIsAStateNotACounter() {
        // WaitForReply begins its wait again for an "X2" code: true twice, then one false.
        QtLinkUi ui(nullptr);
        QVERIFY(!QApplication::overrideCursor());
        ui.SetBusyCursor(true);
        ui.SetBusyCursor(true);
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::BusyCursor);
        QVERIFY(ui.Busy());
        ui.SetBusyCursor(false);
        QVERIFY(!QApplication::overrideCursor());
        QVERIFY(!ui.Busy());
        // A false with no busy cursor leaves someone else's cursor alone.
        QApplication::setOverrideCursor(Qt::WaitCursor);
        ui.SetBusyCursor(false);
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        QApplication::restoreOverrideCursor();
    }

    void messageBoxesHaveTheCaptionIconAndPolishButtons_data() {
        QTest::addColumn<int>("icon");
        QTest::newRow("error") << int(QMessageBox::Critical);
        QTest::newRow("warning") << int(QMessageBox::Warning);
        QTest::newRow("information") << int(QMessageBox::Information);
    }
    void messageBoxesHaveTheCaptionIconAndPolishButtons() {
        QFETCH(int, icon);
        static bool installed = false;
        if (!installed) {
            InstallPolishTranslation(*qApp);
            installed = true;
        }
        ScriptedDialogs dialogs;
        QStringList texts;
        dialogs.Answer([&](QDialog& d) {
            auto& box = static_cast<QMessageBox&>(d);
            for (auto b : {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel, QMessageBox::Ok})
                texts << (box.button(b) ? box.button(b)->text() : QString());
            return int(QMessageBox::No);
        });
        const auto answer = ShowMessageBox(
            nullptr, QMessageBox::Icon(icon), QStringLiteral("Czy wykonać raport?\r\nNa pewno?"),
            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::No);
        QCOMPARE(answer, QMessageBox::No);
        QCOMPARE(dialogs.shown.at(0).title, QStringLiteral("nubra5"));
        QCOMPARE(int(dialogs.shown.at(0).icon), icon);
        QCOMPARE(dialogs.shown.at(0).text, QStringLiteral("Czy wykonać raport?\nNa pewno?"));
        // Qt's own Polish texts (qtbase_pl.qm of qt6-translations-l10n).
        QCOMPARE(texts, (QStringList{QStringLiteral("&Tak"), QStringLiteral("&Nie"), QStringLiteral("Anuluj"),
                                     QString()}));
    }

    void portDialogTexts() {
        TFormSetPort form;
        QCOMPARE(form.windowTitle(), QStringLiteral("Konfiguracja portu"));
        auto* label = form.findChild<QLabel*>();
        QVERIFY(label);
        QCOMPARE(label->text(), QStringLiteral("Wybierz port, do którego \npodłączona jest kasa:"));
        QCOMPARE(form.PortList()->objectName(), QStringLiteral("CB_Port"));
        QStringList items;
        for (int i = 0; i < form.PortList()->count(); ++i)
            items << form.PortList()->itemText(i);
        QCOMPARE(items, (QStringList{"COM1", "COM2", "COM3", "COM4"}));
        QCOMPARE(form.SetButton()->text(), QStringLiteral("Ustaw"));
        QVERIFY(form.SetButton()->isDefault());
        QCOMPARE(form.CloseButton()->text(), QStringLiteral("Zamknij"));
        const struct {
            int port;
            int index;
            int selected;
        } rows[] = {{0, -1, 0}, {1, 0, 1}, {4, 3, 4}, {5, -1, 0}, {-1, -1, 0}};
        for (const auto& row : rows) {
            form.SelectPort(row.port);
            QCOMPARE(form.PortList()->currentIndex(), row.index);
            QCOMPARE(form.SelectedPort(), row.selected);
        }
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QCOMPARE(QApplication::focusWidget(), form.CloseButton());
        form.SetButton()->click();
        QCOMPARE(form.result(), int(QDialog::Accepted));
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QCOMPARE(QApplication::focusWidget(), form.CloseButton());
        form.CloseButton()->click();
        QCOMPARE(form.result(), int(QDialog::Rejected));
    }

    // --- TBrixBitBtn ---
    void brixGlyphIsCentredAndMovesWhenPressed_data() {
        QTest::addColumn<bool>("pressed");
        QTest::addColumn<QPoint>("corner");
        QTest::newRow("up") << false << QPoint(3, 3);
        QTest::newRow("pressed") << true << QPoint(4, 4);
    }
    void brixGlyphIsCentredAndMovesWhenPressed() {
        QFETCH(bool, pressed);
        QFETCH(QPoint, corner);
        TBrixBitBtn button(QStringLiteral("Zmienne"));
        button.resize(23, 23);
        button.SetColor(Qt::white);
        QPixmap glyph(16, 16);
        glyph.fill(Qt::green);
        {
            QPainter p(&glyph);
            p.setPen(Qt::red);
            p.drawPoint(0, 0);
        }
        button.SetGlyph(glyph);
        button.setDown(pressed);
        const QImage image = Render(button);
        QCOMPARE(image.pixel(corner), QColor(Qt::red).rgb());
        QCOMPARE(image.pixel(corner + QPoint(15, 15)), QColor(Qt::green).rgb());
        QCOMPARE(image.pixel(corner - QPoint(1, 1)), QColor(Qt::white).rgb());
        QCOMPARE(image.pixel(corner + QPoint(16, 16)), QColor(Qt::white).rgb());
        QCOMPARE(button.accessibleName(), QStringLiteral("Zmienne"));
    }

    void brixPressedShowsASunkenBorder() {
        TBrixBitBtn button;
        button.resize(23, 23);
        button.setDown(true);
        const QImage image = Render(button);
        const QColor shadow = button.palette().color(QPalette::Dark);
        const QColor highlight = button.palette().color(QPalette::Light);
        QCOMPARE(image.pixel(0, 11), shadow.rgb());     // left
        QCOMPARE(image.pixel(11, 0), shadow.rgb());     // top
        QCOMPARE(image.pixel(22, 11), highlight.rgb()); // right
        QCOMPARE(image.pixel(11, 22), highlight.rgb()); // bottom
    }

    void brixWithoutGlyphPaintsOnlyBackground() {
        TBrixBitBtn button;
        button.resize(23, 23);
        button.SetColor(QColor(10, 20, 30).rgb());
        const QImage image = Render(button);
        for (int y = 0; y < 23; ++y)
            for (int x = 0; x < 23; ++x)
                QCOMPARE(image.pixel(x, y), QColor(10, 20, 30).rgb());
    }

    void brixFocusedShowsDottedRectangleButHoveredShowsRaisedBorderOnly() {
        QWidget window;
        auto* button = new TBrixBitBtn(&window);
        button->resize(23, 23);
        button->SetColor(Qt::white);
        button->SetFocusedColor(Qt::magenta);
        button->move(40, 40);
        window.resize(100, 100);
        QCursor::setPos(window.mapToGlobal(QPoint(95, 95)));
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        button->setFocus();
        QVERIFY(button->hasFocus());
        QVERIFY(!button->MouseOver());

        QImage focused = Render(*button);
        int magenta = 0;
        for (int i = 0; i < 23; ++i)
            magenta += (focused.pixel(i, 0) == QColor(Qt::magenta).rgb()) +
                       (focused.pixel(i, 22) == QColor(Qt::magenta).rgb());
        QVERIFY2(magenta > 5 && magenta < 46, qPrintable(QString::number(magenta))); // dotted

        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QApplication::sendEvent(button, &enter);
        QVERIFY(button->MouseOver());
        const QImage hovered = Render(*button);
        const QColor highlight = button->palette().color(QPalette::Light);
        const QColor shadow = button->palette().color(QPalette::Dark);
        for (int i = 1; i < 22; ++i) {
            QCOMPARE(hovered.pixel(0, i), highlight.rgb());
            QCOMPARE(hovered.pixel(i, 0), highlight.rgb());
            QCOMPARE(hovered.pixel(22, i), shadow.rgb());
            QCOMPARE(hovered.pixel(i, 22), shadow.rgb());
        }
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(button, &leave);
        QVERIFY(!button->MouseOver());
    }

    void brixTransparentLeavesTheBackgroundToTheParent() {
        TBrixBitBtn button;
        button.resize(23, 23);
        button.SetColor(Qt::white);
        button.SetTransparent(true);
        QVERIFY(!button.testAttribute(Qt::WA_OpaquePaintEvent));
        QImage image(23, 23, QImage::Format_ARGB32);
        image.fill(Qt::blue);
        button.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        QCOMPARE(image.pixel(11, 11), QColor(Qt::blue).rgb());
        button.SetTransparent(false);
        QVERIFY(button.testAttribute(Qt::WA_OpaquePaintEvent));
    }

private:
    static QImage Render(QWidget& w) {
        QImage image(w.size(), QImage::Format_ARGB32);
        image.fill(Qt::black);
        w.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        return image;
    }
};

QTEST_MAIN(ShellWindowsTest)
#include "ShellWindowsTest.moc"
