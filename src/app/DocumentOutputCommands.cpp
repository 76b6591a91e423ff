#include "app/DocumentOutputCommands.h"

#include "app/MessageBoxPrompts.h"
#include "app/SendGuard.h"
#include "editor/widgets/DocumentWindow.h"
#include "export/CardTransfer.h"
#include "export/ConfigurationConverter.h"
#include "export/LinuxDriveProvider.h"
#include "export/widgets/PreviewWindow.h"
#include "export/widgets/PrintService.h"
#include "export/widgets/ReportJob.h"
#include "model/ExchClass.h"
#include "shell/FileDialogService.h"
#include "shell/MessageService.h"

namespace {
const QString SaveAsTitle = QStringLiteral("Save As");
const QString ConvertFilter = QStringLiteral("K7101/K7202 Files (*.VRS)|*.VRS|All Files (*.*)|*.*");
const QString ConvertTitle = QStringLiteral("Convert to K7202 configuration");
const QString ConvertAnywayButton = QStringLiteral("Convert Anyway");
const QString CleanNamesStep = QStringLiteral("Clean Names for Conversion");
} // namespace

DocumentOutputCommands::DocumentOutputCommands(const Services &services, QWidget *parent)
    : m_services(services)
    , m_parent(parent)
    , m_printService(std::make_unique<PrintService>())
{
}

DocumentOutputCommands::~DocumentOutputCommands()
{
    // The report window paints on the printer, which goes first otherwise.
    delete m_previewWindow;
}

void DocumentOutputCommands::printSetup()
{
    m_printService->PrintDialog(m_parent, PrintService::Dialog::Setup);
}

void DocumentOutputCommands::printPreview(DocumentWindow &document, const ExchClass &config)
{
    // The report is built when the window loads: one for the document now active.
    closePreview();
    m_previewWindow = new PreviewWindow(
        config, document.caption(), {m_services.registry, *m_printService, m_services.messages, m_services.fileDialogs},
        m_parent);
    m_previewWindow->setAttribute(Qt::WA_DeleteOnClose);
    m_previewWindow->load();
}

void DocumentOutputCommands::print(DocumentWindow &document, const ExchClass &config)
{
    if (!m_printService->PrintDialog(m_parent, PrintService::Dialog::Print))
        return;
    ReportJob(config, document.caption(), m_services.registry)
        .print(*m_printService, false, m_parent, m_services.messages);
}

void DocumentOutputCommands::exportPdf(DocumentWindow &document, const ExchClass &config)
{
    ReportJob(config, document.caption(), m_services.registry)
        .exportPdf(false, m_parent, m_services.fileDialogs, m_services.messages);
}

void DocumentOutputCommands::convert(DocumentWindow &document, ExchClass &config)
{
    if (!SendGuard::confirm(m_parent, m_services.messages, config, document.caption(), ConvertTitle,
                            ConvertAnywayButton))
        return;
    const QString path = m_services.fileDialogs.getSaveFileName(m_parent, SaveAsTitle, ConvertFilter);
    if (path.isEmpty())
        return;
    ConfigurationConverter converter(config);
    document.beginStep(CleanNamesStep);
    const bool converted = converter.ConvertFile(path);
    document.endStep();
    // The cleaned names now belong to the document; its tree shows them.
    if (converter.namesChanged())
        document.GetConfiguration();
    if (!converted) {
        m_services.messages.show(m_parent, QMessageBox::Warning, QString(), converter.errorString());
        return;
    }
    if (!m_drives)
        m_drives = std::make_unique<LinuxDriveProvider>();
    MessageBoxPrompts prompts(m_services.messages, m_parent);
    CardTransfer(*m_drives).run(path, prompts);
}

void DocumentOutputCommands::closePreview()
{
    if (m_previewWindow)
        m_previewWindow->close();
}

void DocumentOutputCommands::setDriveProvider(std::unique_ptr<DriveProvider> drives)
{
    m_drives = std::move(drives);
}
