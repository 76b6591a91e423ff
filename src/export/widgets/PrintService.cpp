#include "export/widgets/PrintService.h"

#include "export/report/ReportPages.h"

#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>

PrintService::PrintService() = default;

PrintService::~PrintService() = default;

QPrinter &PrintService::printer()
{
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        // The report keeps its own margins, measured from the paper's edge.
        m_printer->setFullPage(true);
    }
    return *m_printer;
}

bool PrintService::PrintDialog(QWidget *parent, Dialog dialog)
{
    m_requests.append(dialog);
    if (!m_answers.isEmpty())
        return m_answers.dequeue();
    if (dialog == Dialog::Setup) {
        QPageSetupDialog setup(&printer(), parent);
        return setup.exec() == QDialog::Accepted;
    }
    QPrintDialog print(&printer(), parent);
    return print.exec() == QDialog::Accepted;
}

bool PrintService::print(const ReportContent &content, bool pageNumbers)
{
    ReportPages pages(content, pageNumbers);
    QPrinter &target = printer();
    return pages.print(target, target.fromPage(), target.toPage());
}

void PrintService::setNextAnswer(bool accepted)
{
    m_answers.enqueue(accepted);
}
