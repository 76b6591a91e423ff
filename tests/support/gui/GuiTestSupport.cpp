#include "support/gui/GuiTestSupport.h"

#include "editor/FieldLimits.h"
#include "model/FieldDef.h"
#include "model/RecordClass.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QHeaderView>
#include <QTest>
#include <QTreeWidget>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

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
    for (const QString &name : QString::fromLatin1(names).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QObject *found = parent->findChild<QObject *>(name);
        if (const auto *box = qobject_cast<const QLineEdit *>(found))
            values.append(box->text());
        else if (const auto *list = qobject_cast<const QComboBox *>(found))
            values.append(list->currentText());
        else if (const auto *label = qobject_cast<const QLabel *>(found))
            values.append(label->text());
        else if (const auto *tick = qobject_cast<const QCheckBox *>(found))
            values.append(tick->checkState() == Qt::Checked ? QStringLiteral("on")
                              : tick->checkState() == Qt::Unchecked ? QStringLiteral("off")
                                                                    : QStringLiteral("partly"));
        else
            values.append(QStringLiteral("no ") + name);
    }
    return values.join(QLatin1Char('|'));
}

QString fieldsOf(const RecordClass &structure, int record, const char *fields)
{
    QStringList values;
    for (const QString &field : QString::fromLatin1(fields).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QByteArray name = field.section(QLatin1Char('.'), 0, 0).section(QLatin1Char('['), 0, 0).toLatin1();
        const int element = field.section(QLatin1Char('['), 1).section(QLatin1Char(']'), 0, 0).toInt();
        const qint16 type = FieldLimits::find(structure, name).Type;
        if (field.contains(QLatin1Char('.')))
            values.append(QString::number(structure.GetBoolean(name, record, field.section(QLatin1Char('.'), 1).toInt(), element)));
        else if (type == FieldType::String)
            values.append(QString::fromLatin1(structure.GetString(name, record)));
        else if (type == FieldType::Digit)
            values.append(QString::fromLatin1(structure.GetDigit(name, record, element)));
        else
            values.append(QString::number(structure.GetInteger(name, record, element)));
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
    QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(header->sectionViewportPosition(section) + header->sectionSize(section) / 2,
                             header->height() / 2));
}
