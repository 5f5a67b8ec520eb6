// The grid bound to a table: heading row of field names, rows read on demand by alignment,
// selection moves the current record, the heading row refuses clicks, drawing leaves the cursor.
#include <QHeaderView>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include "Cp1250.h"
#include "GridBinding.h"
#include "TMyTable.h"
#include "TableModel.h"

using namespace nubra;

class GridBindingTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<TMyTable> table_;
    std::unique_ptr<QTableView> grid_;

    void Add(const std::string& name, const char* price) {
        table_->Append();
        table_->SetField(0, name);
        table_->SetField(1, std::string("A"));
        table_->SetField(2, std::string(price));
        QVERIFY(table_->Post());
    }
    QPoint RowCentre(int row) const { return grid_->visualRect(grid_->model()->index(row, 0)).center(); }

private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        table_ = std::make_unique<TMyTable>();
        table_->SetTableName((dir_->path() + "/TOWARY").toStdString());
        table_->AddField("NAZWA", FieldType::ftString, Alignment::Left, true, 40);
        table_->AddField("PTU", FieldType::ftString, Alignment::Center, true, 1);
        table_->AddField("CENA", FieldType::ftCurrency, Alignment::Right, false, 0);
        table_->CreateTable();
        table_->Open();
        grid_ = std::make_unique<QTableView>();
        grid_->resize(500, 300);
        tables_qt::AttachGrid(*table_, grid_.get());
        grid_->show();
        QVERIFY(QTest::qWaitForWindowExposed(grid_.get()));
    }
    void cleanup() {
        grid_.reset();
        table_.reset();
        dir_.reset();
    }

    void emptyTableShowsOnlyTheHeadingRow() {
        QCOMPARE(grid_->model()->rowCount(), 0);
        QCOMPARE(grid_->model()->columnCount(), 3);
        QStringList heading;
        for (int c = 0; c < 3; ++c)
            heading << grid_->model()->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        QCOMPARE(heading, QStringList({"NAZWA", "PTU", "CENA"}));
        QVERIFY(grid_->horizontalHeader()->isVisible());
    }

    void postAndDeleteRefreshTheGridAndSelectTheCurrentRecord() {
        Add("CHLEB", "3,5");
        Add(cp1250::FromUtf8("MASŁO"), "7");
        QCOMPARE(grid_->model()->rowCount(), 2);
        QCOMPARE(grid_->currentIndex().row(), 1);
        QCOMPARE(grid_->model()->index(1, 0).data().toString(), QStringLiteral("MASŁO"));
        QCOMPARE(grid_->model()->index(0, 2).data().toString(), QStringLiteral("3,5"));
        table_->Delete();
        QCOMPARE(grid_->model()->rowCount(), 1);
        QCOMPARE(grid_->currentIndex().row(), 0);
    }

    void valuesAreAlignedByTheirField() {
        Add("X", "1");
        auto align = [&](int c) { return grid_->model()->index(0, c).data(Qt::TextAlignmentRole).toInt(); };
        QCOMPARE(align(0) & Qt::AlignHorizontal_Mask, int(Qt::AlignLeft));
        QCOMPARE(align(1) & Qt::AlignHorizontal_Mask, int(Qt::AlignHCenter));
        QCOMPARE(align(2) & Qt::AlignHorizontal_Mask, int(Qt::AlignRight));
    }

    void rowsAreSizedByDraggingTheirLines() {
        Add("A", "1");
        Add("B", "1");
        QHeaderView* rows = grid_->verticalHeader();
        QVERIFY(rows->isVisible());
        const int before = grid_->rowHeight(0);
        const QPoint line(rows->width() / 2, rows->sectionViewportPosition(0) + rows->sectionSize(0) - 1);
        QTest::mousePress(rows->viewport(), Qt::LeftButton, {}, line);
        QTest::mouseMove(rows->viewport(), line + QPoint(0, 12));
        QTest::mouseRelease(rows->viewport(), Qt::LeftButton, {}, line + QPoint(0, 12));
        QCOMPARE(grid_->rowHeight(0), before + 12);
        QCOMPARE(grid_->rowHeight(1), before);
    }

    void clickingRowsMovesTheCurrentRecordButNotTheHeading() {
        for (const char* n : {"A", "B", "C", "D"})
            Add(n, "1");
        QTest::mouseClick(grid_->viewport(), Qt::LeftButton, {}, RowCentre(1));
        QCOMPARE(table_->RecNo(), 1);
        const QPoint heading(grid_->horizontalHeader()->sectionViewportPosition(0) + 5,
                             grid_->horizontalHeader()->height() / 2);
        QTest::mouseClick(grid_->horizontalHeader()->viewport(), Qt::LeftButton, {}, heading);
        QCOMPARE(table_->RecNo(), 1);
        QCOMPARE(grid_->selectionModel()->selectedRows().size(), 1);
        QCOMPARE(grid_->selectionModel()->selectedRows().first().row(), 1);
        // The third grid row under the heading is record 2.
        QTest::mouseClick(grid_->viewport(), Qt::LeftButton, {}, RowCentre(2));
        QCOMPARE(table_->RecNo(), 2);
        QCOMPARE(std::get<std::string>(table_->GetField(0)), std::string("C"));
        QTest::keyClick(grid_.get(), Qt::Key_Down);
        QCOMPARE(table_->RecNo(), 3);
    }

    void tableGoesOnAfterItsGridIsGone() {
        grid_.reset();
        Add("A", "1");
        table_->Delete();
        QCOMPARE(table_->RecordCount(), 0);
    }

    void drawingNeverMovesTheCursor() {
        for (const char* n : {"A", "B", "C"})
            Add(n, "1");
        table_->GoToRecord(0);
        grid_->viewport()->repaint();
        (void)grid_->grab();
        QCOMPARE(table_->RecNo(), 0);
        QCOMPARE(std::get<std::string>(table_->GetField(0)), std::string("A"));
    }
};

QTEST_MAIN(GridBindingTest)
#include "GridBindingTest.moc"
