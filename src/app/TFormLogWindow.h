#pragma once
// "Podgląd danych": every frame sent to and received from the printer, one line each, while the
// window is visible. Lines are gathered and appended in one go on the next turn of the event loop,
// so a burst of traffic costs one redraw. The log can be saved as text ("Zapisz do pliku...") and
// read with the commands' descriptions and the reply codes' meanings ("Opisy rozkazów") and the time
// of each line ("Czas"); both toggles redraw the whole log.
#include <QStringList>
#include <QWidget>
#include <string>
#include <vector>

#include "ProtocolLog.h"

class QPlainTextEdit;
class QTimer;
class QToolButton;

namespace nubra::app {

class TFormLogWindow : public QWidget {
    Q_OBJECT
public:
    explicit TFormLogWindow(QWidget* parent = nullptr);

    // Raw bytes of one line; dropped unless the window is visible.
    void AddLogLine(const std::string& bytes);
    // The memo's lines, pending ones included (for the program's own checks and tests).
    QStringList Lines();
    void FlushPending();
    // The log as shown, in text: what "Zapisz do pliku..." writes (UTF-8, a line end after each line).
    std::string SavedText() const;
    // Writes SavedText to the file, replacing it whole; a failure is reported in a message box.
    bool SaveLog(const QString& path);

    QToolButton* SpeedButton1() const { return speedButton1_; }
    QToolButton* WordWrapButton() const { return sbWordWrap_; }
    QToolButton* StayOnTopButton() const { return sbStayOnTop_; }
    QToolButton* SaveButton() const { return sbSave_; }
    QToolButton* DescriptionsButton() const { return sbDescriptions_; }
    QToolButton* TimeButton() const { return sbTime_; }
    QPlainTextEdit* Memo() const { return mLog_; }

private:
    void SpeedButton1Click();
    void SB_WordWrapClick();
    void SB_StayOnTopClick();
    void SB_SaveClick();
    void Redraw();
    LogStyle Style() const;
    QString Shown(const LogEntry& entry) const;

    QToolButton* speedButton1_;
    QToolButton* sbWordWrap_;
    QToolButton* sbStayOnTop_;
    QToolButton* sbSave_;
    QToolButton* sbDescriptions_;
    QToolButton* sbTime_;
    QPlainTextEdit* mLog_;
    QTimer* flushTimer_;
    QStringList pending_;
    std::vector<LogEntry> entries_;
    LogAnnotator annotator_;
};

} // namespace nubra::app
