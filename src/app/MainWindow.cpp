#include "app/MainWindow.h"

#include "app/DocumentArranger.h"
#include "app/DrawnIcons.h"
#include "app/OptionsDialog.h"
#include "app/ProblemsDock.h"
#include "app/SendChangesCommand.h"
#include "app/SendGuard.h"
#include "app/SendSummary.h"
#include "core/DebugLog.h"
#include "core/ProductInfo.h"
#include "device/widgets/DeviceWindows.h"
#include "editor/widgets/DocumentWindow.h"
#include "export/CardTransfer.h"
#include "export/CardTransferPrompts.h"
#include "export/ConfigurationConverter.h"
#include "export/LinuxDriveProvider.h"
#include "export/RandomSource.h"
#include "export/widgets/AclGeneratorWindow.h"
#include "export/widgets/PreviewWindow.h"
#include "export/widgets/PrintService.h"
#include "export/widgets/ReportJob.h"
#include "history/SystemClock.h"
#include "history/widgets/HistoryCommands.h"
#include "link/ConnectionMonitor.h"
#include "link/RecordWriteQueue.h"
#include "link/SerialLink.h"
#include "model/ExchClass.h"
#include "model/FieldDef.h"
#include "model/FieldNames.h"
#include "model/RecordLabel.h"
#include "shell/AboutWindow.h"
#include "shell/DebugWindow.h"
#include "shell/FileDialogService.h"
#include "shell/HelpWindow.h"
#include "shell/MessageService.h"
#include "shell/WindowPlacement.h"
#include "transfer/widgets/TransferWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QStyle>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QUndoGroup>
#include <QUndoStack>

#include <utility>

namespace {
const QString OpenTitle = QStringLiteral("Open");
const QString SaveTitle = QStringLiteral("Save");
const QString SaveAsTitle = QStringLiteral("Save As");
const QString GetConfigurationTitle = QStringLiteral("Get Configuration");
const QString NoOrvexText = QStringLiteral("No Orvex detected");
const QString NotGettingText = QStringLiteral("Not getting configuraton");
const QString NotSendingText = QStringLiteral("Not sending configuraton");
const QString NotSendingChangesText = QStringLiteral("Not sending changes");
const QString CompareWithExchangeTitle = QStringLiteral("Compare With Exchange");
const QString NotComparingText = QStringLiteral("Not reading the configuration to compare");
const QString ConvertFilter = QStringLiteral("K7101/K7202 Files (*.VRS)|*.VRS|All Files (*.*)|*.*");
const QString NothingToSendText = QStringLiteral("This document holds no configuration, so there is nothing to send.");
const QChar LineBreak = QLatin1Char('\n');
const QString UpdateOnlineTitle = QStringLiteral("Update Online System");
const QString WriteFileQuestion = QStringLiteral(
    "%1 was not read from the exchange in this session.\n\n"
    "Its system: %2\n"
    "The exchange: %3\n\n"
    "Write the changes of this document to the exchange? The answer holds for this document.");
const QString NotReadExchangeText = QStringLiteral("the exchange on %1 (not read in this session)");
const QString SendConfigurationTitle = QStringLiteral("Send Configuration");
const QString SendAnywayButton = QStringLiteral("Send Anyway");
const QString ConvertTitle = QStringLiteral("Convert to K7202 configuration");
const QString ConvertAnywayButton = QStringLiteral("Convert Anyway");
const QString CleanNamesStep = QStringLiteral("Clean Names for Conversion");
const QString GenerateAclsStep = QStringLiteral("Generate ACLs");
const QString TransferStep = QStringLiteral("Transfer with the Exchange");
const QString SendQuestion = QStringLiteral(
    "Send %1 to %2?\n\n"
    "The exchange's configuration is replaced by this document's. Records written:\n%3"
    "Records the exchange holds where this document has a free slot are cleared.");
const QString SendExchangeText = QStringLiteral("the exchange on %1, system %2");
const QString NoSystemName = QStringLiteral("(no system name)");
const QString NoDocumentName = QStringLiteral("This document");
const QChar PortPanelSeparator = QLatin1Char(';');
const QKeySequence CloseShortcut(Qt::CTRL | Qt::Key_W);
const QString WaitingText = QStringLiteral("%1 waiting for the exchange");
const QString NotConfirmedText = QStringLiteral("%1 not confirmed \u2014");
const QString EchoMismatchText = QStringLiteral(
    "The exchange stored %1 differently from what was sent; the change is marked not confirmed. "
    "Retry Unconfirmed Writes sends it again; Get Configuration shows what the exchange holds.");
// The tag of a document window loaded from a file: ":" + path.
const QString FileTagPrefix = QStringLiteral(":");

enum class ClipboardCommand { Cut, Copy, Paste };

template<typename TextWidget>
void apply(TextWidget *text, ClipboardCommand command)
{
    switch (command) {
    case ClipboardCommand::Cut:
        if (!text->isReadOnly())
            text->cut();
        break;
    case ClipboardCommand::Copy:
        text->copy();
        break;
    case ClipboardCommand::Paste:
        if (!text->isReadOnly())
            text->paste();
        break;
    }
}

// Edit → Cut, Copy and Paste work on the text box that has the focus; with
// none, nothing happens and nothing is reported.
void applyToFocusedText(ClipboardCommand command)
{
    QWidget *focus = QApplication::focusWidget();
    if (auto *line = qobject_cast<QLineEdit *>(focus))
        apply(line, command);
    else if (auto *plain = qobject_cast<QPlainTextEdit *>(focus))
        apply(plain, command);
    else if (auto *rich = qobject_cast<QTextEdit *>(focus))
        apply(rich, command);
}

bool holdsNoStructures(const ExchClass &config)
{
    for (int m = 0; m < ExchClass::MemberCount; ++m) {
        if (config.member(m).Records() > 0)
            return false;
    }
    return true;
}

// The card step's questions and messages as the program's message boxes.
class MessageBoxPrompts : public CardTransferPrompts
{
public:
    MessageBoxPrompts(MessageService &messages, QWidget *parent)
        : m_messages(messages)
        , m_parent(parent)
    {
    }

    void showMessage(Severity severity, const QString &title, const QString &text) override
    {
        m_messages.show(m_parent, severity == Severity::Warning ? QMessageBox::Warning : QMessageBox::Information,
                        title, text);
    }

    bool askYesNo(const QString &title, const QString &text) override
    {
        return m_messages.show(m_parent, QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No)
            == QMessageBox::Yes;
    }

private:
    MessageService &m_messages;
    QWidget *m_parent;
};

QString systemName(const ExchClass &config)
{
    const RecordClass &system = config.System();
    if (system.Records() < 1 || system.GetType(FieldNames::Name) != FieldType::String)
        return QString();
    return QString::fromLatin1(system.GetString(FieldNames::Name, 0));
}

QString changes(int count)
{
    return count == 1 ? QStringLiteral("1 change") : QStringLiteral("%1 changes").arg(count);
}

QString quoted(const QString &name)
{
    return name.isEmpty() ? NoSystemName : QStringLiteral("\"%1\"").arg(name);
}

QLabel *makePanel(const QString &name, QWidget *parent)
{
    auto *panel = new QLabel(parent);
    panel->setObjectName(name);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    return panel;
}
} // namespace

const QString MainWindow::FileFilter = QStringLiteral("Quillbridge Files (*.QBF)|*.QBF|All Files (*.*)|*.*");

MainWindow::MainWindow(const Services &services, std::unique_ptr<SerialPort> port, QWidget *parent)
    : QMainWindow(parent)
    , m_registry(services.registry)
    , m_messages(services.messages)
    , m_fileDialogs(services.fileDialogs)
    , m_timers(services.timers)
    , m_log(services.log)
    , m_configurations(&services.log)
    , m_recentFiles(services.registry)
    , m_placement(std::make_unique<WindowPlacement>(services.registry, WindowPlacement::Main))
    , m_link(std::make_unique<SerialLink>(std::move(port), &services.registry, &services.log))
    , m_engine(std::make_unique<TransferEngine>(m_link->packetSender(), *m_link, services.timers, &services.log))
    , m_writes(std::make_unique<RecordWriteQueue>(m_link->packetSender(), services.timers))
    , m_monitor(std::make_unique<ConnectionMonitor>(*m_link, *m_engine, *m_writes, services.timers))
    , m_printService(std::make_unique<PrintService>())
    , m_mdiArea(new QMdiArea(this))
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(ProductInfo::ApplicationTitle);
    // The toolbar is switched from the View menu only, so its tick mark stays true.
    setContextMenuPolicy(Qt::NoContextMenu);
    m_mdiArea->setObjectName(QStringLiteral("mdiDocuments"));
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdiArea);

    m_link->setUi(this);
    m_link->attachTransfer(*m_engine, *m_engine);
    m_link->dispatcher().setWriteQueue(m_writes.get());
    m_link->dispatcher().setActiveDocumentLookup([this]() -> DocumentSink * { return activeDocument(); });

    m_transferWindow = new TransferWindow(*m_engine, m_messages, this);
    m_transferWindow->setFinishedCallback([this](TransferObserver::Outcome outcome) {
        noteTransferOutcome(outcome);
        transferFinished(outcome);
    });
    m_history = new HistoryCommands({m_registry, m_messages, m_fileDialogs, SystemClock::shared(), FileFilter,
                                     [this] { return committedActiveDocument(); },
                                     [this] {
                                         DocumentWindow *document = LoadNewDoc();
                                         document->setExNum(NewSlot());
                                         return document;
                                     }},
                                    HistoryStore::defaultRoot(), this);
    m_sendChanges = std::make_unique<SendChangesCommand>(m_messages, *m_history, this);
    m_devices = std::make_unique<DeviceWindows>(DeviceWindows::Services{m_messages, m_timers, m_log, {}}, *m_link,
                                                this);

    m_problemsDock = new ProblemsDock(
        m_timers,
        [this]() -> const ExchClass * {
            DocumentWindow *document = activeDocument();
            return document ? document->configuration() : nullptr;
        },
        this);
    addDockWidget(Qt::BottomDockWidgetArea, m_problemsDock);
    m_problemsDock->hide();
    connect(m_problemsDock, &ProblemsDock::recordChosen, this, [this](int member, int record) {
        if (DocumentWindow *document = activeDocument())
            document->showRecord(member, record);
    });

    createMenus();
    createToolBar();
    createStatusBar();
    createWritesPanel();

    connect(m_monitor.get(), &ConnectionMonitor::stateChanged, this, &MainWindow::refreshConnectionPanel);
    // Queued: the link announces the text before it opens the device the panel also names.
    connect(m_link.get(), &SerialLink::portPanelTextChanged, this, &MainWindow::refreshPortPanel,
            Qt::QueuedConnection);
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, &MainWindow::updateDocumentActions);
    updateDocumentActions();
}

MainWindow::~MainWindow()
{
    // The documents and the transfer window work through the link, the engine
    // and the table, which are gone before the widgets would be deleted.
    m_link->dispatcher().setActiveDocumentLookup({});
    m_link->dispatcher().setWriteQueue(nullptr);
    m_devices.reset();
    disconnect(m_mdiArea, nullptr, this, nullptr);
    // Documents hold on to their configurations, which go before the widgets
    // would: a document closed but not yet deleted is no longer listed.
    qDeleteAll(m_mdiArea->findChildren<QMdiSubWindow *>());
    // The report window paints on the printer, which is gone before the widgets would be deleted.
    delete m_previewWindow;
    delete m_transferWindow;
    m_link->setUi(nullptr);
}

void MainWindow::createMenus()
{
    QMenu *file = menuBar()->addMenu(tr("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    addItem(file, "mnuFileNew", tr("&New - Getting Configuration from System"), &MainWindow::mnuFileNew_Click)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    addItem(file, "mnuFileOpen", tr("&Open..."), &MainWindow::mnuFileOpen_Click)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    m_documentActions.append(addItem(file, "mnuFileClose", tr("&Close"), &MainWindow::mnuFileClose_Click));
    m_documentActions.constLast()->setShortcut(CloseShortcut);
    file->addSeparator();
    m_documentActions.append(addItem(file, "mnuFileSave", tr("&Save"), &MainWindow::mnuFileSave_Click));
    m_documentActions.constLast()->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    m_documentActions.append(addItem(file, "mnuFileSaveAs", tr("Save &As..."), &MainWindow::mnuFileSaveAs_Click));
    addItem(file, "mnuFileSaveAll", tr("Save A&ll"), &MainWindow::mnuFileSaveAll_Click);
    file->addSeparator();
    connect(addItem(file, "mnuFileHistory", tr("&History...")), &QAction::triggered, m_history,
            &HistoryCommands::showHistory);
    m_documentActions.append(addItem(file, "mnuFileCompareWith", tr("Compare &With...")));
    connect(m_documentActions.constLast(), &QAction::triggered, m_history, &HistoryCommands::compareWith);
    file->addSeparator();
    m_documentActions.append(
        addItem(file, "mnuFileConvert", tr("Convert to K7202 configuration..."), &MainWindow::mnuFileConvert_Click));
    file->addSeparator();
    m_mnuFileOnline = addItem(file, "mnuFileOnline", tr("Update Online System"));
    m_mnuFileOnline->setCheckable(true);
    m_mnuFileOnline->setChecked(true);
    m_mnuFileRetryWrites = addItem(file, "mnuFileRetryWrites", tr("Retry Unconfirmed Writes"),
                                   &MainWindow::mnuFileRetryWrites_Click);
    file->addSeparator();
    addItem(file, "mnuFilePrintSetup", tr("Printer Set&up"), &MainWindow::mnuFilePrintSetup_Click);
    m_documentActions.append(
        addItem(file, "mnuFilePrintPreview", tr("Print Pre&view"), &MainWindow::mnuFilePrintPreview_Click));
    m_documentActions.append(addItem(file, "mnuFilePrint", tr("&Print..."), &MainWindow::mnuFilePrint_Click));
    m_documentActions.constLast()->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    m_documentActions.append(
        addItem(file, "mnuFileExportPdf", tr("Export PDF..."), &MainWindow::mnuFileExportPdf_Click));
    file->addSeparator();
    addUnavailableItem(file, "mnuFileSend", tr("Sen&d..."));
    file->addSeparator();
    for (int i = 0; i < SettingsKeys::MruMaxEntries; ++i) {
        QAction *item = file->addAction(QString());
        item->setObjectName(QStringLiteral("mnuFileMRU%1").arg(i + 1));
        item->setVisible(false);
        connect(item, &QAction::triggered, this, [this, i] { mnuFileMRU_Click(i); });
        m_mnuFileMRU[std::size_t(i)] = item;
    }
    m_mruSeparator = file->addSeparator();
    m_mruSeparator->setVisible(false);
    addItem(file, "mnuFileExit", tr("E&xit"), &MainWindow::mnuFileExit_Click)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    QMenu *edit = menuBar()->addMenu(tr("&Edit"));
    edit->setObjectName(QStringLiteral("mnuEdit"));
    m_undoGroup = new QUndoGroup(this);
    QAction *undo = addItem(edit, "mnuEditUndo", tr("&Undo"), &MainWindow::mnuEditUndo_Click);
    undo->setShortcuts(QKeySequence::Undo);
    QAction *redo = addItem(edit, "mnuEditRedo", tr("&Redo"), &MainWindow::mnuEditRedo_Click);
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    const auto showCommand = [](QAction *item, const QString &verb) {
        return [item, verb](const QString &command) {
            // A record's name may hold an ampersand, which a menu would take for a mnemonic.
            QString name = command;
            name.replace(QLatin1Char('&'), QStringLiteral("&&"));
            item->setText(name.isEmpty() ? verb : verb + QLatin1Char(' ') + name);
        };
    };
    connect(m_undoGroup, &QUndoGroup::undoTextChanged, this, showCommand(undo, tr("&Undo")));
    connect(m_undoGroup, &QUndoGroup::redoTextChanged, this, showCommand(redo, tr("&Redo")));
    connect(m_undoGroup, &QUndoGroup::canUndoChanged, undo, &QAction::setEnabled);
    connect(m_undoGroup, &QUndoGroup::canRedoChanged, redo, &QAction::setEnabled);
    undo->setEnabled(false);
    redo->setEnabled(false);
    edit->addSeparator();
    addItem(edit, "mnuEditCut", tr("Cu&t"), &MainWindow::mnuEditCut_Click);
    addItem(edit, "mnuEditCopy", tr("&Copy"), &MainWindow::mnuEditCopy_Click);
    addItem(edit, "mnuEditPaste", tr("&Paste"), &MainWindow::mnuEditPaste_Click);
    addUnavailableItem(edit, "mnuEditPasteSpecial", tr("Paste &Special..."));

    QMenu *system = menuBar()->addMenu(tr("&System"));
    system->setObjectName(QStringLiteral("mnuSystem"));
    DeviceWindows *devices = m_devices.get();
    connect(addItem(system, "mnuFileBuildFactory", tr("Build &Factory Configuration")), &QAction::triggered, devices,
            &DeviceWindows::mnuFileBuildFactory_Click);
    addItem(system, "mnuGetConfig", tr("&Get Configuration"), &MainWindow::mnuGetConfig_Click);
    system->addSeparator();
    connect(addItem(system, "mnuFileReset", tr("&Reset System")), &QAction::triggered, devices,
            &DeviceWindows::mnuFileReset_Click);
    connect(addItem(system, "mnuShowTime", tr("Set System &Time")), &QAction::triggered, devices,
            &DeviceWindows::mnuShowTime_Click);
    system->addSeparator();
    m_documentActions.append(
        addItem(system, "mnuSendConfig", tr("&Send Configuration"), &MainWindow::mnuSendConfig_Click));
    m_documentActions.append(
        addItem(system, "mnuSendChanges", tr("Send C&hanges"), &MainWindow::mnuSendChanges_Click));
    m_documentActions.append(addItem(system, "mnuCompareWithExchange", tr("&Compare With Exchange"),
                                     &MainWindow::mnuCompareWithExchange_Click));

    QMenu *advanced = menuBar()->addMenu(tr("&Advanced"));
    advanced->setObjectName(QStringLiteral("mnuAdvanced"));
    connect(addItem(advanced, "mnuBoards", tr("Get Board &Serial Info")), &QAction::triggered, devices,
            &DeviceWindows::mnuBoards_Click);
    connect(addItem(advanced, "mnuAdvExt", tr("Change &Extension Parameters")), &QAction::triggered, devices,
            &DeviceWindows::mnuAdvExt_Click);
    connect(addItem(advanced, "mnuAdvTie", tr("Change &Tie Line Parameters")), &QAction::triggered, devices,
            &DeviceWindows::mnuAdvTie_Click);
    m_mnuAdvLR = addItem(advanced, "mnuAdvLR", tr("Line Reversal"));
    m_mnuAdvLR->setCheckable(true);
    connect(m_mnuAdvLR, &QAction::triggered, this, &MainWindow::mnuAdvLR_Click);

    QMenu *view = menuBar()->addMenu(tr("&View"));
    view->setObjectName(QStringLiteral("mnuView"));
    m_mnuViewToolbar = addItem(view, "mnuViewToolbar", tr("&Toolbar"));
    m_mnuViewToolbar->setCheckable(true);
    m_mnuViewToolbar->setChecked(true);
    connect(m_mnuViewToolbar, &QAction::triggered, this, &MainWindow::mnuViewToolbar_Click);
    m_mnuViewStatusBar = addItem(view, "mnuViewStatusBar", tr("Status &Bar"));
    m_mnuViewStatusBar->setCheckable(true);
    m_mnuViewStatusBar->setChecked(true);
    connect(m_mnuViewStatusBar, &QAction::triggered, this, &MainWindow::mnuViewStatusBar_Click);
    view->addAction(m_problemsDock->toggleViewAction());
    view->addSeparator();
    m_documentActions.append(addItem(view, "mnuViewRefresh", tr("&Refresh"), &MainWindow::mnuViewRefresh_Click));
    m_documentActions.constLast()->setShortcut(QKeySequence(Qt::Key_F5));
    addItem(view, "mnuViewOptions", tr("&Options..."), &MainWindow::mnuViewOptions_Click);
    view->addSeparator();
    addItem(view, "mnuDebug", tr("Debug Screen"), &MainWindow::mnuDebug_Click);

    QMenu *window = menuBar()->addMenu(tr("&Window"));
    window->setObjectName(QStringLiteral("mnuWindow"));
    addItem(window, "mnuWindowNewWindow", tr("&New Window"), &MainWindow::mnuWindowNewWindow_Click);
    window->addSeparator();
    addItem(window, "mnuWindowCascade", tr("&Cascade"), &MainWindow::mnuWindowCascade_Click);
    addItem(window, "mnuWindowTileHorizontal", tr("Tile &Horizontal"), &MainWindow::mnuWindowTileHorizontal_Click);
    addItem(window, "mnuWindowTileVertical", tr("Tile &Vertical"), &MainWindow::mnuWindowTileVertical_Click);
    addItem(window, "mnuWindowArrangeIcons", tr("&Arrange Icons"), &MainWindow::mnuWindowArrangeIcons_Click);
    m_mnuWindow = window;
    m_windowListSeparator = window->addSeparator();
    connect(window, &QMenu::aboutToShow, this, &MainWindow::refreshWindowList);

    QMenu *help = menuBar()->addMenu(tr("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    addItem(help, "mnuHelpContents", tr("&Contents"), &MainWindow::mnuHelpContents_Click)
        ->setShortcut(QKeySequence(Qt::Key_F1));
    addItem(help, "mnuHelpSearchForHelpOn", tr("&Search For Help On..."), &MainWindow::mnuHelpSearchForHelpOn_Click);
    help->addSeparator();
    addItem(help, "mnuHelpAbout", tr("&About "), &MainWindow::mnuHelpAbout_Click);
}

QAction *MainWindow::addItem(QMenu *menu, const char *name, const QString &caption, void (MainWindow::*handler)())
{
    QAction *item = menu->addAction(caption);
    item->setObjectName(QString::fromLatin1(name));
    if (handler)
        connect(item, &QAction::triggered, this, handler);
    return item;
}

void MainWindow::addUnavailableItem(QMenu *menu, const char *name, const QString &caption)
{
    addItem(menu, name, caption)->setEnabled(false);
}

void MainWindow::createToolBar()
{
    m_toolBar = addToolBar(tr("Toolbar"));
    m_toolBar->setObjectName(QStringLiteral("tbToolBar"));
    m_toolBar->setMovable(false);
    const QStyle *look = style();
    addButton(QStringLiteral("New"), look->standardIcon(QStyle::SP_FileIcon), tr("New"), &MainWindow::mnuFileNew_Click);
    addButton(QStringLiteral("Open"), look->standardIcon(QStyle::SP_DialogOpenButton), tr("Open"),
              &MainWindow::mnuFileOpen_Click);
    m_documentActions.append(addButton(QStringLiteral("Save"), look->standardIcon(QStyle::SP_DialogSaveButton),
                                       tr("Save"), &MainWindow::mnuFileSave_Click));
    m_toolBar->addSeparator();
    m_documentActions.append(
        addButton(QStringLiteral("Print"), DrawnIcons::print(), tr("Print"), &MainWindow::mnuFilePrint_Click));
    m_toolBar->addSeparator();
    addButton(QStringLiteral("Cut"), DrawnIcons::cut(), tr("Cut"), &MainWindow::mnuEditCut_Click);
    addButton(QStringLiteral("Copy"), DrawnIcons::copy(), tr("Copy"), &MainWindow::mnuEditCopy_Click);
    addButton(QStringLiteral("Paste"), DrawnIcons::paste(), tr("Paste"), &MainWindow::mnuEditPaste_Click);
    m_toolBar->addSeparator();
    m_documentActions.append(addButton(QStringLiteral("UpdateSys"), DrawnIcons::updateSystem(),
                                       tr("Update System"), &MainWindow::tbrUpdateSys_Click));
    m_documentActions.append(addButton(QStringLiteral("CopyRec"), DrawnIcons::copyRecord(), tr("Copy Record"),
                                       &MainWindow::tbrCopyRec_Click));
}

QAction *MainWindow::addButton(const QString &key, const QIcon &icon, const QString &toolTip,
                               void (MainWindow::*handler)())
{
    QAction *button = m_toolBar->addAction(icon, toolTip);
    button->setObjectName(key);
    button->setData(key);
    button->setToolTip(toolTip);
    if (handler)
        connect(button, &QAction::triggered, this, handler);
    return button;
}

void MainWindow::createStatusBar()
{
    m_nodeKeyPanel = makePanel(QStringLiteral("pnlNodeKey"), this);
    m_portPanel = makePanel(QStringLiteral("pnlPort"), this);
    m_connectionPanel = makePanel(QStringLiteral("pnlConnection"), this);
    m_connectionPanel->setAlignment(Qt::AlignCenter);
    int widest = 0;
    for (const QString &text : ConnectionMonitor::panelTexts())
        widest = qMax(widest, m_connectionPanel->fontMetrics().horizontalAdvance(text));
    m_connectionPanel->setMinimumWidth(widest + m_connectionPanel->fontMetrics().averageCharWidth() * 2);
    statusBar()->addWidget(m_nodeKeyPanel, 1);
    statusBar()->addPermanentWidget(m_problemsDock->countButton());
    statusBar()->addPermanentWidget(m_portPanel);
    statusBar()->addPermanentWidget(m_connectionPanel);
    refreshPortPanel();
    refreshConnectionPanel();
}

void MainWindow::createWritesPanel()
{
    m_writesPanel = makePanel(QStringLiteral("pnlWrites"), this);
    m_retryWritesButton = new QToolButton(this);
    m_retryWritesButton->setObjectName(QStringLiteral("cmdRetryWrites"));
    m_retryWritesButton->setText(tr("Retry"));
    m_retryWritesButton->setAutoRaise(true);
    statusBar()->addWidget(m_writesPanel);
    statusBar()->addWidget(m_retryWritesButton);
    connect(m_retryWritesButton, &QToolButton::clicked, this, &MainWindow::mnuFileRetryWrites_Click);
    connect(m_writes.get(), &RecordWriteQueue::stateChanged, this, &MainWindow::refreshWritesPanel);
    connect(m_writes.get(), &RecordWriteQueue::echoMismatch, this, &MainWindow::reportEchoMismatch);
    refreshWritesPanel();
}

void MainWindow::reportEchoMismatch(const ExchClass *config, int member, int index)
{
    const QString text = EchoMismatchText.arg(RecordLabel::record(*config, member, index));
    // Told once the reply has been dealt with, not from inside the line's input.
    QMetaObject::invokeMethod(
        this, [this, text] { m_messages.show(this, QMessageBox::Warning, QString(), text); }, Qt::QueuedConnection);
}

void MainWindow::refreshWritesPanel()
{
    const int waiting = m_writes->count(RecordWriteQueue::State::Waiting);
    const int failed = m_writes->count(RecordWriteQueue::State::Failed);
    QStringList parts;
    if (waiting > 0)
        parts.append(WaitingText.arg(changes(waiting)));
    if (failed > 0)
        parts.append(NotConfirmedText.arg(changes(failed)));
    m_writesPanel->setText(parts.join(QStringLiteral("; ")));
    m_writesPanel->setVisible(!parts.isEmpty());
    m_retryWritesButton->setVisible(failed > 0);
    m_mnuFileRetryWrites->setEnabled(failed > 0);
}

void MainWindow::setPortOverride(const QString &portOrDevice)
{
    m_portOverride = portOrDevice;
    m_link->setPortOverride(portOrDevice);
}

void MainWindow::load(const QString &commandLinePath)
{
    m_placement->restore(*this);
    BuildMRU();
    m_link->SelectSerialPort();
    m_link->ClearInput();
    refreshPortPanel();
    refreshConnectionPanel();
    if (!commandLinePath.isEmpty())
        openPath(commandLinePath, OpenSource::CommandLine);
}

int MainWindow::NewSlot()
{
    return m_configurations.NewSlot();
}

DocumentWindow *MainWindow::LoadNewDoc()
{
    ++m_documentCounter;
    auto *document = new DocumentWindow(*this);
    document->setCaption(QStringLiteral("%1 %2").arg(DocumentWindow::DocumentCaptionPrefix).arg(m_documentCounter));
    QMdiSubWindow *window = m_mdiArea->addSubWindow(document);
    window->setWindowIcon(DrawnIcons::document());
    // The window's own menu would close it on Ctrl+W too; File → Close commits the edit on screen first.
    for (QAction *item : window->systemMenu()->actions()) {
        QList<QKeySequence> keys = item->shortcuts();
        if (keys.removeAll(CloseShortcut) > 0)
            item->setShortcuts(keys);
    }
    m_undoGroup->addStack(&document->undoStack());
    window->show();
    m_mdiArea->setActiveSubWindow(window);
    updateDocumentActions();
    return document;
}

void MainWindow::BuildMRU()
{
    for (QAction *item : m_mnuFileMRU) {
        item->setVisible(false);
        item->setData(QString());
    }
    const QList<RecentFiles::Item> items = m_recentFiles.BuildMRU();
    for (const RecentFiles::Item &entry : items) {
        QAction *item = m_mnuFileMRU[std::size_t(entry.number - 1)];
        // Behind the accelerator the path is shown as it is, ampersands included.
        const qsizetype acceleratorLength = entry.caption.size() - entry.path.size();
        item->setText(entry.caption.left(acceleratorLength)
                      + QString(entry.path).replace(QLatin1Char('&'), QStringLiteral("&&")));
        item->setData(entry.path);
        item->setVisible(true);
    }
    m_mruSeparator->setVisible(!items.isEmpty());
}

void MainWindow::CheckMRU(const QString &path)
{
    m_recentFiles.CheckMRU(path);
    BuildMRU();
}

DocumentWindow *MainWindow::committedActiveDocument() const
{
    DocumentWindow *document = activeDocument();
    return document && document->commitEdits() ? document : nullptr;
}

DocumentWindow *MainWindow::activeDocument() const
{
    // The current window stays current while another application has the focus.
    const QMdiSubWindow *window = m_mdiArea->currentSubWindow();
    return window ? qobject_cast<DocumentWindow *>(window->widget()) : nullptr;
}

void MainWindow::setDriveProvider(std::unique_ptr<DriveProvider> drives)
{
    m_drives = std::move(drives);
}

QList<DocumentWindow *> MainWindow::documents() const
{
    QList<DocumentWindow *> result;
    for (const QMdiSubWindow *window : m_mdiArea->subWindowList()) {
        if (auto *document = qobject_cast<DocumentWindow *>(window->widget()))
            result.append(document);
    }
    return result;
}

ExchClass &MainWindow::configuration(int exNum)
{
    return m_configurations.at(exNum);
}

bool MainWindow::updateOnlineSystem() const
{
    return m_mnuFileOnline->isChecked();
}

void MainWindow::showSelection(const QString &text)
{
    m_nodeKeyPanel->setText(text);
}

bool MainWindow::writeRecord(ExchClass &config, int member, int index)
{
    return mayWriteOnline(config) && m_writes->writeRecord(config, member, index);
}

bool MainWindow::mayWriteOnline(const ExchClass &config)
{
    if (m_liveConfigurations.contains(&config))
        return true;
    if (m_offlineConfigurations.contains(&config))
        return false;
    QString documentName = NoDocumentName;
    for (const DocumentWindow *document : documents()) {
        if (&configuration(document->ExNum()) == &config)
            documentName = document->caption();
    }
    const QString exchange = m_exchangeSystemName ? quoted(*m_exchangeSystemName)
                                                  : NotReadExchangeText.arg(portName());
    const QString question = WriteFileQuestion.arg(documentName, quoted(systemName(config)), exchange);
    const bool agreed = m_messages.show(this, QMessageBox::Question, UpdateOnlineTitle, question,
                                        QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        == QMessageBox::Yes;
    (agreed ? m_liveConfigurations : m_offlineConfigurations).insert(&config);
    return agreed;
}

void MainWindow::noteTransferOutcome(TransferObserver::Outcome outcome)
{
    if (outcome != TransferObserver::Outcome::Completed || !m_transferDocument)
        return;
    // Read from the exchange or just written to it: the document and the exchange agree.
    const ExchClass &config = configuration(m_transferDocument->ExNum());
    m_liveConfigurations.insert(&config);
    m_offlineConfigurations.remove(&config);
    m_exchangeSystemName = systemName(config);
}

QString MainWindow::portName() const
{
    return m_link->portPanelText().section(PortPanelSeparator, 0, 0);
}

void MainWindow::showMessage(const QString &text)
{
    m_messages.show(this, QMessageBox::NoIcon, QString(), text);
}

bool MainWindow::choosePort()
{
    OptionsDialog dialog(*m_link, m_registry, m_messages, m_portOverride, this);
    return dialog.exec() == QDialog::Accepted;
}

void MainWindow::beep()
{
    QApplication::beep();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (!closeDocuments()) {
        event->ignore();
        return;
    }
    m_placement->save(*this);
    m_transferWindow->close();
    if (m_previewWindow)
        m_previewWindow->close();
    m_devices->closeAll();
    if (m_debugWindow)
        m_debugWindow->close();
    if (m_helpWindow)
        m_helpWindow->close();
    QMainWindow::closeEvent(event);
}

bool MainWindow::closeDocuments()
{
    for (DocumentWindow *document : documents()) {
        if (!document->commitEdits()) {
            m_mdiArea->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(document->parentWidget()));
            return false;
        }
    }
    // Each document asks about its unsaved changes; the first one kept open ends the exit there.
    for (QMdiSubWindow *window : m_mdiArea->subWindowList()) {
        if (!window->close())
            return false;
    }
    return true;
}

void MainWindow::openPath(const QString &given, OpenSource source)
{
    // The caption and the recently used list must name the file from any working folder.
    const QString path = QFileInfo(given).absoluteFilePath();
    DocumentWindow *document = LoadNewDoc();
    document->setExNum(NewSlot());
    document->setTag(FileTagPrefix + path);
    const bool loaded = document->LoadFile(path);
    if (loaded) {
        document->setCaption(path);
        document->GetConfiguration();
        document->markUnmodified();
        m_history->fileOpened(configuration(document->ExNum()), path);
    } else {
        // Nothing was loaded into it, so closing it has nothing to ask about.
        delete document->parentWidget();
    }
    if (loaded || source != OpenSource::RecentList)
        CheckMRU(path);
}

void MainWindow::startTransfer(TransferEngine::Mode mode, DocumentWindow *document, const QList<RecordRef> &records)
{
    m_transferDocument = document;
    // What the exchange sends is no edit of the engineer's, one record at a time.
    document->beginStep(TransferStep);
    m_writes->setHeld(true);
    m_transferWindow->start(mode, &configuration(document->ExNum()), records);
}

void MainWindow::transferFinished(TransferObserver::Outcome outcome)
{
    DocumentWindow *document = m_transferDocument;
    m_transferDocument.clear();
    m_writes->setHeld(false);
    const bool completed = outcome == TransferObserver::Outcome::Completed;
    if (completed) {
        m_history->keep(*m_engine->configuration(), m_engine->mode() == TransferEngine::Mode::Get
                                                        ? HistoryEntry::Kind::Get
                                                        : HistoryEntry::Kind::Send);
    }
    if (m_history->finishExchangeRead(completed) || !document)
        return;
    document->endStep();
    if (completed) {
        document->GetConfiguration();
        if (m_engine->mode() == TransferEngine::Mode::Get)
            document->markUnmodified();
    } else if (m_engine->mode() == TransferEngine::Mode::Get) {
        // The window was opened for this get and holds nothing the engineer made.
        delete document->parentWidget();
    }
}

bool MainWindow::lineFreeFor(const QString &title, const QString &refusal)
{
    if (m_link->noConnection()) {
        m_messages.show(this, QMessageBox::Warning, title, refusal);
        return false;
    }
    return !transferInProgress();
}

void MainWindow::getConfiguration(const QString &refusal)
{
    if (!lineFreeFor(GetConfigurationTitle, refusal))
        return;
    const int exNum = NewSlot();
    DocumentWindow *document = LoadNewDoc();
    document->setExNum(exNum);
    startTransfer(TransferEngine::Mode::Get, document);
}

bool MainWindow::transferInProgress()
{
    if (!m_engine->transferRunning())
        return false;
    m_transferWindow->raise();
    m_transferWindow->activateWindow();
    return true;
}

bool MainWindow::saveDocumentAs(DocumentWindow *document, const QString &path)
{
    // A failed save leaves the document under its old name.
    const QString previousCaption = document->caption();
    document->setCaption(path);
    if (!document->SaveFile(path)) {
        document->setCaption(previousCaption);
        return false;
    }
    CheckMRU(path);
    return true;
}

void MainWindow::refreshPortPanel()
{
    QString text = m_link->portPanelText();
    const QString device = m_link->port().deviceName();
    if (!text.isEmpty() && !device.isEmpty() && !text.contains(device))
        text += QStringLiteral(" (%1)").arg(device);
    m_portPanel->setText(text);
}

void MainWindow::refreshConnectionPanel()
{
    m_connectionPanel->setText(m_monitor->panelText());
}

void MainWindow::refreshWindowList()
{
    // Later: the item clicked is still being triggered when its activation rebuilds the list.
    for (QAction *item : std::exchange(m_windowListItems, {})) {
        m_mnuWindow->removeAction(item);
        item->setParent(nullptr);
        item->deleteLater();
    }
    const QMdiSubWindow *active = m_mdiArea->currentSubWindow();
    int number = 0;
    for (QMdiSubWindow *window : m_mdiArea->subWindowList()) {
        const auto *document = qobject_cast<DocumentWindow *>(window->widget());
        if (!document)
            continue;
        ++number;
        const QString accelerator = number < 10 ? QStringLiteral("&%1 ").arg(number) : QString();
        const QString caption = QString(document->caption()).replace(QLatin1Char('&'), QStringLiteral("&&"));
        auto *item = new QAction(accelerator + caption, m_mnuWindow);
        item->setObjectName(QStringLiteral("mnuWindowDocument%1").arg(number));
        item->setCheckable(true);
        item->setChecked(window == active);
        connect(item, &QAction::triggered, this, [this, target = QPointer<QMdiSubWindow>(window)] {
            if (target)
                m_mdiArea->setActiveSubWindow(target);
        });
        m_mnuWindow->addAction(item);
        m_windowListItems.append(item);
    }
    m_windowListSeparator->setVisible(number > 0);
}

void MainWindow::updateDocumentActions()
{
    refreshWindowList();
    // A document that closed took its writes with it.
    refreshWritesPanel();
    DocumentWindow *document = activeDocument();
    showSelection(document ? document->selection() : QString());
    m_undoGroup->setActiveStack(document ? &document->undoStack() : nullptr);
    m_problemsDock->refresh();
    const bool hasDocument = document != nullptr;
    for (QAction *action : std::as_const(m_documentActions))
        action->setEnabled(hasDocument);
}

void MainWindow::mnuFileNew_Click()
{
    getConfiguration(NotGettingText + LineBreak + NoOrvexText);
}

void MainWindow::mnuFileOpen_Click()
{
    const QString path = m_fileDialogs.getOpenFileName(this, OpenTitle, FileFilter);
    if (!path.isEmpty())
        openPath(path, OpenSource::FileMenu);
}

void MainWindow::mnuFileClose_Click()
{
    if (DocumentWindow *document = committedActiveDocument())
        document->parentWidget()->close();
}

void MainWindow::mnuFileSave_Click()
{
    DocumentWindow *document = committedActiveDocument();
    if (!document)
        return;
    if (!document->isUntitled()) {
        document->SaveFile(document->caption());
        return;
    }
    const QString path = m_fileDialogs.getSaveFileName(this, SaveTitle, FileFilter);
    if (!path.isEmpty())
        saveDocumentAs(document, path);
}

void MainWindow::mnuFileSaveAs_Click()
{
    DocumentWindow *document = committedActiveDocument();
    if (!document)
        return;
    const QString path = m_fileDialogs.getSaveFileName(this, SaveAsTitle, FileFilter);
    if (!path.isEmpty())
        saveDocumentAs(document, path);
}

void MainWindow::mnuFileSaveAll_Click()
{
    QList<DocumentWindow *> loadedFromFiles = documents();
    loadedFromFiles.removeIf([](const DocumentWindow *document) { return !document->tag().startsWith(FileTagPrefix); });
    // A value refused on any screen stops Save All before anything is written.
    for (DocumentWindow *document : std::as_const(loadedFromFiles)) {
        if (!document->commitEdits())
            return;
    }
    for (DocumentWindow *document : std::as_const(loadedFromFiles)) {
        if (!document->isUntitled()) {
            document->SaveFile(document->caption());
            continue;
        }
        const QString path = m_fileDialogs.getSaveFileName(this, SaveTitle, FileFilter);
        if (path.isEmpty())
            return;
        saveDocumentAs(document, path);
    }
}

void MainWindow::mnuFilePrintSetup_Click()
{
    m_printService->PrintDialog(this, PrintService::Dialog::Setup);
}

void MainWindow::mnuFilePrintPreview_Click()
{
    DocumentWindow *document = committedActiveDocument();
    if (!document)
        return;
    // The report is built when the window loads: one for the document now active.
    if (m_previewWindow)
        m_previewWindow->close();
    m_previewWindow = new PreviewWindow(configuration(document->ExNum()), document->caption(),
                                        {m_registry, *m_printService, m_messages, m_fileDialogs}, this);
    m_previewWindow->setAttribute(Qt::WA_DeleteOnClose);
    m_previewWindow->load();
}

void MainWindow::mnuFilePrint_Click()
{
    DocumentWindow *document = committedActiveDocument();
    if (!document || !m_printService->PrintDialog(this, PrintService::Dialog::Print))
        return;
    ReportJob(configuration(document->ExNum()), document->caption(), m_registry)
        .print(*m_printService, false, this, m_messages);
}

void MainWindow::mnuFileExportPdf_Click()
{
    if (DocumentWindow *document = committedActiveDocument()) {
        ReportJob(configuration(document->ExNum()), document->caption(), m_registry)
            .exportPdf(false, this, m_fileDialogs, m_messages);
    }
}

PreviewWindow *MainWindow::previewWindow() const
{
    return m_previewWindow;
}

void MainWindow::openAclGenerator(int exNum, int aclIndex)
{
    QList<DocumentWindow *> editing;
    for (DocumentWindow *document : documents()) {
        if (document->ExNum() == exNum)
            editing.append(document);
    }
    for (DocumentWindow *document : std::as_const(editing))
        document->beginStep(GenerateAclsStep);
    AclGeneratorWindow generator(configuration(exNum), aclIndex, *this, m_messages, RandomSource::system(), this);
    generator.exec();
    // The tree lists the generated ACLs.
    for (DocumentWindow *document : std::as_const(editing)) {
        document->endStep();
        document->GetConfiguration();
    }
}

void MainWindow::mnuFileConvert_Click()
{
    DocumentWindow *document = committedActiveDocument();
    if (!document
        || !SendGuard::confirm(this, m_messages, configuration(document->ExNum()), document->caption(), ConvertTitle,
                               ConvertAnywayButton))
        return;
    const QString path = m_fileDialogs.getSaveFileName(this, SaveAsTitle, ConvertFilter);
    if (path.isEmpty())
        return;
    ConfigurationConverter converter(configuration(document->ExNum()));
    document->beginStep(CleanNamesStep);
    const bool converted = converter.ConvertFile(path);
    document->endStep();
    // The cleaned names now belong to the document; its tree shows them.
    if (converter.namesChanged())
        document->GetConfiguration();
    if (!converted) {
        m_messages.show(this, QMessageBox::Warning, QString(), converter.errorString());
        return;
    }
    if (!m_drives)
        m_drives = std::make_unique<LinuxDriveProvider>();
    MessageBoxPrompts prompts(m_messages, this);
    CardTransfer(*m_drives).run(path, prompts);
}

void MainWindow::mnuFileMRU_Click(int index)
{
    const QString path = m_mnuFileMRU[std::size_t(index)]->data().toString();
    if (!path.isEmpty())
        openPath(path, OpenSource::RecentList);
}

void MainWindow::mnuFileRetryWrites_Click()
{
    m_writes->retryFailed();
}

void MainWindow::mnuFileExit_Click()
{
    close();
}

void MainWindow::mnuEditUndo_Click()
{
    if (DocumentWindow *document = activeDocument())
        document->undo();
}

void MainWindow::mnuEditRedo_Click()
{
    if (DocumentWindow *document = activeDocument())
        document->redo();
}

void MainWindow::mnuEditCut_Click()
{
    applyToFocusedText(ClipboardCommand::Cut);
}

void MainWindow::mnuEditCopy_Click()
{
    applyToFocusedText(ClipboardCommand::Copy);
}

void MainWindow::mnuEditPaste_Click()
{
    applyToFocusedText(ClipboardCommand::Paste);
}

void MainWindow::mnuGetConfig_Click()
{
    getConfiguration(NoOrvexText + LineBreak + NotGettingText);
}

void MainWindow::mnuSendConfig_Click()
{
    DocumentWindow *document = committedActiveDocument();
    if (!document)
        return;
    if (!lineFreeFor(GetConfigurationTitle, NoOrvexText + LineBreak + NotSendingText))
        return;
    // A window opened empty would write blank tables over the exchange's.
    if (holdsNoStructures(configuration(document->ExNum()))) {
        m_messages.show(this, QMessageBox::Warning, QString(), NothingToSendText);
        return;
    }
    if (!SendGuard::confirm(this, m_messages, configuration(document->ExNum()), document->caption(),
                            SendConfigurationTitle, SendAnywayButton)
        || !confirmSend(*document))
        return;
    startTransfer(TransferEngine::Mode::Send, document);
}

void MainWindow::mnuSendChanges_Click()
{
    DocumentWindow *document = committedActiveDocument();
    if (!document)
        return;
    if (!lineFreeFor(SendChangesCommand::Title, NoOrvexText + LineBreak + NotSendingChangesText))
        return;
    const QList<RecordRef> records = m_sendChanges->confirm(*document, exchangeText());
    if (!records.isEmpty())
        startTransfer(TransferEngine::Mode::SendChanges, document, records);
}

void MainWindow::mnuCompareWithExchange_Click()
{
    DocumentWindow *document = committedActiveDocument();
    if (!document)
        return;
    if (!lineFreeFor(CompareWithExchangeTitle, NoOrvexText + LineBreak + NotComparingText))
        return;
    // The exchange is read into a configuration of its own: the document stays as it is.
    m_writes->setHeld(true);
    m_transferWindow->start(TransferEngine::Mode::Get, m_history->startExchangeRead(*document));
}

QString MainWindow::exchangeText() const
{
    return m_exchangeSystemName ? SendExchangeText.arg(portName(), quoted(*m_exchangeSystemName))
                                : NotReadExchangeText.arg(portName());
}

bool MainWindow::confirmSend(const DocumentWindow &document)
{
    const QString question = SendQuestion.arg(document.caption(), exchangeText(),
                                              SendSummary::recordsToWrite(configuration(document.ExNum())));
    return m_messages.show(this, QMessageBox::Warning, SendConfigurationTitle, question,
                           QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        == QMessageBox::Yes;
}

void MainWindow::mnuAdvLR_Click(bool checked)
{
    m_link->setRts(checked);
}

void MainWindow::mnuViewToolbar_Click(bool checked)
{
    m_toolBar->setVisible(checked);
}

void MainWindow::mnuViewStatusBar_Click(bool checked)
{
    statusBar()->setVisible(checked);
}

void MainWindow::mnuViewRefresh_Click()
{
    if (DocumentWindow *document = committedActiveDocument())
        document->GetConfiguration();
}

void MainWindow::mnuViewOptions_Click()
{
    OptionsDialog dialog(*m_link, m_registry, m_messages, m_portOverride, this);
    dialog.exec();
    refreshPortPanel();
    if (DocumentWindow *document = activeDocument())
        document->GetConfiguration();
}

void MainWindow::mnuDebug_Click()
{
    if (!m_debugWindow)
        m_debugWindow = new DebugWindow(m_log, this);
    m_debugWindow->show();
    m_debugWindow->raise();
    m_debugWindow->activateWindow();
}

void MainWindow::mnuWindowNewWindow_Click()
{
    LoadNewDoc();
}

void MainWindow::mnuWindowCascade_Click()
{
    m_mdiArea->cascadeSubWindows();
}

void MainWindow::mnuWindowTileHorizontal_Click()
{
    DocumentArranger::tile(*m_mdiArea, DocumentArranger::Tiling::Horizontal);
}

void MainWindow::mnuWindowTileVertical_Click()
{
    DocumentArranger::tile(*m_mdiArea, DocumentArranger::Tiling::Vertical);
}

void MainWindow::mnuWindowArrangeIcons_Click()
{
    DocumentArranger::arrangeIcons(*m_mdiArea);
}

void MainWindow::mnuHelpContents_Click()
{
    if (!m_helpWindow)
        m_helpWindow = new HelpWindow(this);
    m_helpWindow->showContents();
}

void MainWindow::mnuHelpSearchForHelpOn_Click()
{
    if (!m_helpWindow)
        m_helpWindow = new HelpWindow(this);
    m_helpWindow->showSearch();
}

void MainWindow::mnuHelpAbout_Click()
{
    AboutWindow about(m_messages, this);
    about.exec();
}

void MainWindow::tbrUpdateSys_Click()
{
    if (DocumentWindow *document = activeDocument())
        document->saveRecord();
}

void MainWindow::tbrCopyRec_Click()
{
    if (DocumentWindow *document = activeDocument())
        document->CopyRecord();
}
