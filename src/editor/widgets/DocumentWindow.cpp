#include "editor/widgets/DocumentWindow.h"
#include "editor/widgets/DocumentWindowPrivate.h"

#include "editor/widgets/TableItem.h"

#include "core/DebugLog.h"
#include "core/Registry.h"
#include "editor/DocumentEditor.h"
#include "editor/DocumentHost.h"
#include "editor/PanelContext.h"
#include "editor/TableTree.h"
#include "editor/WriteStates.h"
#include "editor/widgets/AclPanel.h"
#include "editor/widgets/ClassListPanel.h"
#include "editor/widgets/DialledNumberPanel.h"
#include "editor/widgets/GroupPanel.h"
#include "editor/widgets/LeaveWatcher.h"
#include "editor/widgets/PhysicalPortPanel.h"
#include "editor/widgets/SystemPanel.h"
#include "editor/widgets/TonePanel.h"
#include "editor/widgets/VirtualPortPanel.h"
#include "editor/widgets/WriteStateIcons.h"
#include "link/RecordWriteQueue.h"
#include "model/ConfigFile.h"
#include "model/ExchClass.h"
#include "model/RecordLabel.h"
#include "shell/FileDialogService.h"
#include "shell/MessageService.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHash>
#include <QSet>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QUndoStack>

#include <array>
#include <utility>

const QString DocumentWindow::DocumentCaptionPrefix = QStringLiteral("Document");

namespace {
constexpr int KeyRole = TableItem::KeyRole;
constexpr int TagRole = TableItem::TagRole;
constexpr int TreeWidth = 220;
constexpr int PanelAreaWidth = 560;
constexpr int DefaultHeight = 460;
constexpr int MinimumTreeWidth = 160;

const QString ModifiedMark = QStringLiteral("[*]");
const QString SavePromptStart = QStringLiteral("Do you want to save the changes you made to ");
const QString SavePromptEnd = QStringLiteral("?");
const QString OneWaiting = QStringLiteral("1 change to this document is still waiting for the exchange.");
const QString SomeWaiting = QStringLiteral("%1 changes to this document are still waiting for the exchange.");
const QString OneFailed = QStringLiteral("1 change to this document was not confirmed by the exchange.");
const QString SomeFailed = QStringLiteral("%1 changes to this document were not confirmed by the exchange.");
const QString WaitButton = QStringLiteral("Wait");
const QString CloseAnywayButton = QStringLiteral("Close Anyway");
// The question's buttons: Escape waits.
constexpr QMessageBox::StandardButton WaitAnswer = QMessageBox::Cancel;
constexpr QMessageBox::StandardButton RetryAnswer = QMessageBox::Retry;
constexpr QMessageBox::StandardButton CloseAnywayAnswer = QMessageBox::Discard;
const QString SaveDialogTitle = QStringLiteral("Save");
const QString SaveDialogFilter = QStringLiteral("Quillbridge Files (*.QBF)|*.QBF|All Files (*.*)|*.*");
const QString GroupsBranchText = QStringLiteral("Groups");
const QString SelectionSeparator = QStringLiteral(" \u203A ");
const QString CopyStepName = QStringLiteral("Copy %1");

struct CopyTexts
{
    QString copiedMessage;
    QString copiedTitle;
    QString noFreeSlotMessage;
};

// "Virtual Ports › 2 - Front Desk" for a record; the node's own text for the root and the branches.
QString selectionText(const QTreeWidgetItem *item)
{
    if (!item)
        return QString();
    const QTreeWidgetItem *branch = item->parent();
    if (!branch || item->data(0, TagRole).toInt() < 0)
        return item->text(0);
    return branch->text(0) + SelectionSeparator + item->text(0);
}

CopyTexts copyTexts(EditorPanel panel)
{
    if (panel == EditorPanel::Groups) {
        return {QStringLiteral("New Group copied to ID #"), QStringLiteral("Copy Group"),
                QStringLiteral("There are no free groups")};
    }
    return {QStringLiteral("New Virtual Port copied to ID #"), QStringLiteral("Copy Virtual Port"),
            QStringLiteral("There are no free Virtual Ports")};
}
} // namespace

DocumentWindow::DocumentWindow(DocumentHost &host, QWidget *parent)
    : QWidget(parent)
    , d(std::make_unique<Private>(*this, host))
    , m_host(host)
{
    setObjectName(QStringLiteral("frmDocument"));

    d->trvTables = new QTreeWidget(this);
    d->trvTables->setObjectName(QStringLiteral("trvTables"));
    d->trvTables->setColumnCount(1);
    d->trvTables->setHeaderHidden(true);
    // A write-state icon no taller than the text keeps every row where it was,
    // so a node does not move from under the mouse when its record is written.
    const int iconSide = d->trvTables->fontMetrics().height();
    d->trvTables->setIconSize(QSize(iconSide, iconSide));

    d->panelArea = new QStackedWidget(this);
    d->noPanel = new QWidget(d->panelArea);
    d->panelArea->addWidget(d->noPanel);
    PanelContext &context = *d;
    d->panels[int(Panel::VirtualPorts)] = new VirtualPortPanel(context, d->panelArea);
    d->panels[int(Panel::ACL)] = new AclPanel(context, d->panelArea);
    d->panels[int(Panel::System)] = new SystemPanel(context, d->panelArea);
    d->panels[int(Panel::Groups)] = new GroupPanel(context, d->panelArea);
    d->panels[int(Panel::DialledNumbers)] = new DialledNumberPanel(context, d->panelArea);
    d->panels[int(Panel::PhysicalPorts)] = new PhysicalPortPanel(context, d->panelArea);
    d->panels[int(Panel::Tones)] = new TonePanel(context, d->panelArea);
    d->panels[int(Panel::ClassList)] = new ClassListPanel(context, d->panelArea);
    for (QWidget *panel : d->panels)
        d->panelArea->addWidget(panel);
    d->panelArea->setCurrentWidget(d->noPanel);

    auto *splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(d->trvTables);
    splitter->addWidget(d->panelArea);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({TreeWidth, PanelAreaWidth});
    d->trvTables->setMinimumWidth(MinimumTreeWidth);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(splitter);

    showTree(TableTree::initialNodes());

    // A click takes the focus from the panel before the tree sees it; a
    // value refused there must keep its node on show.
    d->trvTables->viewport()->installEventFilter(this);
    // The mouse and the keyboard both select a node by making it current.
    connect(d->trvTables, &QTreeWidget::currentItemChanged, this, &DocumentWindow::nodeSelected);
    connect(d->trvTables, &QTreeWidget::itemClicked, this, &DocumentWindow::nodeClicked);
    // Records are listed when their branch is first opened: thousands of
    // nodes per open configuration would cost memory few engineers use.
    connect(d->trvTables, &QTreeWidget::itemExpanded, this, &DocumentWindow::populateBranch);
    d->editor.setRestoredHandler([this](const RecordJournal::Step &step) { showRestored(step); });
    connect(&d->editor.undoStack(), &QUndoStack::cleanChanged, this, &DocumentWindow::refreshModified);
    connect(&m_host.writeQueue(), &RecordWriteQueue::stateChanged, this,
            [this](const ExchClass *config, int member, int index, RecordWriteQueue::State state) {
                if (config && config == configuration())
                    d->writeStateChanged(member, index, state);
            });
}

QSize DocumentWindow::sizeHint() const
{
    // The panels are laid out for this size; a window shrunk to their own hints clips the tree.
    return {TreeWidth + PanelAreaWidth, DefaultHeight};
}

DocumentWindow::~DocumentWindow()
{
    // A panel losing focus as it goes would write through the context, so the
    // panels are put away, hidden, before it goes.
    d->panelArea->hide();
    delete d->panelArea;
}

QString DocumentWindow::caption() const
{
    return m_caption;
}

void DocumentWindow::setCaption(const QString &caption)
{
    m_caption = caption;
    setWindowTitle(caption + ModifiedMark);
}

void DocumentWindow::setExNum(int exNum)
{
    m_exNum = exNum;
    if (m_exNum > 0)
        d->editor.startHistory(exchange());
}

bool DocumentWindow::isUntitled() const
{
    return caption().startsWith(DocumentCaptionPrefix);
}

ExchClass &DocumentWindow::exchange() const
{
    return m_host.configuration(m_exNum);
}

bool DocumentWindow::viewTones() const
{
    return m_host.settings().GetNumber(SettingsKeys::Settings, SettingsKeys::ViewTones, SettingsKeys::DefaultViewTones)
        == 1;
}

// ---- Files -----------------------------------------------------------------

bool DocumentWindow::LoadFile(const QString &path)
{
    ConfigFile file;
    if (!file.load(exchange(), path)) {
        m_host.messages().show(this, QMessageBox::Warning, QString(), file.errorString());
        return false;
    }
    markUnmodified();
    return true;
}

bool DocumentWindow::SaveFile(const QString &path)
{
    ConfigFile file;
    if (!file.save(exchange(), path)) {
        m_host.messages().show(this, QMessageBox::Warning, QString(), file.errorString());
        return false;
    }
    d->editor.markSaved();
    refreshModified();
    return true;
}

// ---- Tree ------------------------------------------------------------------

void DocumentWindow::GetConfiguration()
{
    // The panel is filled again below; what was typed on it goes to its record first.
    const bool committed = commitFocusedControl();
    ExchClass &config = exchange();
    if (TableTree::needsDefaultTones(config.Tones()))
        config.BuildDefaultTones();
    QStringList openBranches;
    for (const QTreeWidgetItem *item : std::as_const(d->nodes)) {
        if (item->isExpanded())
            openBranches.append(item->data(0, KeyRole).toString());
    }
    showTree(TableTree::configurationBranches(viewTones()));
    for (QTreeWidgetItem *branch : std::as_const(d->nodes)) {
        const QString key = branch->data(0, KeyRole).toString();
        if (TableTree::isRecordBranch(key) && TableTree::hasRecords(config, key))
            branch->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    }
    PopulateClassLists();
    d->panel<AclPanel>(Panel::ACL)->BuildRights();
    restoreTree(openBranches, committed);
    refreshModified();
}

void DocumentWindow::restoreTree(const QStringList &openBranches, bool refill)
{
    // A new document opens on the system node wherever the focus was when it was
    // built: opened from a file it would otherwise show no panel at all.
    const bool firstShowing = !std::exchange(d->treeShown, true);
    const QString key = firstShowing && d->shownKey.isEmpty() ? NodeKeys::Root : d->shownKey;
    QTreeWidgetItem *shown = nullptr;
    {
        // The engineer's view comes back; that is no selection of theirs.
        const QSignalBlocker blocker(d->trvTables);
        for (const QString &key : openBranches) {
            if (QTreeWidgetItem *branch = d->nodes.value(key)) {
                populateBranch(branch);
                branch->setExpanded(true);
            }
        }
        shown = d->nodes.value(key);
        d->trvTables->setCurrentItem(shown);
        if (shown)
            d->trvTables->scrollToItem(shown);
    }
    // The panel shows its record as it now stands, or goes with its node.
    if (shown ? refill || key != d->shownKey : !d->shownKey.isEmpty())
        showNode(shown);
}

void DocumentWindow::PopulateClassLists()
{
    const QList<BitEntry> classes = d->panel<ClassListPanel>(Panel::ClassList)->populate();
    d->panel<AclPanel>(Panel::ACL)->setClassEntries(classes);
    d->panel<VirtualPortPanel>(Panel::VirtualPorts)->setClassEntries(classes);
}

void DocumentWindow::showRecordNode(Panel panel, int index, const QByteArray &name)
{
    const std::optional<TableTree::RecordBranch> branch = TableTree::recordBranch(panel);
    if (!branch)
        return;
    // A branch not yet opened lists its records from the configuration when it is.
    if (!d->populatedBranches.contains(branch->key)) {
        if (QTreeWidgetItem *item = d->nodes.value(branch->key))
            item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
        return;
    }
    const TableNode node = TableTree::recordNode(branch->prefix, branch->key, index, name);
    QTreeWidgetItem *item = d->nodes.value(node.key);
    if (!item) {
        addNode(node);
        return;
    }
    if (item->text(0) == node.text)
        return;
    item->setText(0, node.text);
    if (node.key == d->shownKey)
        m_host.showSelection(selectionText(item));
}

void DocumentWindow::removeRecordNode(Panel panel, int index)
{
    const std::optional<TableTree::RecordBranch> branch = TableTree::recordBranch(panel);
    if (!branch)
        return;
    delete d->nodes.take(branch->prefix + QString::number(index));
}

void DocumentWindow::populateBranch(QTreeWidgetItem *item)
{
    const QString key = item->data(0, KeyRole).toString();
    if (!TableTree::isRecordBranch(key) || d->populatedBranches.contains(key))
        return;
    d->populatedBranches.insert(key);
    for (const TableNode &node : TableTree::branchRecords(exchange(), key))
        addNode(node);
    if (item->childCount() == 0)
        item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

void DocumentWindow::showTree(const QList<TableNode> &nodes)
{
    // A rebuild is no selection by the engineer.
    const QSignalBlocker blocker(d->trvTables);
    d->trvTables->clear();
    d->nodes.clear();
    d->populatedBranches.clear();
    QTreeWidgetItem *lastBranch = nullptr;
    for (const TableNode &node : nodes) {
        QTreeWidgetItem *item = addNode(node);
        if (node.parentKey == NodeKeys::Root)
            lastBranch = item;
    }
    if (lastBranch)
        d->trvTables->scrollToItem(lastBranch);
}

QTreeWidgetItem *DocumentWindow::addNode(const TableNode &node)
{
    QTreeWidgetItem *parent = d->nodes.value(node.parentKey);
    auto *item = node.tag >= 0 ? new TableItem(node.tag, node.text) : new TableItem(node.key, node.text);
    d->nodes.insert(node.key, item);
    if (parent)
        parent->addChild(item);
    else
        d->trvTables->addTopLevelItem(item);
    d->showWriteState(item);
    return item;
}

QWidget *DocumentWindow::panelWidget(Panel panel) const
{
    return d->panels[int(panel)];
}

QString DocumentWindow::selection() const
{
    return selectionText(d->nodes.value(d->shownKey));
}

bool DocumentWindow::showRecord(int member, int index)
{
    QTreeWidgetItem *branch = d->nodes.value(TableTree::structureKey(member));
    if (!branch)
        return false;
    QTreeWidgetItem *item = branch;
    const QString recordKey = TableTree::recordKey(member, index);
    if (!recordKey.isEmpty()) {
        branch->setExpanded(true);
        item = d->nodes.value(recordKey, branch);
    }
    if (item != d->trvTables->currentItem())
        d->trvTables->setCurrentItem(item);
    if (d->shownKey != item->data(0, KeyRole).toString())
        return false;
    d->trvTables->scrollToItem(item);
    switch (member) {
    case ExchClass::PortToVirtualMember:
        d->panel<PhysicalPortPanel>(Panel::PhysicalPorts)->showRecord(index);
        break;
    case ExchClass::ExtToVirtualMember:
        d->panel<DialledNumberPanel>(Panel::DialledNumbers)->showRecord(index);
        break;
    case ExchClass::ClassListMember:
        d->panel<ClassListPanel>(Panel::ClassList)->showRecord(index);
        break;
    default:
        break;
    }
    return true;
}

QTreeWidget *DocumentWindow::tree() const
{
    return d->trvTables;
}

void DocumentWindow::nodeSelected(QTreeWidgetItem *item)
{
    if (!item)
        return;
    if (!commitEdits()) {
        const QSignalBlocker blocker(d->trvTables);
        d->trvTables->setCurrentItem(d->nodes.value(d->shownKey));
        return;
    }
    showNode(item);
}

void DocumentWindow::nodeClicked(QTreeWidgetItem *item)
{
    // A click on the node already on show moves on as well: its changes go
    // to the exchange and its panel is filled again.
    if (!item || item->data(0, KeyRole).toString() != d->shownKey || d->keyAtPress != d->shownKey)
        return;
    if (commitEdits())
        showNode(item);
}

bool DocumentWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != d->trvTables->viewport())
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        // The tree takes the focus on a press; it is back on the panel only
        // when the control there refused to be left.
        d->pressRefused = d->panelArea->isAncestorOf(QApplication::focusWidget());
        d->keyAtPress = d->shownKey;
        return d->pressRefused;
    case QEvent::MouseButtonRelease:
        return std::exchange(d->pressRefused, false);
    default:
        return QWidget::eventFilter(watched, event);
    }
}

void DocumentWindow::showNode(QTreeWidgetItem *item)
{
    const QString key = item ? item->data(0, KeyRole).toString() : QString();
    d->shownKey = key;
    m_host.showSelection(selectionText(item));
    const std::optional<Panel> shown = d->editor.visiblePanel();
    const std::optional<Panel> panel = d->editor.showNode(key, item ? item->data(0, TagRole).toInt() : 0);
    if (panel && panel != shown)
        preparePanel(*panel);
    d->panelArea->setCurrentWidget(panel ? d->panels[int(*panel)] : d->noPanel);
    if (panel)
        fillPanel(*panel, d->editor.shownRecord(*panel));
}

void DocumentWindow::preparePanel(Panel panel)
{
    // Lists of other structures' records are rebuilt only when a hidden
    // panel comes on show, so edits elsewhere reach them then.
    switch (panel) {
    case Panel::VirtualPorts:
        d->panel<VirtualPortPanel>(panel)->BuildVPACL();
        d->panel<VirtualPortPanel>(panel)->BuildVPGroups();
        break;
    case Panel::Groups:
        d->panel<GroupPanel>(panel)->BuildGroupVP();
        break;
    case Panel::PhysicalPorts:
        d->panel<PhysicalPortPanel>(panel)->BuildPhysicalVP();
        break;
    case Panel::DialledNumbers:
        d->panel<DialledNumberPanel>(panel)->BuildExtVP();
        break;
    case Panel::Tones:
        d->panel<TonePanel>(panel)->BuildToneFreqs();
        break;
    case Panel::ACL:
    case Panel::System:
    case Panel::ClassList:
        break;
    }
}

void DocumentWindow::fillPanel(Panel panel, int record)
{
    switch (panel) {
    case Panel::System:
        FillSystem(0, QByteArray(), false);
        break;
    case Panel::VirtualPorts:
        FillVP(record, QByteArray(), false);
        break;
    case Panel::Groups:
        FillGroup(record, QByteArray(), false);
        break;
    case Panel::ACL:
        FillACL(record, QByteArray(), false);
        break;
    case Panel::PhysicalPorts:
        d->panel<PhysicalPortPanel>(panel)->FillPortToVirtual();
        break;
    case Panel::DialledNumbers:
        d->panel<DialledNumberPanel>(panel)->FillExtToVirtual();
        break;
    case Panel::Tones:
        d->panel<TonePanel>(panel)->FillTone(record);
        break;
    case Panel::ClassList:
        break;
    }
}

// ---- Panels ----------------------------------------------------------------

bool DocumentWindow::isChanged(Panel panel) const
{
    return d->editor.isChanged(panel);
}

void DocumentWindow::setChanged(Panel panel, bool changed)
{
    d->editor.setChanged(panel, changed);
}

bool DocumentWindow::isPanelVisible(Panel panel) const
{
    return d->editor.visiblePanel() == panel;
}

bool DocumentWindow::commitFocusedControl()
{
    return LeaveWatcher::commitFocused(*d->panelArea->currentWidget());
}

bool DocumentWindow::commitEdits()
{
    if (!commitFocusedControl())
        return false;
    d->editor.leaveRecords(exchange());
    refreshModified();
    return true;
}

bool DocumentWindow::isModified() const
{
    return m_exNum > 0 && d->editor.hasUnsavedChanges();
}

void DocumentWindow::markUnmodified()
{
    d->editor.clearHistory();
    setWindowModified(false);
}

void DocumentWindow::refreshModified()
{
    setWindowModified(isModified());
}

QUndoStack &DocumentWindow::undoStack() const
{
    return d->editor.undoStack();
}

void DocumentWindow::undo()
{
    if (commitEdits())
        d->editor.undo();
}

void DocumentWindow::redo()
{
    if (commitEdits())
        d->editor.redo();
}

void DocumentWindow::beginStep(const QString &name)
{
    d->editor.beginStep(name);
}

void DocumentWindow::endStep()
{
    d->editor.endStep();
    refreshModified();
}

void DocumentWindow::showRestored(const RecordJournal::Step &step)
{
    GetConfiguration();
    if (!step.records.isEmpty())
        showRecord(step.records.constFirst().member, step.records.constFirst().index);
    refreshModified();
}

void DocumentWindow::saveRecord()
{
    if (!commitFocusedControl())
        return;
    d->editor.saveRecord(exchange());
}

void DocumentWindow::CopyRecord()
{
    if (!commitFocusedControl())
        return;
    const std::optional<Panel> visible = d->editor.visiblePanel();
    const QTreeWidgetItem *selected = d->trvTables->currentItem();
    const bool groupsSelected = selected && selected->text(0) == GroupsBranchText;
    // The ACL generator and the class copy take the ACL and class panels.
    const bool panelOwnsCopy = visible == Panel::ACL || visible == Panel::ClassList;
    if (visible == Panel::VirtualPorts)
        copyToFreeSlot(Panel::VirtualPorts);
    else if (visible == Panel::ACL)
        m_host.openAclGenerator(m_exNum, d->editor.shownRecord(Panel::ACL));
    else if (visible == Panel::Groups || (!panelOwnsCopy && groupsSelected))
        copyToFreeSlot(Panel::Groups);
    else if (visible == Panel::ClassList)
        d->panel<ClassListPanel>(Panel::ClassList)->CopyClass();
    GetConfiguration();
}

void DocumentWindow::copyToFreeSlot(Panel panel)
{
    const CopyTexts texts = copyTexts(panel);
    ExchClass &config = exchange();
    const int member = config.memberIndex(DocumentEditor::structureOf(config, panel));
    beginStep(CopyStepName.arg(RecordLabel::record(config, member, d->editor.shownRecord(panel))));
    const std::optional<DocumentEditor::CopiedRecord> copy = d->editor.copyToFreeSlot(config, panel);
    endStep();
    if (!copy) {
        m_host.messages().show(this, QMessageBox::Warning, QString(), texts.noFreeSlotMessage);
        return;
    }
    showRecordNode(panel, copy->index, copy->name);
    m_host.messages().show(this, QMessageBox::Information, texts.copiedTitle,
                           texts.copiedMessage + QString::number(copy->index));
}

// ---- Packets ---------------------------------------------------------------

ExchClass *DocumentWindow::configuration()
{
    // Entry 0 of the table is never handed out: a document there has none yet.
    return m_exNum > 0 ? &exchange() : nullptr;
}

void DocumentWindow::FillVP(int index, const QByteArray &data, bool fromPacket)
{
    d->panel<VirtualPortPanel>(Panel::VirtualPorts)->FillVP(index, data, fromPacket);
    refreshModified();
}

void DocumentWindow::FillGroup(int index, const QByteArray &data, bool fromPacket)
{
    d->panel<GroupPanel>(Panel::Groups)->FillGroup(index, data, fromPacket);
    refreshModified();
}

void DocumentWindow::FillACL(int index, const QByteArray &data, bool fromPacket)
{
    d->panel<AclPanel>(Panel::ACL)->FillACL(index, data, fromPacket);
    refreshModified();
}

void DocumentWindow::FillClassLists(const QByteArray &data)
{
    d->panel<ClassListPanel>(Panel::ClassList)->FillClassLists(data);
    refreshModified();
}

void DocumentWindow::FillSystem(int index, const QByteArray &data, bool fromPacket)
{
    d->panel<SystemPanel>(Panel::System)->FillSystem(index, data, fromPacket);
    refreshModified();
}

void DocumentWindow::BuildRights(const QByteArray &)
{
    d->panel<AclPanel>(Panel::ACL)->BuildRights();
}

// ---- Closing ---------------------------------------------------------------

void DocumentWindow::closeEvent(QCloseEvent *event)
{
    if (!commitEdits() || !mayCloseWithUnconfirmedWrites() || !mayCloseUnsaved()) {
        event->ignore();
        return;
    }
    if (m_exNum > 0)
        m_host.writeQueue().forget(exchange());
    event->accept();
}

bool DocumentWindow::mayCloseWithUnconfirmedWrites()
{
    if (m_exNum == 0)
        return true;
    RecordWriteQueue &queue = m_host.writeQueue();
    const int waiting = queue.count(RecordWriteQueue::State::Waiting, &exchange());
    const int failed = queue.count(RecordWriteQueue::State::Failed, &exchange());
    if (waiting == 0 && failed == 0)
        return true;
    QStringList sentences;
    if (waiting > 0)
        sentences.append(waiting == 1 ? OneWaiting : SomeWaiting.arg(waiting));
    if (failed > 0)
        sentences.append(failed == 1 ? OneFailed : SomeFailed.arg(failed));
    MessageService::Buttons buttons = WaitAnswer | CloseAnywayAnswer;
    if (failed > 0)
        buttons |= RetryAnswer;
    const int answer =
        m_host.messages().show(this, QMessageBox::Warning, QString(), sentences.join(QLatin1Char(' ')), buttons,
                               WaitAnswer, {{WaitAnswer, WaitButton}, {CloseAnywayAnswer, CloseAnywayButton}});
    if (answer == RetryAnswer)
        queue.retryFailed(&exchange());
    return answer == CloseAnywayAnswer;
}

bool DocumentWindow::mayCloseUnsaved()
{
    if (!isModified())
        return true;
    const int answer =
        m_host.messages().show(this, QMessageBox::Warning, QString(), SavePromptStart + caption() + SavePromptEnd,
                               QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    return answer == QMessageBox::No || (answer == QMessageBox::Yes && saveBeforeClose());
}

bool DocumentWindow::saveBeforeClose()
{
    if (!isUntitled())
        return SaveFile(caption());
    const QString path = m_host.fileDialogs().getSaveFileName(this, SaveDialogTitle, SaveDialogFilter);
    if (path.isEmpty())
        return false;
    setCaption(path);
    if (!SaveFile(path))
        return false;
    m_host.addRecentFile(path);
    return true;
}
