#pragma once

#include "DocumentFixture.h"
#include "ExchClass.h"

#include <QByteArray>
#include <QString>

class BitCheckList;
class QLineEdit;
class QListWidgetItem;
class RecordClass;

// A document window on the sample configuration, driven as the engineer
// drives it: typing into boxes and leaving them, ticking lists.
class RecordEditingFixture : public DocumentFixture
{
protected:
    void SetUp() override;
    // Hides the window before it goes, so a box or name left half typed is
    // left while the document is still whole.
    void TearDown() override;

    template<typename T>
    T *widget(const char *name) const
    {
        return window->findChild<T *>(QLatin1String(name));
    }
    QLineEdit *box(const char *name) const;
    BitCheckList *checkList(const char *name) const;
    // Replaces the box's text by typing, as the engineer does.
    void typeInto(QLineEdit *box, const QString &text);
    // Tabs out of the box and lets a refusal, if any, take the focus back.
    void leave(QLineEdit *box);
    QStringList listTexts(const BitCheckList *list) const;
    QListWidgetItem *listItem(const BitCheckList *list, const QString &text) const;
    // The record as the exchange would send it back.
    static QByteArray recordPacket(const RecordClass &structure, int index);
    static int sendCode(ExchClass::Member member) { return ExchClass::info(member).sendCode; }
    // Byte n (from 0) of a field of a record.
    static quint8 fieldByte(const RecordClass &structure, const char *field, int index, int n);
};
