#pragma once

#include "export/AclGenerator.h"

#include <QDialog>

class ExchClass;
class MessageService;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class RandomSource;
class RecordWriter;

// frmCopyACL, "Copy ACLs": generates a range of ACLs from the ACL shown in
// the document, after the engineer agreed to replace the ACLs in use there,
// and collects the listing of the generated users, which one click puts on
// the clipboard.
class AclGeneratorWindow : public QDialog
{
    Q_OBJECT

public:
    AclGeneratorWindow(ExchClass &config, int sourceAcl, RecordWriter &writer, MessageService &messages,
                       RandomSource &random, QWidget *parent = nullptr);

private:
    QLineEdit *addNumberBox(const char *name);
    void cmdSave_Click();
    void cmdCopy_Click();
    bool confirmReplacing(const AclGenerator::Request &request, const QList<int> &acls);

    ExchClass &m_config;
    AclGenerator m_generator;
    MessageService &m_messages;
    QLineEdit *m_txtStartACL;
    QLineEdit *m_txtEndACL;
    QLineEdit *m_txtStartPin;
    QLineEdit *m_txtPinInc;
    QPlainTextEdit *m_txtGenerated;
    QPushButton *m_cmdSave;
    QPushButton *m_cmdCopy;
    QPushButton *m_cmdCancel;
};
