#pragma once

#include "core/RecentFiles.h"
#include "core/Registry.h"
#include "editor/DocumentHost.h"
#include "link/RecordWriter.h"
#include "link/SerialLinkUi.h"
#include "model/ConfigurationTable.h"
#include "transfer/TransferEngine.h"

#include <QList>
#include <QMainWindow>
#include <QPointer>

#include <memory>

class ConnectionMonitor;
class CsvCommands;
class DebugLog;
class DebugWindow;
class DeviceWindows;
class DocumentOutputCommands;
class DocumentWindow;
class DriveProvider;
class ExchangeCommands;
class HelpWindow;
class HistoryCommands;
class WindowPlacement;
class PreviewWindow;
class PrintService;
class ProblemsDock;
class QLabel;
class QMdiArea;
class QMenu;
class QToolBar;
class QToolButton;
class QUndoGroup;
class RecentFilesMenu;
class RecordWriteQueue;
class SerialLink;
class StatusPanels;
class SerialPort;
class TransferWindow;
class WindowMenu;

// frmMain: the menus, toolbar and status bar, the serial line, the table of
// configurations and the document windows that edit them.
class MainWindow : public QMainWindow, public DocumentHost, public SerialLinkUi, public RecordWriter
{
    Q_OBJECT

public:
    // What the window works through; the program passes the shared
    // instances, tests their own.
    struct Services
    {
        Registry &registry;
        MessageService &messages;
        FileDialogService &fileDialogs;
        TimerFactory &timers;
        DebugLog &log;
    };

    static const QString FileFilter;

    MainWindow(const Services &services, std::unique_ptr<SerialPort> port, QWidget *parent = nullptr);
    ~MainWindow() override;

    // For this run only, a port number or device instead of the configured port.
    void setPortOverride(const QString &portOrDevice);

    // The load handler: placement and state, the recently used list, the
    // serial port, then the file named on the command line, if any.
    void load(const QString &commandLinePath = QString());

    // Adds a configuration to the table and returns its index.
    int NewSlot();
    // A new, empty document window "Document n", shown and active.
    DocumentWindow *LoadNewDoc();
    void BuildMRU();
    void CheckMRU(const QString &path);

    DocumentWindow *activeDocument() const;
    // The drives File → Convert looks at for the newer exchange's card; the
    // system's own unless set.
    void setDriveProvider(std::unique_ptr<DriveProvider> drives);
    QList<DocumentWindow *> documents() const;
    SerialLink &link() { return *m_link; }

    // DocumentHost
    ExchClass &configuration(int exNum) override;
    bool updateOnlineSystem() const override;
    void showSelection(const QString &text) override;
    RecordWriter &recordWriter() override { return *this; }
    RecordWriteQueue &writeQueue() override { return *m_writes; }

    // RecordWriter: every record write outside a transfer.
    bool writeRecord(ExchClass &config, int member, int index) override;
    Registry &settings() override { return m_registry; }
    MessageService &messages() override { return m_messages; }
    FileDialogService &fileDialogs() override { return m_fileDialogs; }
    TimerFactory &timers() override { return m_timers; }
    void addRecentFile(const QString &path) override { CheckMRU(path); }
    void openAclGenerator(int exNum, int aclIndex) override;

    // The printer and its dialogs, which tests answer in advance.
    PrintService &printService();
    // The report window while it is open.
    PreviewWindow *previewWindow() const;

    // SerialLinkUi
    void showMessage(const QString &text) override;
    bool choosePort() override;
    void beep() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // Where a path to open came from; the recently used list treats them differently.
    enum class OpenSource { FileMenu, RecentList, CommandLine };

    void createMenus();
    void createToolBar();
    void createStatusBar();
    // The status bar's summary of the record writes and File → Retry Unconfirmed Writes.
    void refreshWritesPanel();
    QAction *addItem(QMenu *menu, const char *name, const QString &caption);
    // The handler is a member function of this window or a free function.
    template<typename Handler>
    QAction *addItem(QMenu *menu, const char *name, const QString &caption, Handler handler)
    {
        QAction *item = addItem(menu, name, caption);
        connect(item, &QAction::triggered, this, handler);
        return item;
    }
    // An item whose window the program does not have yet: shown, never enabled.
    void addUnavailableItem(QMenu *menu, const char *name, const QString &caption);
    QAction *addButton(const QString &key, const QIcon &icon, const QString &toolTip);
    template<typename Handler>
    QAction *addButton(const QString &key, const QIcon &icon, const QString &toolTip, Handler handler)
    {
        QAction *button = addButton(key, icon, toolTip);
        connect(button, &QAction::triggered, this, handler);
        return button;
    }

    // A new document window on a new configuration.
    DocumentWindow *newConfigurationWindow();
    // The active document once the edit on its screen is committed; null
    // without one or when the value on screen was refused.
    DocumentWindow *committedActiveDocument() const;
    // Every document commits its edits and closes; false from the first that stays open.
    bool closeDocuments();
    void openPath(const QString &given, OpenSource source);
    // Saves under a new name, which becomes the caption and joins the recently used list.
    bool saveDocumentAs(DocumentWindow *document, const QString &path);
    void updateDocumentActions();

    void mnuFileNew_Click();
    void mnuFileOpen_Click();
    void mnuFileClose_Click();
    void mnuFileSave_Click();
    void mnuFileSaveAs_Click();
    void mnuFileSaveAll_Click();
    void mnuFilePrintSetup_Click();
    void mnuFilePrintPreview_Click();
    void mnuFilePrint_Click();
    void mnuFileExportPdf_Click();
    void mnuFileExportCsv_Click();
    void mnuFileImportCsv_Click();
    void mnuFileConvert_Click();
    void mnuFileRetryWrites_Click();
    void mnuFileExit_Click();
    void mnuEditUndo_Click();
    void mnuEditRedo_Click();
    void mnuGetConfig_Click();
    void mnuSendConfig_Click();
    void mnuSendChanges_Click();
    void mnuCompareWithExchange_Click();
    void mnuAdvLR_Click(bool checked);
    void mnuViewToolbar_Click(bool checked);
    void mnuViewStatusBar_Click(bool checked);
    void mnuViewRefresh_Click();
    void mnuViewOptions_Click();
    void mnuDebug_Click();
    void mnuHelpContents_Click();
    void mnuHelpSearchForHelpOn_Click();
    void mnuHelpAbout_Click();
    void tbrUpdateSys_Click();
    void tbrCopyRec_Click();

    Registry &m_registry;
    MessageService &m_messages;
    FileDialogService &m_fileDialogs;
    TimerFactory &m_timers;
    DebugLog &m_log;
    ConfigurationTable m_configurations;
    RecentFiles m_recentFiles;
    std::unique_ptr<WindowPlacement> m_placement;
    std::unique_ptr<SerialLink> m_link;
    std::unique_ptr<TransferEngine> m_engine;
    std::unique_ptr<RecordWriteQueue> m_writes;
    std::unique_ptr<ConnectionMonitor> m_monitor;
    std::unique_ptr<DocumentOutputCommands> m_output;
    std::unique_ptr<CsvCommands> m_csv;
    // The device-command windows and what the dispatcher hands them.
    std::unique_ptr<DeviceWindows> m_devices;
    QString m_portOverride;
    int m_documentCounter = 0;

    QMdiArea *m_mdiArea;
    QToolBar *m_toolBar = nullptr;
    StatusPanels *m_status = nullptr;
    TransferWindow *m_transferWindow = nullptr;
    DebugWindow *m_debugWindow = nullptr;
    HelpWindow *m_helpWindow = nullptr;
    ProblemsDock *m_problemsDock = nullptr;
    // The history of transfers and the comparisons.
    HistoryCommands *m_history = nullptr;
    std::unique_ptr<ExchangeCommands> m_exchange;

    QAction *m_mnuFileOnline = nullptr;
    QAction *m_mnuFileRetryWrites = nullptr;
    QAction *m_mnuAdvLR = nullptr;
    QAction *m_mnuViewToolbar = nullptr;
    QAction *m_mnuViewStatusBar = nullptr;
    RecentFilesMenu *m_recentFilesMenu = nullptr;
    // Commands that need an active document.
    QList<QAction *> m_documentActions;
    // The documents' undo histories; the active document's is the one Edit → Undo works on.
    QUndoGroup *m_undoGroup = nullptr;
    WindowMenu *m_windowMenu = nullptr;
};
