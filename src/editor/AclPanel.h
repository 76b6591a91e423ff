#pragma once

#include "BitCheckList.h"

#include <QByteArray>
#include <QGroupBox>

class PanelContext;

// An access control list record: rights, class access, codes and flags.
class AclPanel : public QGroupBox
{
    Q_OBJECT

public:
    AclPanel(PanelContext &context, QWidget *parent = nullptr);

    void BuildRights();
    void FillACL(int index, const QByteArray &data, bool fromPacket);
    void setClassEntries(const QList<BitEntry> &classes);

private:
    PanelContext &m_context;
};
