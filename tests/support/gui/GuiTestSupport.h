#pragma once

#include "shell/MessageService.h"
#include "support/TestSupport.h"

#include <QObject>

class QComboBox;
class QTreeWidget;
class QTreeWidgetItem;
class RecordClass;

QStringList strings(std::initializer_list<const char *> texts);
inline void PrintTo(const QStringList &texts, std::ostream *os)
{
    *os << '{' << texts.join(QStringLiteral(", ")).toStdString() << '}';
}
// The texts of a list's items, top first.
QStringList itemTexts(const QComboBox *list);
// The texts of the message boxes shown so far.
QStringList messageTexts(const MessageService &messages);
// The texts of a column of a list view, top first.
QStringList columnTexts(const QTreeWidget *list, int column);
// The top-level item whose first column carries the key.
QTreeWidgetItem *itemWithKey(const QTreeWidget *list, const QString &key);
// A mouse click on the item, scrolled into view first.
void clickItem(QTreeWidget *list, QTreeWidgetItem *item);
void clickHeader(QTreeWidget *list, int section);
// What the named children show, joined by '|': a box's or a list's text, a
// label's, a check box's tick ("on", "off" or "partly"), a check list's ticked
// items joined by ','; a name ending in '*' gives every item of a list; names
// apart by spaces.
QString shownIn(const QObject *parent, const char *names);
// Boxes answer at once instead of waiting for a click.
void queueAnswers(MessageService &messages, QMessageBox::StandardButton answer, int count = 1);

template<typename T>
T *child(const QObject *parent, const QString &name)
{
    T *found = parent->findChild<T *>(name);
    EXPECT_NE(found, nullptr) << name.toStdString();
    return found;
}

template<typename T>
T *child(const QObject *parent, const char *name)
{
    return child<T>(parent, QString::fromLatin1(name));
}
