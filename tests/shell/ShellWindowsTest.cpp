#include "shell/AboutWindow.h"
#include "shell/DebugWindow.h"
#include "shell/FileDialogService.h"
#include "shell/HelpWindow.h"
#include "shell/SplashWindow.h"
#include "shell/VersionText.h"
#include "support/SimulatedTimers.h"
#include "support/gui/GuiTestSupport.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>

namespace {

const QString QbfFilter = QStringLiteral("Quillbridge Files (*.QBF)|*.QBF|All Files (*.*)|*.*");

TEST(MessageService, ShowsTheProgramsTitleAndOkWhereNoneIsGiven)
{
    MessageService messages;
    queueAnswers(messages, QMessageBox::Ok);
    messages.show(nullptr, QMessageBox::Information, QString(), QStringLiteral("Converted"), QMessageBox::NoButton);
    const MessageService::Message shown = messages.shownMessages().value(0);
    EXPECT_EQ(shown.title + QLatin1Char(':') + shown.text, QStringLiteral("Quillbridge:Converted"));
    EXPECT_EQ(shown.buttons, MessageService::Buttons(QMessageBox::Ok));
}

TEST(FileDialogService, ConvertsTheProgramsFilterToQtSyntax)
{
    EXPECT_EQ(FileDialogService::toQtFilter(QbfFilter), QStringLiteral("Quillbridge Files (*.QBF);;All Files (*.*)"));
    // Qt filters by the parenthesised patterns, so a description without them gets them.
    EXPECT_EQ(FileDialogService::toQtFilter(QStringLiteral("Logs|*.log;*.old")), QStringLiteral("Logs (*.log *.old)"));
    EXPECT_EQ(FileDialogService::toQtFilter(QStringLiteral("Odd (*.a)|*.b")), QStringLiteral("Odd (*.a) (*.b)"));
}

TEST(FileDialogService, NamesComeBackAsFullPathsAndSavedOnesGetTheFiltersExtensionWhenTheyHaveNone)
{
    const QString vrsFilter = QStringLiteral("K7101/K7202 Files (*.VRS)|*.VRS|All Files (*.*)|*.*");
    const QString folder = QDir::currentPath() + QLatin1Char('/');
    using Kind = FileDialogService::Kind;
    const std::tuple<Kind, QString, QString, QString> cases[] = {
        {Kind::Save, QbfFilter, QStringLiteral("site1"), folder + QStringLiteral("site1.QBF")},
        {Kind::Save, QbfFilter, QStringLiteral("/tmp/site.qbf"), QStringLiteral("/tmp/site.qbf")},
        {Kind::Save, QbfFilter, QStringLiteral("/tmp/v1.2/a"), QStringLiteral("/tmp/v1.2/a.QBF")},
        {Kind::Save, vrsFilter, QStringLiteral("/tmp/site1"), QStringLiteral("/tmp/site1.VRS")},
        {Kind::Save, QStringLiteral("All Files (*.*)|*.*"), QStringLiteral("/tmp/notes"), QStringLiteral("/tmp/notes")},
        {Kind::Open, QbfFilter, QStringLiteral("site1"), folder + QStringLiteral("site1")}};
    FileDialogService dialogs;
    for (const auto &[kind, filter, typed, chosen] : cases) {
        dialogs.setNextFileName(typed);
        EXPECT_EQ(kind == Kind::Save ? dialogs.getSaveFileName(nullptr, QStringLiteral("Save"), filter)
                                     : dialogs.getOpenFileName(nullptr, QStringLiteral("Open"), filter),
                  chosen);
    }
    dialogs.setNextFileName(QString());
    EXPECT_TRUE(dialogs.getSaveFileName(nullptr, QStringLiteral("Save As"), QbfFilter).isEmpty()) << "cancelled";
}

class DebugWindowTest : public ::testing::Test
{
protected:
    QPlainTextEdit *text() const { return child<QPlainTextEdit>(&m_window, "txtDebug"); }
    QCheckBox *debugDisplay() const { return child<QCheckBox>(&m_window, "chkDebugDisplay"); }

    DebugLog m_log;
    DebugWindow m_window{m_log};
};

TEST_F(DebugWindowTest, TextWrittenWhileHiddenIsShownWithLineBreaksForCrLfAndClosingDiscardsTheLog)
{
    m_log.Add(QStringLiteral("open COM1"));
    m_log.AddNL(QStringLiteral("sent 7E 0F"));
    m_window.show();
    EXPECT_EQ(text()->toPlainText(), QStringLiteral("open COM1\nsent 7E 0F"));
    m_log.Add(QStringLiteral(" 00\r"));
    m_log.Add(QStringLiteral("\nreply"));
    EXPECT_EQ(text()->toPlainText(), QStringLiteral("open COM1\nsent 7E 0F 00\nreply"));

    m_window.close();
    EXPECT_TRUE(m_log.text().isEmpty());
    m_log.AddNL(QStringLiteral("after close"));
    m_window.show();
    QTest::mouseClick(child<QPushButton>(&m_window, "cmdClear"), Qt::LeftButton);
    EXPECT_TRUE(m_log.text().isEmpty() && text()->toPlainText().isEmpty());
    EXPECT_TRUE(m_window.isVisible());
}

TEST_F(DebugWindowTest, TheCheckBoxShowsAndDrivesDebugDisplayAndListingsAppearFromTheirStart)
{
    m_log.setDebugDisplay(true);
    m_log.Add(QString(400, QLatin1Char('*')));
    m_window.show();
    EXPECT_TRUE(debugDisplay()->isChecked());
    QTest::mouseClick(debugDisplay(), Qt::LeftButton);
    EXPECT_FALSE(m_log.debugDisplay());
    // Listings begin below a long line of sent marks.
    for (int line = 0; line < 40; ++line)
        m_log.AddNL(QStringLiteral("Structure Size = 0x40; Name = Tones"));
    EXPECT_EQ(text()->horizontalScrollBar()->value(), 0);
    EXPECT_GT(text()->verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(text()->verticalScrollBar()->value(), text()->verticalScrollBar()->maximum());
}

// Closing a splash window deletes it.
bool deleted(const QPointer<SplashWindow> &splash)
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return splash.isNull();
}

TEST(SplashWindow, ClosesItselfAfterSevenSecondsOrAtOnceOnAClickAndTheLaterTickDoesNothing)
{
    SimulatedTimers timers;
    QPointer<SplashWindow> splash = new SplashWindow(timers);
    splash->show();
    timers.advance(6999);
    EXPECT_TRUE(splash->isVisible());
    timers.advance(1);
    EXPECT_TRUE(deleted(splash));

    splash = new SplashWindow(timers);
    splash->show();
    QTest::mouseClick(child<QWidget>(splash.data(), "lblDisclaimer"), Qt::LeftButton);
    EXPECT_TRUE(deleted(splash));
    timers.advance(7000);
}

TEST(AboutWindow, ShowsThisBuildsVersionSaysSystemInformationIsUnavailableAndClosesOnOk)
{
    EXPECT_EQ(VersionText::line(QStringLiteral("03.00.12")), QStringLiteral("Version 3.0.12"));
    EXPECT_EQ(VersionText::line(QStringLiteral("2.1")), QStringLiteral("Version 2.1.0"));
    MessageService messages;
    AboutWindow about(messages);
    about.show();
    EXPECT_EQ(about.windowTitle(), QStringLiteral("About Quillbridge"));
    EXPECT_EQ(shownIn(&about, "lblTitle lblVersion"),
              QStringLiteral("Quillbridge|Version ") + QStringLiteral(QB_VERSION));

    messages.setNextAnswer(QMessageBox::Ok);
    QTest::mouseClick(child<QPushButton>(&about, "cmdSysInfo"), Qt::LeftButton);
    EXPECT_EQ(messageTexts(messages), strings({"System Information Is Unavailable At This Time"}));
    EXPECT_TRUE(about.isVisible());
    QTest::mouseClick(child<QPushButton>(&about, "cmdOK"), Qt::LeftButton);
    EXPECT_FALSE(about.isVisible());
    EXPECT_EQ(about.result(), QDialog::Accepted);
}

TEST(HelpWindow, ContentsShowTheGuideFromTheStartAndSearchFindsTheNextOccurrenceIgnoringCaseAndWraps)
{
    HelpWindow help;
    auto *guide = child<QTextBrowser>(&help, "txtGuide");
    help.showContents();
    EXPECT_TRUE(guide->toPlainText().startsWith(QStringLiteral("Quillbridge User Guide")));
    EXPECT_EQ(guide->textCursor().position(), 0);

    auto *field = child<QLineEdit>(&help, "txtSearch");
    const auto search = [field](const char *word) {
        field->clear();
        QTest::keyClicks(field, QLatin1String(word));
        QTest::keyClick(field, Qt::Key_Return);
    };
    help.showSearch();
    search("DEBUG");
    const QTextCursor first = guide->textCursor();
    EXPECT_EQ(first.selectedText().toLower(), QStringLiteral("debug"));
    QTest::keyClick(field, Qt::Key_Return);
    const QTextCursor second = guide->textCursor();
    EXPECT_GT(second.position(), first.position());
    // Running past the last occurrence starts again at the top.
    for (int i = 0; i < 10 && guide->textCursor().position() >= second.position(); ++i)
        QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(guide->textCursor().position(), first.position());
    EXPECT_TRUE(shownIn(&help, "lblStatus").isEmpty());

    search("xylophone");
    EXPECT_FALSE(guide->textCursor().hasSelection());
    EXPECT_FALSE(shownIn(&help, "lblStatus").isEmpty());
}

} // namespace
