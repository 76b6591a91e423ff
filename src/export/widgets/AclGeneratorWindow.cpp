#include "export/widgets/AclGeneratorWindow.h"

#include "model/ExchClass.h"
#include "model/RecordLabel.h"
#include "shell/MessageService.h"

#include <QClipboard>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString WindowTitle = QStringLiteral("Copy ACLs");
const QString ReplaceQuestion = QStringLiteral("ACL ID %1 to %2 include ACLs in use, which the generated ACLs "
                                               "replace:\n%3\n\nReplace them?");
// Wide enough for the copy hint line of the listing.
constexpr int ListingColumns = 74;
constexpr int ListingRows = 14;
} // namespace

AclGeneratorWindow::AclGeneratorWindow(ExchClass &config, int sourceAcl, RecordWriter &writer, MessageService &messages,
                                       RandomSource &random, QWidget *parent)
    : QDialog(parent)
    , m_config(config)
    , m_generator(config, sourceAcl, writer, random)
    , m_messages(messages)
    , m_txtStartACL(addNumberBox("txtStartACL"))
    , m_txtEndACL(addNumberBox("txtEndACL"))
    , m_txtStartPin(addNumberBox("txtStartPin"))
    , m_txtPinInc(addNumberBox("txtPinInc"))
    , m_txtGenerated(new QPlainTextEdit(this))
    , m_cmdSave(new QPushButton(tr("Generate"), this))
    , m_cmdCopy(new QPushButton(tr("Copy to C&lipboard"), this))
    , m_cmdCancel(new QPushButton(tr("Cancel"), this))
{
    setObjectName(QStringLiteral("frmCopyACL"));
    setWindowTitle(WindowTitle);
    setModal(true);

    m_txtGenerated->setObjectName(QStringLiteral("txtGenerated"));
    m_txtGenerated->setReadOnly(true);
    m_txtGenerated->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_txtGenerated->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    const QFontMetrics metrics(m_txtGenerated->font());
    m_txtGenerated->setMinimumSize(metrics.averageCharWidth() * ListingColumns, metrics.lineSpacing() * ListingRows);
    m_cmdSave->setObjectName(QStringLiteral("cmdSave"));
    m_cmdSave->setDefault(true);
    m_cmdCopy->setObjectName(QStringLiteral("cmdCopy"));
    m_cmdCopy->setEnabled(false);
    m_cmdCancel->setObjectName(QStringLiteral("cmdCancel"));

    auto *numbers = new QFormLayout;
    numbers->addRow(tr("Start ACLID Number"), m_txtStartACL);
    numbers->addRow(tr("End ACLID Number"), m_txtEndACL);
    numbers->addRow(tr("Start Pin Number"), m_txtStartPin);
    numbers->addRow(tr("Pin Number Inc"), m_txtPinInc);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_cmdCopy);
    buttons->addStretch();
    buttons->addWidget(m_cmdSave);
    buttons->addWidget(m_cmdCancel);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(numbers);
    layout->addWidget(m_txtGenerated, 1);
    layout->addLayout(buttons);

    connect(m_cmdSave, &QPushButton::clicked, this, &AclGeneratorWindow::cmdSave_Click);
    connect(m_cmdCopy, &QPushButton::clicked, this, &AclGeneratorWindow::cmdCopy_Click);
    connect(m_cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

QLineEdit *AclGeneratorWindow::addNumberBox(const char *name)
{
    auto *box = new QLineEdit(this);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

void AclGeneratorWindow::cmdSave_Click()
{
    const AclGenerator::Request request{
        AclGenerator::leadingNumber(m_txtStartACL->text()), AclGenerator::leadingNumber(m_txtEndACL->text()),
        AclGenerator::leadingNumber(m_txtStartPin->text()), AclGenerator::leadingNumber(m_txtPinInc->text())};
    if (!m_generator.check(request)) {
        m_messages.show(this, QMessageBox::Warning, WindowTitle, m_generator.errorString());
        return;
    }
    const QList<int> inUse = m_generator.aclsInUse(request);
    if (!inUse.isEmpty() && !confirmReplacing(request, inUse))
        return;
    if (!m_generator.Generate(request)) {
        m_messages.show(this, QMessageBox::Warning, WindowTitle, m_generator.errorString());
        return;
    }
    QString shown = m_generator.listing();
    shown.replace(AclGenerator::LineEnd, QStringLiteral("\n"));
    m_txtGenerated->setPlainText(shown);
    m_txtGenerated->moveCursor(QTextCursor::End);
    m_cmdCopy->setEnabled(true);
}

void AclGeneratorWindow::cmdCopy_Click()
{
    QGuiApplication::clipboard()->setText(m_generator.listing());
}

bool AclGeneratorWindow::confirmReplacing(const AclGenerator::Request &request, const QList<int> &acls)
{
    QStringList names;
    for (int acl : acls)
        names.append(RecordLabel::record(m_config, ExchClass::ACLMember, acl));
    const QString question =
        ReplaceQuestion.arg(request.startAcl).arg(request.endAcl).arg(names.join(QLatin1Char('\n')));
    return m_messages.show(this, QMessageBox::Warning, WindowTitle, question, QMessageBox::Yes | QMessageBox::No,
                           QMessageBox::No)
        == QMessageBox::Yes;
}
