#include "model/ConfigFile.h"
#include "model/ExchClass.h"
#include "model/FieldNames.h"
#include "support/TestSupport.h"
#include "support/gui/DocumentFixture.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QTest>
#include <QUndoStack>

namespace {

class Undo : public DocumentFixture
{
protected:
    void SetUp() override
    {
        DocumentFixture::SetUp();
        window->activateWindow();
        ASSERT_TRUE(runEventsUntil([this] { return window->isActiveWindow(); }));
    }
    template<typename Control>
    Control *control(const char *name) const
    {
        return window->findChild<Control *>(QLatin1String(name));
    }
    void typeInto(const char *name, const QString &text)
    {
        auto *box = control<QLineEdit>(name);
        box->setFocus(Qt::MouseFocusReason);
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClicks(box, text);
    }
    void clickBox(const char *name)
    {
        auto *box = control<QCheckBox>(name);
        QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, box->rect().center());
    }
    // The event loop turns over between two actions of the engineer's.
    static void finishAction() { QCoreApplication::processEvents(); }
    QStringList commandTexts() const
    {
        QStringList texts;
        const QUndoStack &stack = window->undoStack();
        for (int i = 0; i < stack.count(); ++i)
            texts.append(stack.text(i));
        return texts;
    }
    QByteArray bytes() { return ConfigFile::toBytes(config()); }
};

TEST_F(Undo, EditsAcrossPanelsUndoneStepByStepGiveTheOriginalBytesAndRedoneTheEditedOnes)
{
    host.online = false;
    const QByteArray original = bytes();
    open(QStringLiteral("VPR5"));
    typeInto("txtVPName", QStringLiteral("Quay Office"));
    click(QStringLiteral("VPR6"));
    finishAction();
    clickBox("chkVPEnabled");
    finishAction();
    host.messageService.setNextAnswer(QMessageBox::Ok);
    window->CopyRecord();
    finishAction();
    open(QStringLiteral("ACR4"));
    typeInto("txtACLRingType", QStringLiteral("2"));
    click(QStringLiteral("RRR"));
    finishAction();
    typeInto("txtSYSName", QStringLiteral("Harbour"));
    click(QStringLiteral("RVP"));
    finishAction();
    const QByteArray edited = bytes();

    EXPECT_EQ(commandTexts(), strings({"Rename Virtual Ports 5 (Sales 1)", "Edit Virtual Ports 6 (Sales 2)",
                                       "Copy Virtual Ports 6 (Sales 2)", "Edit ACL 4 (Reception)",
                                       "Rename System (Kestrel Marine Offices)"}));
    QUndoStack &stack = window->undoStack();
    window->undo();
    EXPECT_EQ(config().System().GetString(FieldNames::Name, 0), QByteArray("Kestrel Marine Offices"));
    EXPECT_TRUE(window->isModified());
    while (stack.canUndo())
        window->undo();
    EXPECT_EQ(bytes(), original);
    EXPECT_FALSE(window->isModified());
    EXPECT_EQ(control<QLineEdit>("txtVPName")->text(), QStringLiteral("Sales 1"))
        << "the panel shows the record undone";

    while (stack.canRedo())
        window->redo();
    EXPECT_EQ(bytes(), edited);
    EXPECT_TRUE(window->isModified());
}

TEST_F(Undo, UndoOnlineWritesTheRestoredRecord)
{
    host.online = true;
    const QByteArray before = config().VirtualPorts().record(5);
    open(QStringLiteral("VPR5"));
    typeInto("txtVPName", QStringLiteral("Quay Office"));
    click(QStringLiteral("VPR6"));
    host.written.clear();

    window->undo();
    EXPECT_EQ(config().VirtualPorts().record(5), before);
    EXPECT_EQ(host.written, (Writes{{ExchClass::VirtualPortsMember, 5}}));
}

TEST_F(Undo, SavingMarksTheHistoryCleanAndUndoingPastTheSaveModifiesTheDocumentAgain)
{
    host.online = false;
    open(QStringLiteral("VPR5"));
    typeInto("txtVPName", QStringLiteral("Quay Office"));
    click(QStringLiteral("VPR6"));
    finishAction();
    EXPECT_TRUE(window->isWindowModified());
    ASSERT_TRUE(window->SaveFile(host.path(QStringLiteral("site.QBF"))));
    EXPECT_FALSE(window->isWindowModified());

    window->undo();
    EXPECT_TRUE(window->isWindowModified());
    window->redo();
    EXPECT_FALSE(window->isWindowModified());
}

} // namespace
