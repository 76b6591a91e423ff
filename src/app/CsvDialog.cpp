#include "app/CsvDialog.h"

#include "model/ExchClass.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>

CsvDialog::CsvDialog(Purpose purpose, int member, bool usedOnly, QWidget *parent)
    : QDialog(parent)
    , m_structure(new QComboBox(this))
{
    setObjectName(QStringLiteral("frmCsv"));
    setWindowTitle(purpose == Purpose::Export ? tr("Export CSV") : tr("Import CSV"));
    m_structure->setObjectName(QStringLiteral("cboStructure"));
    for (int m = 0; m < ExchClass::MemberCount; ++m)
        m_structure->addItem(QLatin1String(ExchClass::info(m).name), m);
    m_structure->setCurrentIndex(m_structure->findData(member));

    auto *layout = new QFormLayout(this);
    layout->addRow(tr("&Structure:"), m_structure);
    if (purpose == Purpose::Export) {
        m_usedOnly = new QCheckBox(tr("&Records in use only"), this);
        m_usedOnly->setObjectName(QStringLiteral("chkUsedOnly"));
        m_usedOnly->setChecked(usedOnly);
        layout->addRow(m_usedOnly);
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addRow(buttons);
}

int CsvDialog::member() const
{
    return m_structure->currentData().toInt();
}

bool CsvDialog::usedOnly() const
{
    return m_usedOnly && m_usedOnly->isChecked();
}
