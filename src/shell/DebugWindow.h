#pragma once

#include <QWidget>

class DebugLog;
class QCheckBox;
class QPlainTextEdit;
class QPushButton;

// "Serial Port Debug Information": shows the trace log and switches the
// structure and packet listings. The log collects text while the window is
// hidden; closing the window discards it.
class DebugWindow : public QWidget
{
    Q_OBJECT

public:
    explicit DebugWindow(DebugLog &log, QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void chkDebugDisplay_Click(bool checked);
    void cmdClear_Click();
    void appendText(const QString &text);
    void reloadText();
    void showLatest();

    DebugLog &m_log;
    QPlainTextEdit *m_txtDebug;
    QCheckBox *m_chkDebugDisplay;
    QPushButton *m_cmdClear;
    // A CR at the end of one piece and its LF at the start of the next are one line break.
    bool m_endsWithCarriageReturn = false;
};
