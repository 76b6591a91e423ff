#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;

// What File → Export CSV and Import CSV ask before the file: the structure
// and, for an export, whether records not in use are left out.
class CsvDialog : public QDialog
{
    Q_OBJECT

public:
    enum class Purpose { Export, Import };

    CsvDialog(Purpose purpose, int member, bool usedOnly, QWidget *parent);

    int member() const;
    bool usedOnly() const;

private:
    QComboBox *m_structure;
    QCheckBox *m_usedOnly = nullptr;
};
