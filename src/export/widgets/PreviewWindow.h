#pragma once

#include "export/ReportContent.h"
#include "export/widgets/ReportJob.h"

#include <QWidget>

#include <memory>

class FileDialogService;
class MessageService;
class WindowPlacement;
class PrintService;
class QCheckBox;
class QComboBox;
class QPrintPreviewWidget;
class QPrinter;
class QPushButton;
class Registry;

// frmPreview, "Preview Bill": the configuration report of one document as
// pages, with zoom and page buttons; prints it or exports it as a PDF. PINs
// and pass codes stay masked unless the engineer ticks the box.
class PreviewWindow : public QWidget
{
    Q_OBJECT

public:
    struct Services
    {
        Registry &settings;
        PrintService &printing;
        MessageService &messages;
        FileDialogService &fileDialogs;
    };

    // Zoom list values below this are modes (whole page, page width), the
    // others percentages.
    static constexpr int FirstPercentage = 10;
    static constexpr int WholePage = 3;
    static constexpr int PageWidth = 4;

    PreviewWindow(const ExchClass &config, const QString &caption, const Services &services, QWidget *parent = nullptr);
    ~PreviewWindow() override;

    // Builds the report, restores the placement and shows the window.
    void load();

    const ReportContent &content() const { return m_content; }
    int pageCount() const;
    int currentPage() const;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildReport();
    void paintReport(QPrinter *printer);
    void updatePageButtons();
    void cboZoom_Click(int index);
    void cmdPrevPage_Click();
    void cmdNextPage_Click();
    void cmdPrint_Click();
    void cmdExportPdf_Click();
    void chkShowCodes_Click();

    ReportJob m_job;
    Services m_services;
    std::unique_ptr<WindowPlacement> m_placement;
    ReportContent m_content;
    bool m_pageNumbers = true;
    QPrintPreviewWidget *m_vp;
    QComboBox *m_cboZoom;
    QCheckBox *m_chkShowCodes;
    QPushButton *m_cmdPrevPage;
    QPushButton *m_cmdNextPage;
    QPushButton *m_cmdPrint;
    QPushButton *m_cmdExportPdf;
    QPushButton *m_cmdClose;
};
