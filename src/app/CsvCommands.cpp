#include "app/CsvCommands.h"

#include "analysis/ConfigurationCheck.h"
#include "analysis/ConfigurationComparison.h"
#include "app/CsvDialog.h"
#include "app/ListedLines.h"
#include "csv/CsvExport.h"
#include "csv/CsvImport.h"
#include "csv/CsvReader.h"
#include "editor/widgets/DocumentWindow.h"
#include "link/RecordWriter.h"
#include "shell/FileDialogService.h"
#include "shell/MessageService.h"
#include "transfer/TransferEngine.h"

#include <QFileInfo>

namespace {
const QString CsvFilter = QStringLiteral("CSV Files (*.csv)|*.csv|All Files (*.*)|*.*");
const QString ExportTitle = QStringLiteral("Export CSV");
const QString ImportTitle = QStringLiteral("Import CSV");
const QString RefusedText = QStringLiteral("%1 cannot be imported into %2: nothing was changed.\n\n%3");
const QString NothingToImportText = QStringLiteral("%1 changes nothing in %2 of %3.");
const QString ImportQuestion = QStringLiteral("Import %1 into %2 of %3?\n\n%4\n\nThe result's check: %5.");
const QString ChangedMeanwhileText =
    QStringLiteral("%1 changed while the file was being read: nothing was changed. Import it again.");
const QString ImportStep = QStringLiteral("Import CSV (%1)");

QString structureName(int member)
{
    return QLatin1String(ExchClass::info(member).name);
}
} // namespace

CsvCommands::CsvCommands(const Services &services, QWidget *parent)
    : m_services(services)
    , m_parent(parent)
{
}

std::optional<CsvCommands::Choice> CsvCommands::choose(bool forExport)
{
    CsvDialog dialog(forExport ? CsvDialog::Purpose::Export : CsvDialog::Purpose::Import, m_lastChoice.member,
                     m_lastChoice.usedOnly, m_parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    m_lastChoice = {dialog.member(), forExport ? dialog.usedOnly() : m_lastChoice.usedOnly};
    return m_lastChoice;
}

void CsvCommands::exportCsv(const ExchClass &config)
{
    const std::optional<Choice> choice = choose(true);
    if (!choice)
        return;
    const QString path = m_services.fileDialogs.getSaveFileName(m_parent, ExportTitle, CsvFilter);
    if (path.isEmpty())
        return;
    QString error;
    if (!CsvExport::save(config, choice->member, choice->usedOnly, path, &error))
        m_services.messages.show(m_parent, QMessageBox::Warning, ExportTitle, error);
}

void CsvCommands::importCsv(DocumentWindow &document, ExchClass &config)
{
    const std::optional<Choice> choice = choose(false);
    if (!choice)
        return;
    const QString path = m_services.fileDialogs.getOpenFileName(m_parent, ImportTitle, CsvFilter);
    if (path.isEmpty())
        return;
    const QString file = QFileInfo(path).fileName();
    const QString structure = structureName(choice->member);
    QByteArray data;
    QString error;
    if (!CsvReader::readFile(path, data, &error)) {
        m_services.messages.show(m_parent, QMessageBox::Warning, ImportTitle, error);
        return;
    }
    CsvImport import(config, choice->member);
    if (!import.plan(data)) {
        QStringList problems;
        for (const CsvProblem &problem : import.problems())
            problems.append(problem.text());
        m_services.messages.show(m_parent, QMessageBox::Warning, ImportTitle,
                                 RefusedText.arg(file, structure, listedLines(problems, MaxListed)));
        return;
    }
    const ConfigurationComparison comparison(config, import.result());
    if (comparison.changes().isEmpty()) {
        m_services.messages.show(m_parent, QMessageBox::Information, ImportTitle,
                                 NothingToImportText.arg(file, structure, document.caption()));
        return;
    }
    const QString check = ConfigurationCheck::summary(ConfigurationCheck(import.result()).problems());
    const QString question = ImportQuestion.arg(file, structure, document.caption(),
                                                listedLines(comparison.recordLines(), MaxListed), check);
    if (m_services.messages.show(m_parent, QMessageBox::Question, ImportTitle, question,
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        != QMessageBox::Yes)
        return;
    document.beginStep(ImportStep.arg(structure));
    const bool applied = import.apply();
    document.endStep();
    if (!applied) {
        m_services.messages.show(m_parent, QMessageBox::Warning, ImportTitle,
                                 ChangedMeanwhileText.arg(document.caption()));
        return;
    }
    document.GetConfiguration();
    if (!m_services.updateOnline() || !TransferEngine::sendsMember(choice->member))
        return;
    for (int record : import.changedRecords())
        m_services.writer.writeRecord(config, choice->member, record);
}
