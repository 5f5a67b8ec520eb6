#pragma once
// The catalogue window shared by goods (TFormTowary), contractors (TFormKontrah) and payment cards
// (TFormKarty): the table in a grid above a panel of buttons that open the record editor.
// Keys reach the window before the grid: Enter edits, Insert inserts, Delete deletes, plus (either
// keyboard, any shift state) adds. A double-click edits, or closes the window while picking.
//
// Pickers: SetCloseCaption("Ok"), SetPickMode(true), run it modally; on close the table's current
// record is the last selected row.
#include <QDialog>

#include "CatalogueDefs.h"

class QPushButton;
class QTableView;
class QToolButton;

namespace nubra {
class TMyTable;
}

namespace nubra::catalogues {

class TFormCatalogue : public QDialog {
    Q_OBJECT
public:
    // The result of closing, whichever way: the platform's Cancel.
    static constexpr int CloseResult = 2;

    TFormCatalogue(const CatalogueDef& def, TMyTable& table, QWidget* parent = nullptr);

    bool PickMode() const { return pickMode_; }
    void SetPickMode(bool pick) { pickMode_ = pick; }
    void SetCloseCaption(const QString& caption);

    TMyTable& Table() const { return table_; }
    QTableView* Grid() const { return grid_; }
    QPushButton* BtnOk() const { return btnOk_; }
    // Goods window only (nullptr elsewhere); inactive until the goods-information request wires it.
    QPushButton* BtnGetInfo() const { return btnGetInfo_; }

    // The four buttons: record editor in modes add 1, insert 2, edit 3, delete 4.
    void SB_EdytujClick();
    void SB_DodajClick();
    void SB_WstawClick();
    void SB_UsunClick();

    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    bool HandleKey(int key);
    void RunEditor(int mode);
    QToolButton* AddButton(const char* name, const char* caption, void (TFormCatalogue::*click)());

    TMyTable& table_;
    bool pickMode_ = false;
    QTableView* grid_ = nullptr;
    QWidget* panel_ = nullptr;
    QPushButton* btnOk_ = nullptr;
    QPushButton* btnGetInfo_ = nullptr;
};

} // namespace nubra::catalogues
