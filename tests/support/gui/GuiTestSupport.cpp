#include "support/gui/GuiTestSupport.h"

#include "model/FieldDef.h"
#include "model/RecordClass.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTreeWidget>

QStringList strings(std::initializer_list<const char *> texts)
{
    QStringList result;
    for (const char *text : texts)
        result.append(QString::fromUtf8(text));
    return result;
}

QStringList itemTexts(const QComboBox *list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->itemText(i));
    return texts;
}

QStringList messageTexts(const MessageService &messages)
{
    QStringList texts;
    for (const MessageService::Message &message : messages.shownMessages())
        texts.append(message.text);
    return texts;
}

void queueAnswers(MessageService &messages, QMessageBox::StandardButton answer, int count)
{
    for (int i = 0; i < count; ++i)
        messages.setNextAnswer(answer);
}

QString shownIn(const QObject *parent, const char *names)
{
    QStringList values;
    for (QString name : QString::fromLatin1(names).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const bool every = name.endsWith(QLatin1Char('*'));
        if (every)
            name.chop(1);
        const QObject *found = parent->findChild<QObject *>(name);
        if (const auto *box = qobject_cast<const QLineEdit *>(found)) {
            values.append(box->text());
        } else if (const auto *list = qobject_cast<const QComboBox *>(found)) {
            values.append(every ? itemTexts(list).join(QLatin1Char(',')) : list->currentText());
        } else if (const auto *label = qobject_cast<const QLabel *>(found)) {
            values.append(label->text());
        } else if (const auto *tick = qobject_cast<const QCheckBox *>(found)) {
            values.append(tick->checkState() == Qt::Checked         ? QStringLiteral("on")
                              : tick->checkState() == Qt::Unchecked ? QStringLiteral("off")
                                                                    : QStringLiteral("partly"));
        } else if (const auto *checks = qobject_cast<const QListWidget *>(found)) {
            QStringList items;
            for (int i = 0; i < checks->count(); ++i) {
                if (every || checks->item(i)->checkState() == Qt::Checked)
                    items.append(checks->item(i)->text());
            }
            values.append(items.join(QLatin1Char(',')));
        } else {
            values.append(QStringLiteral("no ") + name);
        }
    }
    return values.join(QLatin1Char('|'));
}

QStringList columnTexts(const QTreeWidget *list, int column)
{
    QStringList texts;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        texts.append(list->topLevelItem(i)->text(column));
    return texts;
}

QTreeWidgetItem *itemWithKey(const QTreeWidget *list, const QString &key)
{
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        if (list->topLevelItem(i)->data(0, Qt::UserRole).toString() == key)
            return list->topLevelItem(i);
    }
    return nullptr;
}

void clickItem(QTreeWidget *list, QTreeWidgetItem *item)
{
    ASSERT_NE(item, nullptr);
    list->scrollToItem(item);
    // The view lays out expanded branches on its next pass through the event loop.
    QCoreApplication::processEvents();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, list->visualItemRect(item).center());
}

void clickHeader(QTreeWidget *list, int section)
{
    QHeaderView *header = list->header();
    QTest::mouseClick(
        header->viewport(), Qt::LeftButton, Qt::NoModifier,
        QPoint(header->sectionViewportPosition(section) + header->sectionSize(section) / 2, header->height() / 2));
}
