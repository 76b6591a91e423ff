#include "support/gui/DocumentFixture.h"

#include "simulator/sample/SampleConfiguration.h"
#include "support/TreeSearch.h"

#include <QListWidget>

void DocumentFixture::SetUp()
{
    ASSERT_TRUE(host.directory.isValid());
    exNum = host.table.NewSlot();
    SampleConfiguration::build(config());
    window = std::make_unique<DocumentWindow>(host);
    window->setExNum(exNum);
    window->setCaption(QStringLiteral("Document 1"));
    window->GetConfiguration();
    window->resize(800, 600);
    window->show();
    // Field editors see the focus come and go only in the active window.
    window->activateWindow();
    ASSERT_TRUE(runEventsUntil([this] { return window->isActiveWindow(); }));
}

void DocumentFixture::TearDown()
{
    window->hide();
    QCoreApplication::processEvents();
}

QTreeWidgetItem *DocumentFixture::node(const QString &key) const
{
    return findTreeNode(window->tree(), key);
}

QStringList DocumentFixture::childKeys(const QString &key) const
{
    QStringList result;
    if (const QTreeWidgetItem *parent = node(key)) {
        for (int i = 0; i < parent->childCount(); ++i)
            result.append(parent->child(i)->data(0, Qt::UserRole).toString());
    }
    return result;
}

QString DocumentFixture::currentKey() const
{
    const QTreeWidgetItem *current = window->tree()->currentItem();
    return current ? current->data(0, Qt::UserRole).toString() : QString();
}

void DocumentFixture::click(const QString &key)
{
    clickItem(window->tree(), node(key));
}

void DocumentFixture::open(const QString &key)
{
    click(key);
    ASSERT_EQ(currentKey(), key);
}

void DocumentFixture::enter(QWidget *control)
{
    control->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(control->hasFocus()) << control->objectName().toStdString();
}

void DocumentFixture::leave(QWidget *control)
{
    ASSERT_TRUE(control->hasFocus()) << control->objectName().toStdString();
    window->tree()->setFocus(Qt::MouseFocusReason);
    // Some refusals wait until the focus has settled.
    QCoreApplication::processEvents();
}

void DocumentFixture::typeInto(QLineEdit *box, const QString &text)
{
    enter(box);
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    for (const QChar character : text)
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(character), Qt::NoModifier);
}

void DocumentFixture::typeOver(QLineEdit *box, const QString &text)
{
    typeInto(box, text);
    leave(box);
}

void DocumentFixture::choose(QComboBox *list, const QString &text)
{
    const int index = list->findText(text);
    ASSERT_GE(index, 0) << text.toStdString();
    // The offscreen platform hands a pop-up's activation over only some passes
    // through the event loop later, so the test stays out of pop-ups.
    enter(list);
    list->setCurrentIndex(index);
    emit list->activated(index);
}

void DocumentFixture::clickBox(QAbstractButton *box)
{
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, box->rect().center());
}

void DocumentFixture::enterValue(QWidget *control, const char *value)
{
    const QString text = QString::fromUtf8(value);
    if (auto *list = qobject_cast<QComboBox *>(control)) {
        choose(list, text);
        leave(list);
    } else if (auto *tick = qobject_cast<QCheckBox *>(control)) {
        tick->click();
    } else if (auto *checks = qobject_cast<QListWidget *>(control)) {
        const QList<QListWidgetItem *> found = checks->findItems(text, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << value;
        found[0]->setCheckState(found[0]->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
    } else {
        typeOver(qobject_cast<QLineEdit *>(control), text);
    }
}

void DocumentFixture::modify()
{
    window->beginStep(QStringLiteral("Rename Group 1"));
    config().Groups().SetString(FieldNames::Name, 1, QByteArrayLiteral("Night Service"));
    window->endStep();
}
