#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QTextBrowser;

// The user guide shipped with the program, for Help -> Contents and
// Help -> Search For Help On. Not modal: the user keeps working beside it.
class HelpWindow : public QWidget
{
    Q_OBJECT

public:
    explicit HelpWindow(QWidget *parent = nullptr);

    void showContents();
    // Shows the guide with the search field ready for a word.
    void showSearch();

private:
    void cmdFindNext_Click();
    void bringToFront();

    QTextBrowser *m_txtGuide;
    QLineEdit *m_txtSearch;
    QPushButton *m_cmdFindNext;
    QLabel *m_lblStatus;
};
