#include "RecordEditingFixture.h"

#include "BitCheckList.h"
#include "FieldLimits.h"
#include "RecordClass.h"
#include "ReplyPacket.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

void RecordEditingFixture::SetUp()
{
    DocumentFixture::SetUp();
    QApplication::setActiveWindow(window.get());
}

void RecordEditingFixture::TearDown()
{
    window->hide();
    QCoreApplication::processEvents();
}

QLineEdit *RecordEditingFixture::box(const char *name) const
{
    return widget<QLineEdit>(name);
}

BitCheckList *RecordEditingFixture::checkList(const char *name) const
{
    return widget<BitCheckList>(name);
}

void RecordEditingFixture::typeInto(QLineEdit *box, const QString &text)
{
    box->setFocus(Qt::MouseFocusReason);
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    // Key by key with the character as the key's text, so letters beyond ASCII type too.
    for (const QChar character : text)
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(character), Qt::NoModifier);
}

void RecordEditingFixture::leave(QLineEdit *box)
{
    QTest::keyClick(box, Qt::Key_Tab);
    QCoreApplication::processEvents();
}

QStringList RecordEditingFixture::listTexts(const BitCheckList *list) const
{
    QStringList texts;
    for (const BitEntry &entry : list->entries())
        texts.append(entry.text);
    return texts;
}

QListWidgetItem *RecordEditingFixture::listItem(const BitCheckList *list, const QString &text) const
{
    const QList<QListWidgetItem *> found = list->findItems(text, Qt::MatchExactly);
    return found.isEmpty() ? nullptr : found.first();
}

QByteArray RecordEditingFixture::recordPacket(const RecordClass &structure, int index)
{
    return ReplyPacket::make(structure.RequestCode(), index, structure.record(index));
}

quint8 RecordEditingFixture::fieldByte(const RecordClass &structure, const char *field, int index, int n)
{
    const int start = FieldLimits::find(structure, field).StartPosn;
    return quint8(structure.record(index).at(start - 1 + n));
}
