#pragma once
// "Drukowanie": a small editor whose lines the printer prints as raw text, with paper feeds and the
// cut. Typed letters become capitals; a file read from disk keeps its case. The editor asks before a
// modified text is closed unsaved.
#include <QDialog>
#include <QString>
#include <QStringList>
#include <functional>
#include <string>
#include <vector>

class QAction;
class QLabel;
class QPlainTextEdit;

namespace nubra::service {

class TFormPrint : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kUnsavedQuestion =
        "Plik nie został zapisany, czy napewno chcesz zamknąć okienko?";

    explicit TFormPrint(QWidget* parent = nullptr);

    // Where the raw stream goes, write by write (the link's SendRaw); set by the main window.
    std::function<void(const std::vector<std::string>& writes)> Send;

    QPlainTextEdit* Memo() const { return memoFile_; }
    QLabel* Ruler() const { return ruler_; }
    // The memo's lines as a list of strings would count them: none for an empty memo, no extra one
    // after a final line end.
    QStringList Lines() const;
    QAction* MenuAction(const QString& caption) const;

    // Files are Windows-1250, as the printer's text is, or UTF-8 as this system writes them; a file
    // is written back in the encoding it was read in.
    bool LoadFile(const QString& path);
    bool SaveFile(const QString& path);

    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OpenFile();
    void SaveAs();
    void Print();

    QLabel* ruler_;
    QPlainTextEdit* memoFile_;
    // The text file read last was UTF-8; it is written back so. Otherwise Windows-1250.
    bool utf8_ = false;
};

} // namespace nubra::service
