#pragma once
// Texts typed into the edit of VAT rate B and what follows: the four characters sent for B, or the
// message that refuses the text (nothing is sent then). The rate windows share the table.
#include <QtTest>

namespace nubra::testing {

inline void TypedRateRows() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("sent");
    QTest::addColumn<QString>("message");
    const QString refusal =
        QStringLiteral("Stawka PTU B musi być liczbą od 0,00 do 99,99, z najwyżej dwoma cyframi "
                       "po przecinku: %1.");
    QTest::newRow("dot") << "7.5"
                         << " 750" << QString();
    QTest::newRow("comma and percent") << "8,25 %"
                                       << " 825" << QString();
    QTest::newRow("highest") << "99,99"
                             << "9999" << QString();
    QTest::newRow("100") << "100" << QString() << refusal.arg("100");
    QTest::newRow("third decimal") << "7,125" << QString() << refusal.arg("7,125");
    QTest::newRow("cleared") << "" << QString()
                             << QStringLiteral(
                                    "Stawka PTU B musi być liczbą od 0,00 do 99,99, z najwyżej dwoma "
                                    "cyframi po przecinku.");
}

} // namespace nubra::testing
