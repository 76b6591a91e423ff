#pragma once

#include <QList>
#include <QQueue>

#include <memory>

class QPrinter;
class QWidget;
struct ReportContent;

// The program's printer and its two dialogs: printer set-up and print. Tests
// answer the dialogs in advance, so nothing is shown, and aim the printer at
// a PDF file.
class PrintService
{
public:
    enum class Dialog { Setup = 0, Print = 1 };

    PrintService();
    ~PrintService();

    // Made on first use: finding the printers can take a moment.
    QPrinter &printer();

    // Shows the set-up or print dialog on the printer; true when accepted.
    bool PrintDialog(QWidget *parent, Dialog dialog);
    // Paints the report on the printer; false when nothing took it.
    bool print(const ReportContent &content, bool pageNumbers);

    // The next dialog returns this answer without showing.
    void setNextAnswer(bool accepted);
    QList<Dialog> requests() const { return m_requests; }

private:
    std::unique_ptr<QPrinter> m_printer;
    QQueue<bool> m_answers;
    QList<Dialog> m_requests;
};
