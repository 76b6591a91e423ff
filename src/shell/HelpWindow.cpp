#include "shell/HelpWindow.h"

#include "core/ProductInfo.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBrowser>
#include <QTextCursor>
#include <QUrl>
#include <QVBoxLayout>

// The guide lives in a static library, whose resource initialiser the
// linker would otherwise drop.
static void initialiseGuideResource()
{
    Q_INIT_RESOURCE(help);
}

namespace {
const QUrl GuideUrl(QStringLiteral("qrc:/help/guide.html"));
constexpr QSize InitialSize(680, 560);
} // namespace

HelpWindow::HelpWindow(QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_txtGuide(new QTextBrowser(this))
    , m_txtSearch(new QLineEdit(this))
    , m_cmdFindNext(new QPushButton(tr("&Find Next"), this))
    , m_lblStatus(new QLabel(this))
{
    initialiseGuideResource();

    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(tr("%1 Help").arg(ProductInfo::ApplicationTitle));

    m_txtGuide->setObjectName(QStringLiteral("txtGuide"));
    m_txtGuide->setOpenExternalLinks(true);
    m_txtGuide->setSource(GuideUrl);
    // The focus stays in the search field; the match must still stand out.
    QPalette guidePalette = m_txtGuide->palette();
    for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        guidePalette.setBrush(QPalette::Inactive, role, guidePalette.brush(QPalette::Active, role));
    m_txtGuide->setPalette(guidePalette);
    m_txtSearch->setObjectName(QStringLiteral("txtSearch"));
    m_txtSearch->setPlaceholderText(tr("Word to find"));
    m_txtSearch->setClearButtonEnabled(true);
    m_cmdFindNext->setObjectName(QStringLiteral("cmdFindNext"));
    m_lblStatus->setObjectName(QStringLiteral("lblStatus"));

    auto *searchRow = new QHBoxLayout;
    searchRow->addWidget(new QLabel(tr("Search:"), this));
    searchRow->addWidget(m_txtSearch, 1);
    searchRow->addWidget(m_cmdFindNext);
    searchRow->addWidget(m_lblStatus);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(searchRow);
    layout->addWidget(m_txtGuide);
    resize(InitialSize);

    connect(m_txtSearch, &QLineEdit::returnPressed, this, &HelpWindow::cmdFindNext_Click);
    connect(m_cmdFindNext, &QPushButton::clicked, this, &HelpWindow::cmdFindNext_Click);
}

void HelpWindow::showContents()
{
    m_txtGuide->setSource(GuideUrl);
    m_txtGuide->moveCursor(QTextCursor::Start);
    bringToFront();
    m_txtGuide->setFocus();
}

void HelpWindow::showSearch()
{
    bringToFront();
    m_txtSearch->setFocus();
    m_txtSearch->selectAll();
}

void HelpWindow::cmdFindNext_Click()
{
    const QString word = m_txtSearch->text().trimmed();
    m_lblStatus->clear();
    if (word.isEmpty())
        return;
    if (m_txtGuide->find(word))
        return;
    // Wrap around to the start of the guide before giving up.
    m_txtGuide->moveCursor(QTextCursor::Start);
    if (!m_txtGuide->find(word))
        m_lblStatus->setText(tr("Not found"));
}

void HelpWindow::bringToFront()
{
    show();
    raise();
    activateWindow();
}
