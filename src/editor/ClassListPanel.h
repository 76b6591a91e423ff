#pragma once

#include "BitCheckList.h"

#include <QByteArray>
#include <QGroupBox>

class PanelContext;

// The class list: named call classes, each owning one bit position.
class ClassListPanel : public QGroupBox
{
    Q_OBJECT

public:
    ClassListPanel(PanelContext &context, QWidget *parent = nullptr);

    // Rebuilds the list view; returns the enabled classes the check lists offer.
    QList<BitEntry> populate();
    void FillClassLists(const QByteArray &data);
    void CopyClass();
    void AddNewClass();
    void DeleteClass();

private:
    PanelContext &m_context;
};
