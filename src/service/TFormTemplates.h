#pragma once
// "Komunikaty": a message template of the printer (its name and twenty row descriptions) and the
// data the user types beside each row. "Odczytaj" and "Drukuj" run the main window's
// AReadTemplate and APrintTemplate; the window itself does no I/O.
#include <QDialog>
#include <QString>
#include <QStringList>

class QCheckBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace nubra::service {

class TFormTemplates : public QDialog {
    Q_OBJECT
public:
    static constexpr int kRowData = 20;

    explicit TFormTemplates(QWidget* parent = nullptr);

    int Number() const;
    bool Cut() const;
    // A template just read: the name label and one row per description, values emptied.
    void ShowTemplate(const QString& name1, const QString& name2, const QStringList& descriptions);
    // Each row's value, cut to 20 characters, first row first.
    QStringList RowData() const;

    QSpinBox* NumberEdit() const { return seNumber_; }
    QLabel* TemplateName() const { return lTemplateName_; }
    QTableWidget* ValueList() const { return valueList_; }
    QCheckBox* Cutter() const { return cboxCutter_; }
    QPushButton* ReadButton() const { return odczytaj_; }
    QPushButton* PrintButton() const { return drukuj_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void SetRow(int row, const QString& key, bool limited);

    QSpinBox* seNumber_;
    QLabel* lTemplateName_;
    QTableWidget* valueList_;
    QCheckBox* cboxCutter_;
    QPushButton* odczytaj_;
    QPushButton* drukuj_;
    QPushButton* zamknij_;
};

} // namespace nubra::service
