#include "export/widgets/ReportJob.h"

#include "core/Registry.h"
#include "export/ConfigurationReport.h"
#include "export/report/ReportPages.h"
#include "export/widgets/PrintService.h"
#include "shell/FileDialogService.h"
#include "shell/MessageService.h"

const QString ReportJob::ExportTitle = QStringLiteral("Export PDF");
const QString ReportJob::ExportFilter = QStringLiteral("PDF Files (*.pdf)|*.pdf|All Files (*.*)|*.*");

namespace {
const QString PrintFailed = QStringLiteral("The report could not be printed: no printer took it.");
const QString ExportFailed = QStringLiteral("The report could not be written to %1: %2");
constexpr int Shown = 1;
} // namespace

ReportJob::ReportJob(const ExchClass &config, const QString &caption, const Registry &settings)
    : m_config(config)
    , m_caption(caption)
    , m_settings(settings)
{
}

ReportContent ReportJob::content(bool showCodes) const
{
    ConfigurationReport::Options options;
    options.caption = m_caption;
    options.showCodes = showCodes;
    options.includeTones =
        m_settings.GetNumber(SettingsKeys::Settings, SettingsKeys::ViewTones, SettingsKeys::DefaultViewTones) == Shown;
    return ConfigurationReport::build(m_config, options);
}

bool ReportJob::pageNumbers() const
{
    return m_settings.GetNumber(SettingsKeys::Settings, SettingsKeys::PrintPageNumbers,
                                SettingsKeys::DefaultPrintPageNumbers)
        == Shown;
}

bool ReportJob::print(PrintService &printing, bool showCodes, QWidget *parent, MessageService &messages) const
{
    if (printing.print(content(showCodes), pageNumbers()))
        return true;
    messages.show(parent, QMessageBox::Warning, QString(), PrintFailed);
    return false;
}

bool ReportJob::exportPdf(bool showCodes, QWidget *parent, FileDialogService &fileDialogs,
                          MessageService &messages) const
{
    const QString path = fileDialogs.getSaveFileName(parent, ExportTitle, ExportFilter);
    if (path.isEmpty())
        return false;
    QString error;
    if (ReportPages::writePdf(content(showCodes), pageNumbers(), path, &error))
        return true;
    messages.show(parent, QMessageBox::Warning, ExportTitle, ExportFailed.arg(path, error));
    return false;
}
