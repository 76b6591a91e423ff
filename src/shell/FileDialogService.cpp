#include "shell/FileDialogService.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>

namespace {
const QChar ProgramSeparator = QLatin1Char('|');
const QString QtSeparator = QStringLiteral(";;");
const QString ExtensionPattern = QStringLiteral("*.");
} // namespace

FileDialogService &FileDialogService::instance()
{
    static FileDialogService service;
    return service;
}

QString FileDialogService::getOpenFileName(QWidget *parent, const QString &title, const QString &filter)
{
    return ask(Kind::Open, parent, title, filter);
}

QString FileDialogService::getSaveFileName(QWidget *parent, const QString &title, const QString &filter)
{
    return ask(Kind::Save, parent, title, filter);
}

void FileDialogService::setNextFileName(const QString &fileName)
{
    m_fileNames.enqueue(fileName);
}

QString FileDialogService::toQtFilter(const QString &filter)
{
    const QStringList parts = filter.split(ProgramSeparator);
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts.at(i).trimmed();
        const QString patterns = parts.at(i + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts).join(QLatin1Char(' '));
        // Qt filters by the patterns in the description's trailing parentheses.
        const QString suffix = QStringLiteral("(%1)").arg(patterns);
        entries.append(description.endsWith(suffix) ? description : QStringLiteral("%1 %2").arg(description, suffix));
    }
    return entries.join(QtSeparator);
}

QString FileDialogService::defaultSuffix(const QString &filter)
{
    const QString pattern = filter.section(ProgramSeparator, 1, 1).section(QLatin1Char(';'), 0, 0).trimmed();
    if (!pattern.startsWith(ExtensionPattern))
        return QString();
    const QString suffix = pattern.mid(ExtensionPattern.size());
    return suffix.contains(QLatin1Char('*')) || suffix.contains(QLatin1Char('?')) ? QString() : suffix;
}

QString FileDialogService::ask(Kind kind, QWidget *parent, const QString &title, const QString &filter)
{
    m_requests.append({kind, title, filter});
    QString chosen;
    if (!m_fileNames.isEmpty())
        chosen = m_fileNames.dequeue();
    else if (kind == Kind::Open)
        chosen = QFileDialog::getOpenFileName(parent, title, QString(), toQtFilter(filter));
    else
        chosen = showSaveDialog(parent, title, filter);
    if (chosen.isEmpty())
        return chosen;

    const QString suffix = defaultSuffix(filter);
    if (kind == Kind::Save && !suffix.isEmpty() && QFileInfo(chosen).suffix().isEmpty())
        chosen += QLatin1Char('.') + suffix;
    // A relative name would mean another file once the working folder changes.
    return QFileInfo(chosen).absoluteFilePath();
}

QString FileDialogService::showSaveDialog(QWidget *parent, const QString &title, const QString &filter)
{
    QFileDialog dialog(parent, title, QString(), toQtFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // The dialog adds it itself, so it asks before replacing the file that has it.
    dialog.setDefaultSuffix(defaultSuffix(filter));
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}
