#include "PanelTestSupport.h"

#include "TestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>

void PanelFixture::SetUp()
{
    DocumentFixture::SetUp();
    window->activateWindow();
    ASSERT_TRUE(runEventsUntil([this] { return window->isActiveWindow(); }));
}

void PanelFixture::enter(QWidget *control)
{
    control->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(control->hasFocus()) << control->objectName().toStdString();
}

void PanelFixture::leave(QWidget *control)
{
    ASSERT_TRUE(control->hasFocus()) << control->objectName().toStdString();
    window->tree()->setFocus(Qt::MouseFocusReason);
}

void PanelFixture::typeInto(QLineEdit *box, const QString &text)
{
    enter(box);
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
    leave(box);
}

void PanelFixture::choose(QComboBox *list, int index)
{
    // What a pick from the pop-up does. The offscreen platform hands the
    // activation to a pop-up window only some passes through the event loop
    // later, even after it has closed, so the test stays out of pop-ups.
    enter(list);
    list->setCurrentIndex(index);
    emit list->activated(index);
}

void PanelFixture::choose(QComboBox *list, const QString &text)
{
    const int index = list->findText(text);
    ASSERT_GE(index, 0) << text.toStdString();
    choose(list, index);
}

void PanelFixture::clickBox(QCheckBox *box)
{
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, box->rect().center());
}

void PanelFixture::answerNextMessage()
{
    host.messageService.setNextAnswer(QMessageBox::Ok);
}

QStringList PanelFixture::messageTexts() const
{
    return host.messageTexts();
}

QStringList PanelFixture::itemTexts(const QComboBox *list) const
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->itemText(i));
    return texts;
}
