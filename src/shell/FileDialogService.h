#pragma once

#include <QList>
#include <QQueue>
#include <QString>

class QWidget;

// The open and save dialogs. Filters come in the program's form,
// "Description|pattern|Description|pattern", and are shown in Qt's. Every
// name chosen comes back as a full path; a name to save typed without an
// extension gets the one of the filter's first pattern. Tests queue the
// chosen names in advance and read back the requests.
class FileDialogService
{
public:
    enum class Kind { Open, Save };

    struct Request
    {
        Kind kind;
        QString title;
        QString filter; // as the caller gave it
    };

    FileDialogService() = default;

    static FileDialogService &instance();

    // An empty result means the user cancelled.
    QString getOpenFileName(QWidget *parent, const QString &title, const QString &filter);
    QString getSaveFileName(QWidget *parent, const QString &title, const QString &filter);

    // The next dialog returns this name without showing; an empty name cancels.
    void setNextFileName(const QString &fileName);
    QList<Request> requests() const { return m_requests; }

    // "Text (*.txt)|*.txt|Logs|*.log;*.old" gives "Text (*.txt);;Logs (*.log *.old)".
    static QString toQtFilter(const QString &filter);
    // "QBF" for "Quillbridge Files (*.QBF)|*.QBF|..."; empty when the first pattern names no extension.
    static QString defaultSuffix(const QString &filter);

private:
    QString ask(Kind kind, QWidget *parent, const QString &title, const QString &filter);
    static QString showSaveDialog(QWidget *parent, const QString &title, const QString &filter);

    QQueue<QString> m_fileNames;
    QList<Request> m_requests;
};
