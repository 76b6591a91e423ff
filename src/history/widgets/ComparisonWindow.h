#pragma once

#include "model/ExchClass.h"

#include <QPointer>
#include <QString>
#include <QWidget>

class ConfigurationComparison;
class DocumentWindow;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// What changed from a configuration (a file, a history entry, what the
// exchange holds) to a document: the changed structures, under them the
// changed records, under those each field with its old and new value side
// by side. A filter keeps the rows that contain its text; Show Record brings
// the record on show in the document. The document itself is never changed.
class ComparisonWindow : public QWidget
{
    Q_OBJECT

public:
    // oldTitle names the configuration in the column of old values.
    ComparisonWindow(const ExchClass &oldConfig, const QString &oldTitle, DocumentWindow &document,
                     QWidget *parent = nullptr);

    // Compares once more with the document as it is now.
    void refresh();

private:
    void fill(const ConfigurationComparison &comparison);
    void applyFilter();
    void updateButtons();
    void showRecord();

    ExchClass m_old;
    QString m_oldTitle;
    QPointer<DocumentWindow> m_document;
    QLabel *m_summary;
    QLineEdit *m_filter;
    QTreeWidget *m_changes;
    QPushButton *m_showRecord;
    QPushButton *m_refresh;
};
