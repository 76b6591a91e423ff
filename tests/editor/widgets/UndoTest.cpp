#include "support/gui/DocumentFixture.h"

#include "model/ConfigFile.h"

#include <QUndoStack>

namespace {

class Undo : public DocumentFixture
{
protected:
    // Types into the box; the event loop then turns over as between two actions of the engineer's.
    void typeAndMoveOn(const char *name, const QString &text, const char *key)
    {
        typeInto(box(name), text);
        click(QLatin1String(key));
        QCoreApplication::processEvents();
    }
    QStringList commandTexts() const
    {
        QStringList texts;
        for (int i = 0; i < window->undoStack().count(); ++i)
            texts.append(window->undoStack().text(i));
        return texts;
    }
    QByteArray bytes() { return ConfigFile::toBytes(config()); }
};

TEST_F(Undo, EditsAcrossPanelsUndoneStepByStepGiveTheOriginalBytesAndRedoneTheEditedOnes)
{
    host.online = false;
    const QByteArray original = bytes();
    open(QStringLiteral("VPR5"));
    typeAndMoveOn("txtVPName", QStringLiteral("Quay Office"), "VPR6");
    clickBox(control<QCheckBox>("chkVPEnabled"));
    QCoreApplication::processEvents();
    answer();
    window->CopyRecord();
    QCoreApplication::processEvents();
    open(QStringLiteral("ACR4"));
    typeAndMoveOn("txtACLRingType", QStringLiteral("2"), "RRR");
    typeAndMoveOn("txtSYSName", QStringLiteral("Harbour"), "RVP");
    const QByteArray edited = bytes();

    EXPECT_EQ(
        commandTexts(),
        strings({"Rename Virtual Ports 5 (Sales 1)", "Edit Virtual Ports 6 (Sales 2)", "Copy Virtual Ports 6 (Sales 2)",
                 "Edit ACL 4 (Reception)", "Rename System (Kestrel Marine Offices)"}));
    QUndoStack &stack = window->undoStack();
    window->undo();
    EXPECT_EQ(config().System().GetString(FieldNames::Name, 0), QByteArray("Kestrel Marine Offices"));
    EXPECT_TRUE(window->isModified());
    while (stack.canUndo())
        window->undo();
    EXPECT_EQ(bytes(), original);
    EXPECT_FALSE(window->isModified());
    EXPECT_EQ(shown("txtVPName"), QStringLiteral("Sales 1")) << "the panel shows the record undone";

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
    typeAndMoveOn("txtVPName", QStringLiteral("Quay Office"), "VPR6");
    host.written.clear();

    window->undo();
    EXPECT_EQ(config().VirtualPorts().record(5), before);
    EXPECT_EQ(host.written, (Writes{{ExchClass::VirtualPortsMember, 5}}));
}

TEST_F(Undo, SavingMarksTheHistoryCleanAndUndoingPastTheSaveModifiesTheDocumentAgain)
{
    host.online = false;
    open(QStringLiteral("VPR5"));
    typeAndMoveOn("txtVPName", QStringLiteral("Quay Office"), "VPR6");
    ASSERT_TRUE(window->SaveFile(host.path(QStringLiteral("site.QBF"))));
    EXPECT_FALSE(window->isWindowModified());

    window->undo();
    EXPECT_TRUE(window->isWindowModified());
    window->redo();
    EXPECT_FALSE(window->isWindowModified());
}

} // namespace
