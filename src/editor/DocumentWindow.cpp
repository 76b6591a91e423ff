#include "DocumentWindow.h"

#include "TableItem.h"

#include "AclPanel.h"
#include "ClassListPanel.h"
#include "ConfigFile.h"
#include "DialledNumberPanel.h"
#include "DocumentEditor.h"
#include "DocumentHost.h"
#include "ExchClass.h"
#include "FileDialogService.h"
#include "GroupPanel.h"
#include "MessageService.h"
#include "PhysicalPortPanel.h"
#include "Registry.h"
#include "SystemPanel.h"
#include "TableTree.h"
#include "Timer.h"
#include "TimerFactory.h"
#include "TonePanel.h"
#include "VirtualPortPanel.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHash>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStackedWidget>
#include <QTreeWidget>

#include <array>

const QString DocumentWindow::DocumentCaptionPrefix = QStringLiteral("Document");

namespace {
constexpr int KeyRole = TableItem::KeyRole;
constexpr int TagRole = TableItem::TagRole;
constexpr int TreeWidth = 220;
constexpr int PanelAreaWidth = 560;
constexpr int DefaultHeight = 460;
constexpr int MinimumTreeWidth = 160;

const QString SavePromptStart = QStringLiteral("Do you want to save the changes you made to ");
const QString SavePromptEnd = QStringLiteral("?");
const QString SaveDialogTitle = QStringLiteral("Save");
const QString SaveDialogFilter = QStringLiteral("Quillbridge Files (*.QBF)|*.QBF|All Files (*.*)|*.*");
const QString GroupsBranchText = QStringLiteral("Groups");

struct CopyTexts
{
    QString branchKey;
    QString recordPrefix;
    QString copiedMessage;
    QString copiedTitle;
    QString noFreeSlotMessage;
};

CopyTexts copyTexts(EditorPanel panel)
{
    if (panel == EditorPanel::Groups) {
        return {NodeKeys::Groups, NodeKeys::GroupRecord, QStringLiteral("New Group copied to ID #"),
                QStringLiteral("Copy Group"), QStringLiteral("There are no free groups")};
    }
    return {NodeKeys::VirtualPorts, NodeKeys::VirtualPortRecord, QStringLiteral("New Virtual Port copied to ID #"),
            QStringLiteral("Copy Virtual Port"), QStringLiteral("There are no free Virtual Ports")};
}
} // namespace

class DocumentWindow::Private
{
public:
    explicit Private(DocumentHost &host)
        : editor(host)
        , panelTimer(host.timers().createTimer(PanelTimerInterval))
    {
    }

    DocumentEditor editor;
    std::unique_ptr<Timer> panelTimer;
    QTreeWidget *trvTables = nullptr;
    QStackedWidget *panelArea = nullptr;
    QWidget *noPanel = nullptr;
    std::array<QWidget *, EditorPanelCount> panels{};
    QHash<QString, QTreeWidgetItem *> nodes;
    // The node last clicked, kept by key so a tree rebuild before the timer
    // ticks cannot leave it dangling.
    QString currentKey;
    int currentTag = 0;
};

DocumentWindow::DocumentWindow(DocumentHost &host, QWidget *parent)
    : QWidget(parent)
    , d(std::make_unique<Private>(host))
    , m_host(host)
{
    setObjectName(QStringLiteral("frmDocument"));

    d->trvTables = new QTreeWidget(this);
    d->trvTables->setObjectName(QStringLiteral("trvTables"));
    d->trvTables->setColumnCount(1);
    d->trvTables->setHeaderHidden(true);

    d->panelArea = new QStackedWidget(this);
    d->noPanel = new QWidget(d->panelArea);
    d->panelArea->addWidget(d->noPanel);
    d->panels[int(Panel::VirtualPorts)] = new VirtualPortPanel(d->panelArea);
    d->panels[int(Panel::ACL)] = new AclPanel(d->panelArea);
    d->panels[int(Panel::System)] = new SystemPanel(d->panelArea);
    d->panels[int(Panel::Groups)] = new GroupPanel(d->panelArea);
    d->panels[int(Panel::DialledNumbers)] = new DialledNumberPanel(d->panelArea);
    d->panels[int(Panel::PhysicalPorts)] = new PhysicalPortPanel(d->panelArea);
    d->panels[int(Panel::Tones)] = new TonePanel(d->panelArea);
    d->panels[int(Panel::ClassList)] = new ClassListPanel(d->panelArea);
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

    connect(d->trvTables, &QTreeWidget::itemClicked, this, &DocumentWindow::nodeClicked);
    // Moving through the tree with the keyboard selects nodes as clicks do.
    connect(d->trvTables, &QTreeWidget::currentItemChanged, this, &DocumentWindow::nodeClicked);
    d->panelTimer->setCallback([this] { panelTimerTick(); });
}

QSize DocumentWindow::sizeHint() const
{
    // The panels are laid out for this size; a window shrunk to their own hints clips the tree.
    return {TreeWidth + PanelAreaWidth, DefaultHeight};
}

DocumentWindow::~DocumentWindow() = default;

QString DocumentWindow::caption() const
{
    return windowTitle();
}

void DocumentWindow::setCaption(const QString &caption)
{
    setWindowTitle(caption);
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
    return true;
}

bool DocumentWindow::SaveFile(const QString &path)
{
    ConfigFile file;
    if (!file.save(exchange(), path)) {
        m_host.messages().show(this, QMessageBox::Warning, QString(), file.errorString());
        return false;
    }
    return true;
}

// ---- Tree ------------------------------------------------------------------

void DocumentWindow::GetConfiguration()
{
    ExchClass &config = exchange();
    if (TableTree::needsDefaultTones(config.Tones()))
        config.BuildDefaultTones();
    showTree(TableTree::configurationNodes(config, viewTones()));
}

void DocumentWindow::showTree(const QList<TableNode> &nodes)
{
    // A rebuild is no selection by the engineer.
    const QSignalBlocker blocker(d->trvTables);
    d->trvTables->clear();
    d->nodes.clear();
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
    TableItem *item = nullptr;
    if (node.tag >= 0) {
        // Records never hold children, so only branches are kept for lookup.
        item = new TableItem(node.tag, node.text);
    } else {
        item = new TableItem(node.key, node.text);
        d->nodes.insert(node.key, item);
    }
    if (parent)
        parent->addChild(item);
    else
        d->trvTables->addTopLevelItem(item);
    return item;
}

QTreeWidget *DocumentWindow::tree() const
{
    return d->trvTables;
}

void DocumentWindow::nodeClicked(QTreeWidgetItem *item)
{
    if (!item)
        return;
    d->editor.leaveRecords(exchange());
    d->currentKey = item->data(0, KeyRole).toString();
    d->currentTag = item->data(0, TagRole).toInt();
    d->panelTimer->stop();
    d->panelTimer->start();
}

void DocumentWindow::panelTimerTick()
{
    d->panelTimer->stop();
    m_host.showNodeKey(d->currentKey);
    const std::optional<Panel> panel = d->editor.showNode(d->currentKey, d->currentTag);
    d->panelArea->setCurrentWidget(panel ? d->panels[int(*panel)] : d->noPanel);
    if (!panel)
        return;
    const int record = d->editor.shownRecord(*panel);
    switch (*panel) {
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
    default:
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

void DocumentWindow::saveRecord()
{
    d->editor.saveRecord(exchange());
}

void DocumentWindow::CopyRecord()
{
    const std::optional<Panel> visible = d->editor.visiblePanel();
    const QTreeWidgetItem *selected = d->trvTables->currentItem();
    const bool groupsSelected = selected && selected->text(0) == GroupsBranchText;
    // The ACL generator and the class copy take the ACL and class panels.
    const bool panelOwnsCopy = visible == Panel::ACL || visible == Panel::ClassList;
    if (visible == Panel::VirtualPorts)
        copyToFreeSlot(Panel::VirtualPorts);
    else if (visible == Panel::Groups || (!panelOwnsCopy && groupsSelected))
        copyToFreeSlot(Panel::Groups);
    GetConfiguration();
}

void DocumentWindow::copyToFreeSlot(Panel panel)
{
    const CopyTexts texts = copyTexts(panel);
    const std::optional<DocumentEditor::CopiedRecord> copy = d->editor.copyToFreeSlot(exchange(), panel);
    if (!copy) {
        m_host.messages().show(this, QMessageBox::Warning, QString(), texts.noFreeSlotMessage);
        return;
    }
    addNode(TableTree::recordNode(texts.recordPrefix, texts.branchKey, copy->index, copy->name));
    m_host.messages().show(this, QMessageBox::Information, texts.copiedTitle,
                           texts.copiedMessage + QString::number(copy->index));
}

// ---- Packets ---------------------------------------------------------------

ExchClass *DocumentWindow::configuration()
{
    // Entry 0 of the table is never handed out: a document there has none yet.
    return m_exNum > 0 ? &exchange() : nullptr;
}

void DocumentWindow::FillVP(int, const QByteArray &, bool)
{
}

void DocumentWindow::FillGroup(int, const QByteArray &, bool)
{
}

void DocumentWindow::FillACL(int, const QByteArray &, bool)
{
}

void DocumentWindow::FillClassLists(const QByteArray &)
{
}

void DocumentWindow::FillSystem(int, const QByteArray &, bool)
{
}

void DocumentWindow::BuildRights(const QByteArray &)
{
}

// ---- Closing ---------------------------------------------------------------

void DocumentWindow::closeEvent(QCloseEvent *event)
{
    const int answer
        = m_host.messages().show(this, QMessageBox::Warning, QString(), SavePromptStart + caption() + SavePromptEnd,
                                 QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    const bool close = answer == QMessageBox::No || (answer == QMessageBox::Yes && saveBeforeClose());
    if (!close) {
        event->ignore();
        return;
    }
    d->panelTimer->stop();
    event->accept();
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
