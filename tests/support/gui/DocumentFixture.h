#pragma once

#include "editor/widgets/DocumentWindow.h"
#include "model/ExchClass.h"
#include "model/FieldNames.h"
#include "model/RecordSlots.h"
#include "support/gui/GuiTestSupport.h"
#include "support/gui/TestDocumentHost.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>

#include <memory>

// A shown, active document window on the sample configuration, in its own
// slot of the host's table, driven as the engineer drives it.
class DocumentFixture : public ::testing::Test
{
protected:
    using Panel = DocumentWindow::Panel;

    void SetUp() override;
    // Hides the window first, so a box left half typed is left while the document is whole.
    void TearDown() override;

    ExchClass &config() { return host.configuration(exNum); }
    QString fields(ExchClass::Member member, int record, const char *names)
    {
        return fieldsOf(config().member(member), record, names);
    }
    // The node with the key, once every branch is open.
    QTreeWidgetItem *node(const QString &key) const;
    QStringList childKeys(const QString &key) const;
    QString currentKey() const;
    // A mouse click on the node.
    void click(const QString &key);
    // Clicks the node, which is then on show.
    void open(const QString &key);

    template<typename T, typename Name>
    T *control(const Name &name) const
    {
        return child<T>(window.get(), name);
    }
    QLineEdit *box(const char *name) const { return control<QLineEdit>(name); }
    QString shown(const char *names) const { return shownIn(window.get(), names); }
    bool changed(Panel panel) const { return window->isChanged(panel); }

    // Focus into the control, as a tab puts it there.
    void enter(QWidget *control);
    // A click on the tree, which takes the focus from the control.
    void leave(QWidget *control);
    // Types over the box's text key by key, so letters beyond Latin-1 type too; the focus stays.
    void typeInto(QLineEdit *box, const QString &text);
    // Types over the box's text and leaves it.
    void typeOver(QLineEdit *box, const QString &text);
    // Picks the item as a pick from the list's pop-up does.
    void choose(QComboBox *list, const QString &text);
    void clickBox(QAbstractButton *box);
    // Types the value into a box and leaves it, picks it from a list and leaves
    // that, clicks a check box, or toggles the check list's item of that text.
    void enterValue(QWidget *control, const char *value);
    void answer(QMessageBox::StandardButton button = QMessageBox::Ok) { host.messageService.setNextAnswer(button); }
    // One edit the engineer could have made, so the document has something to save.
    void modify();
    QStringList messageTexts() const { return host.messageTexts(); }

    TestDocumentHost host;
    int exNum = 0;
    std::unique_ptr<DocumentWindow> window;
};
