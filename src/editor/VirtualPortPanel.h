#pragma once

#include "BitCheckList.h"

#include <QByteArray>
#include <QGroupBox>

class PanelContext;

// One virtual port record: type, gains, default ACL, groups, classes, action and options.
class VirtualPortPanel : public QGroupBox
{
    Q_OBJECT

public:
    VirtualPortPanel(PanelContext &context, QWidget *parent = nullptr);

    void BuildVPACL();
    void BuildVPGroups();
    void FillVP(int index, const QByteArray &data, bool fromPacket);
    void setClassEntries(const QList<BitEntry> &classes);

private:
    PanelContext &m_context;
};
