#include "export/widgets/PreviewWindow.h"

#include "export/report/ReportPages.h"
#include "export/widgets/PrintService.h"
#include "shell/WindowPlacement.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString WindowTitle = QStringLiteral("Preview Bill");

struct ZoomEntry
{
    const char *text;
    int value;
};
const ZoomEntry ZoomEntries[] = {
    {"Whole Page", PreviewWindow::WholePage},
    {"Page Width", PreviewWindow::PageWidth},
    {"25%", 25},
    {"50%", 50},
    {"75%", 75},
    {"100%", 100},
    {"150%", 150},
    {"200%", 200},
    {"400%", 400},
};
constexpr double PercentPerUnit = 100.0;

QPushButton *makeButton(const QString &caption, const char *name, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}
} // namespace

PreviewWindow::PreviewWindow(const ExchClass &config, const QString &caption, const Services &services, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_job(config, caption, services.settings)
    , m_services(services)
    , m_placement(std::make_unique<WindowPlacement>(services.settings, WindowPlacement::Preview))
    , m_vp(new QPrintPreviewWidget(&services.printing.printer(), this))
    , m_cboZoom(new QComboBox(this))
    , m_chkShowCodes(new QCheckBox(tr("Show PINs and pass codes"), this))
    , m_cmdPrevPage(makeButton(tr("P&rev Page"), "cmdPrevPage", this))
    , m_cmdNextPage(makeButton(tr("&Next Page"), "cmdNextPage", this))
    , m_cmdPrint(makeButton(tr("Print Report"), "cmdPrint", this))
    , m_cmdExportPdf(makeButton(tr("&Export PDF..."), "cmdExportPdf", this))
    , m_cmdClose(makeButton(tr("&Close"), "cmdClose", this))
{
    setObjectName(QStringLiteral("frmPreview"));
    setWindowTitle(WindowTitle);
    m_vp->setObjectName(QStringLiteral("vp"));
    m_cboZoom->setObjectName(QStringLiteral("cboZoom"));
    m_chkShowCodes->setObjectName(QStringLiteral("chkShowCodes"));
    for (const ZoomEntry &entry : ZoomEntries)
        m_cboZoom->addItem(QString::fromLatin1(entry.text), entry.value);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_cboZoom);
    buttons->addWidget(m_cmdPrevPage);
    buttons->addWidget(m_cmdNextPage);
    buttons->addWidget(m_chkShowCodes);
    buttons->addStretch();
    buttons->addWidget(m_cmdPrint);
    buttons->addWidget(m_cmdExportPdf);
    buttons->addWidget(m_cmdClose);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_vp, 1);
    layout->addLayout(buttons);

    connect(m_vp, &QPrintPreviewWidget::paintRequested, this, &PreviewWindow::paintReport);
    connect(m_vp, &QPrintPreviewWidget::previewChanged, this, &PreviewWindow::updatePageButtons);
    connect(m_cboZoom, &QComboBox::activated, this, &PreviewWindow::cboZoom_Click);
    connect(m_cmdPrevPage, &QPushButton::clicked, this, &PreviewWindow::cmdPrevPage_Click);
    connect(m_cmdNextPage, &QPushButton::clicked, this, &PreviewWindow::cmdNextPage_Click);
    connect(m_cmdPrint, &QPushButton::clicked, this, &PreviewWindow::cmdPrint_Click);
    connect(m_cmdExportPdf, &QPushButton::clicked, this, &PreviewWindow::cmdExportPdf_Click);
    connect(m_cmdClose, &QPushButton::clicked, this, &QWidget::close);
    connect(m_chkShowCodes, &QCheckBox::clicked, this, &PreviewWindow::chkShowCodes_Click);
}

PreviewWindow::~PreviewWindow() = default;

void PreviewWindow::load()
{
    m_placement->restore(*this);
    m_cboZoom->setCurrentIndex(0);
    cboZoom_Click(0);
    buildReport();
}

int PreviewWindow::pageCount() const
{
    return m_vp->pageCount();
}

int PreviewWindow::currentPage() const
{
    return m_vp->currentPage();
}

void PreviewWindow::closeEvent(QCloseEvent *event)
{
    m_placement->save(*this);
    QWidget::closeEvent(event);
}

void PreviewWindow::buildReport()
{
    m_content = m_job.content(m_chkShowCodes->isChecked());
    m_pageNumbers = m_job.pageNumbers();
    m_vp->updatePreview();
    m_vp->setCurrentPage(1);
    m_cmdPrevPage->setEnabled(false);
    m_cmdNextPage->setEnabled(pageCount() != 1);
}

void PreviewWindow::paintReport(QPrinter *printer)
{
    ReportPages pages(m_content, m_pageNumbers);
    pages.print(*printer);
}

void PreviewWindow::updatePageButtons()
{
    m_cmdPrevPage->setEnabled(currentPage() > 1);
    m_cmdNextPage->setEnabled(currentPage() < pageCount());
}

void PreviewWindow::cboZoom_Click(int index)
{
    if (index < 0)
        return;
    const int value = m_cboZoom->itemData(index).toInt();
    if (value == WholePage) {
        m_vp->setZoomMode(QPrintPreviewWidget::FitInView);
    } else if (value == PageWidth) {
        m_vp->setZoomMode(QPrintPreviewWidget::FitToWidth);
    } else if (value >= FirstPercentage) {
        m_vp->setZoomMode(QPrintPreviewWidget::CustomZoom);
        m_vp->setZoomFactor(value / PercentPerUnit);
    }
}

void PreviewWindow::cmdPrevPage_Click()
{
    if (currentPage() >= 2)
        m_vp->setCurrentPage(currentPage() - 1);
    updatePageButtons();
}

void PreviewWindow::cmdNextPage_Click()
{
    if (currentPage() < pageCount())
        m_vp->setCurrentPage(currentPage() + 1);
    updatePageButtons();
}

void PreviewWindow::cmdPrint_Click()
{
    if (m_job.print(m_services.printing, m_chkShowCodes->isChecked(), this, m_services.messages))
        close();
}

void PreviewWindow::cmdExportPdf_Click()
{
    m_job.exportPdf(m_chkShowCodes->isChecked(), this, m_services.fileDialogs, m_services.messages);
}

void PreviewWindow::chkShowCodes_Click()
{
    buildReport();
}
