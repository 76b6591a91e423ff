#include "app/MainWindow.h"

#include "app/CsvCommands.h"
#include "app/DocumentOutputCommands.h"
#include "app/DrawnIcons.h"
#include "app/ExchangeCommands.h"
#include "app/FocusedText.h"
#include "app/OptionsDialog.h"
#include "app/ProblemsDock.h"
#include "app/RecentFilesMenu.h"
#include "app/StatusPanels.h"
#include "app/WindowMenu.h"
#include "core/DebugLog.h"
#include "core/ProductInfo.h"
#include "device/widgets/DeviceWindows.h"
#include "editor/widgets/DocumentWindow.h"
#include "export/DriveProvider.h"
#include "export/RandomSource.h"
#include "export/widgets/AclGeneratorWindow.h"
#include "export/widgets/PreviewWindow.h"
#include "export/widgets/PrintService.h"
#include "history/SystemClock.h"
#include "history/widgets/HistoryCommands.h"
#include "link/ConnectionMonitor.h"
#include "link/RecordWriteQueue.h"
#include "link/SerialLink.h"
#include "model/ExchClass.h"
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
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QUndoGroup>
#include <QUndoStack>

#include <utility>

namespace {
const QString OpenTitle = QStringLiteral("Open");
const QString SaveTitle = QStringLiteral("Save");
const QString SaveAsTitle = QStringLiteral("Save As");
const QString GenerateAclsStep = QStringLiteral("Generate ACLs");
const QKeySequence CloseShortcut(Qt::CTRL | Qt::Key_W);
// The tag of a document window loaded from a file: ":" + path.
const QString FileTagPrefix = QStringLiteral(":");

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
    m_history =
        new HistoryCommands({m_registry, m_messages, m_fileDialogs, SystemClock::shared(), FileFilter,
                             [this] { return committedActiveDocument(); }, [this] { return newConfigurationWindow(); }},
                            HistoryStore::defaultRoot(), this);
    m_output = std::make_unique<DocumentOutputCommands>(
        DocumentOutputCommands::Services{m_registry, m_messages, m_fileDialogs}, this);
    m_exchange = std::make_unique<ExchangeCommands>(
        ExchangeCommands::Services{m_messages, *m_link, *m_engine, *m_writes, *m_transferWindow, *m_history,
                                   m_configurations, [this] { return documents(); },
                                   [this] { return newConfigurationWindow(); }},
        this);
    m_csv = std::make_unique<CsvCommands>(
        CsvCommands::Services{m_messages, m_fileDialogs, *this, [this] { return updateOnlineSystem(); }}, this);
    m_devices =
        std::make_unique<DeviceWindows>(DeviceWindows::Services{m_messages, m_timers, m_log, {}}, *m_link, this);

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
    m_output.reset();
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
    m_mnuFileRetryWrites =
        addItem(file, "mnuFileRetryWrites", tr("Retry Unconfirmed Writes"), &MainWindow::mnuFileRetryWrites_Click);
    file->addSeparator();
    addItem(file, "mnuFilePrintSetup", tr("Printer Set&up"), &MainWindow::mnuFilePrintSetup_Click);
    m_documentActions.append(
        addItem(file, "mnuFilePrintPreview", tr("Print Pre&view"), &MainWindow::mnuFilePrintPreview_Click));
    m_documentActions.append(addItem(file, "mnuFilePrint", tr("&Print..."), &MainWindow::mnuFilePrint_Click));
    m_documentActions.constLast()->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    m_documentActions.append(
        addItem(file, "mnuFileExportPdf", tr("Export PDF..."), &MainWindow::mnuFileExportPdf_Click));
    file->addSeparator();
    m_documentActions.append(
        addItem(file, "mnuFileExportCsv", tr("Expor&t CSV..."), &MainWindow::mnuFileExportCsv_Click));
    m_documentActions.append(
        addItem(file, "mnuFileImportCsv", tr("&Import CSV..."), &MainWindow::mnuFileImportCsv_Click));
    file->addSeparator();
    addUnavailableItem(file, "mnuFileSend", tr("Sen&d..."));
    file->addSeparator();
    m_recentFilesMenu = new RecentFilesMenu(m_recentFiles, *file);
    connect(m_recentFilesMenu, &RecentFilesMenu::chosen, this,
            [this](const QString &path) { openPath(path, OpenSource::RecentList); });
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
    addItem(edit, "mnuEditCut", tr("Cu&t"), &FocusedText::cut);
    addItem(edit, "mnuEditCopy", tr("&Copy"), &FocusedText::copy);
    addItem(edit, "mnuEditPaste", tr("&Paste"), &FocusedText::paste);
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
    m_documentActions.append(addItem(system, "mnuSendChanges", tr("Send C&hanges"), &MainWindow::mnuSendChanges_Click));
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
    m_windowMenu = new WindowMenu(*window, *m_mdiArea, [this] { LoadNewDoc(); });

    QMenu *help = menuBar()->addMenu(tr("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    addItem(help, "mnuHelpContents", tr("&Contents"), &MainWindow::mnuHelpContents_Click)
        ->setShortcut(QKeySequence(Qt::Key_F1));
    addItem(help, "mnuHelpSearchForHelpOn", tr("&Search For Help On..."), &MainWindow::mnuHelpSearchForHelpOn_Click);
    help->addSeparator();
    addItem(help, "mnuHelpAbout", tr("&About "), &MainWindow::mnuHelpAbout_Click);
}

QAction *MainWindow::addItem(QMenu *menu, const char *name, const QString &caption)
{
    QAction *item = menu->addAction(caption);
    item->setObjectName(QString::fromLatin1(name));
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
    addButton(QStringLiteral("Cut"), DrawnIcons::cut(), tr("Cut"), &FocusedText::cut);
    addButton(QStringLiteral("Copy"), DrawnIcons::copy(), tr("Copy"), &FocusedText::copy);
    addButton(QStringLiteral("Paste"), DrawnIcons::paste(), tr("Paste"), &FocusedText::paste);
    m_toolBar->addSeparator();
    m_documentActions.append(addButton(QStringLiteral("UpdateSys"), DrawnIcons::updateSystem(), tr("Update System"),
                                       &MainWindow::tbrUpdateSys_Click));
    m_documentActions.append(addButton(QStringLiteral("CopyRec"), DrawnIcons::copyRecord(), tr("Copy Record"),
                                       &MainWindow::tbrCopyRec_Click));
}

QAction *MainWindow::addButton(const QString &key, const QIcon &icon, const QString &toolTip)
{
    QAction *button = m_toolBar->addAction(icon, toolTip);
    button->setObjectName(key);
    button->setData(key);
    button->setToolTip(toolTip);
    return button;
}

void MainWindow::createStatusBar()
{
    m_status = new StatusPanels(*statusBar(), m_problemsDock->countButton(),
                                {*m_link, *m_monitor, *m_writes, m_messages}, this);
    connect(m_status, &StatusPanels::retryRequested, this, &MainWindow::mnuFileRetryWrites_Click);
    connect(m_writes.get(), &RecordWriteQueue::stateChanged, this, &MainWindow::refreshWritesPanel);
    refreshWritesPanel();
}

void MainWindow::refreshWritesPanel()
{
    m_status->refreshWrites();
    m_mnuFileRetryWrites->setEnabled(m_writes->count(RecordWriteQueue::State::Failed) > 0);
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
    m_status->refreshPort();
    m_status->refreshConnection();
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
    m_recentFilesMenu->rebuild();
}

void MainWindow::CheckMRU(const QString &path)
{
    m_recentFilesMenu->add(path);
}

DocumentWindow *MainWindow::newConfigurationWindow()
{
    DocumentWindow *document = LoadNewDoc();
    document->setExNum(NewSlot());
    return document;
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
    m_status->showSelection(text);
}

bool MainWindow::writeRecord(ExchClass &config, int member, int index)
{
    return m_exchange->mayWriteOnline(config) && m_writes->writeRecord(config, member, index);
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
    m_output->closePreview();
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
    DocumentWindow *document = newConfigurationWindow();
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

void MainWindow::updateDocumentActions()
{
    m_windowMenu->refresh();
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
    m_exchange->newConfiguration();
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
    m_output->printSetup();
}

void MainWindow::mnuFilePrintPreview_Click()
{
    if (DocumentWindow *document = committedActiveDocument())
        m_output->printPreview(*document, configuration(document->ExNum()));
}

void MainWindow::mnuFilePrint_Click()
{
    if (DocumentWindow *document = committedActiveDocument())
        m_output->print(*document, configuration(document->ExNum()));
}

void MainWindow::mnuFileExportPdf_Click()
{
    if (DocumentWindow *document = committedActiveDocument())
        m_output->exportPdf(*document, configuration(document->ExNum()));
}

PrintService &MainWindow::printService()
{
    return m_output->printService();
}

PreviewWindow *MainWindow::previewWindow() const
{
    return m_output->previewWindow();
}

void MainWindow::setDriveProvider(std::unique_ptr<DriveProvider> drives)
{
    m_output->setDriveProvider(std::move(drives));
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

void MainWindow::mnuFileExportCsv_Click()
{
    if (DocumentWindow *document = committedActiveDocument())
        m_csv->exportCsv(configuration(document->ExNum()));
}

void MainWindow::mnuFileImportCsv_Click()
{
    if (DocumentWindow *document = committedActiveDocument())
        m_csv->importCsv(*document, configuration(document->ExNum()));
}

void MainWindow::mnuFileConvert_Click()
{
    if (DocumentWindow *document = committedActiveDocument())
        m_output->convert(*document, configuration(document->ExNum()));
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

void MainWindow::mnuGetConfig_Click()
{
    m_exchange->getConfiguration();
}

void MainWindow::mnuSendConfig_Click()
{
    if (DocumentWindow *document = committedActiveDocument())
        m_exchange->sendConfiguration(*document);
}

void MainWindow::mnuSendChanges_Click()
{
    if (DocumentWindow *document = committedActiveDocument())
        m_exchange->sendChanges(*document);
}

void MainWindow::mnuCompareWithExchange_Click()
{
    if (DocumentWindow *document = committedActiveDocument())
        m_exchange->compareWithExchange(*document);
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
    m_status->refreshPort();
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
