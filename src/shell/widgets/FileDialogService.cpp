#include "FileDialogService.h"

#include <QFileDialog>
#include <QStringList>

namespace {
const QChar ProgramSeparator = QLatin1Char('|');
const QString QtSeparator = QStringLiteral(";;");
}

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

QString FileDialogService::ask(Kind kind, QWidget *parent, const QString &title, const QString &filter)
{
    m_requests.append({kind, title, filter});
    if (!m_fileNames.isEmpty())
        return m_fileNames.dequeue();

    const QString qtFilter = toQtFilter(filter);
    return kind == Kind::Open ? QFileDialog::getOpenFileName(parent, title, QString(), qtFilter)
                              : QFileDialog::getSaveFileName(parent, title, QString(), qtFilter);
}
