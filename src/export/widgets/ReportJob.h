#pragma once

#include "export/ReportContent.h"

#include <QString>

class ExchClass;
class FileDialogService;
class MessageService;
class PrintService;
class QWidget;
class Registry;

// One configuration's report as the settings ask for it: tones when
// "ViewTones" is 1, page numbers when "PrintPageNumbers" is 1. Prints it or
// writes it as a PDF, and tells the engineer when that fails.
class ReportJob
{
public:
    static const QString ExportTitle; // "Export PDF"
    static const QString ExportFilter;

    ReportJob(const ExchClass &config, const QString &caption, const Registry &settings);

    ReportContent content(bool showCodes) const;
    bool pageNumbers() const;

    bool print(PrintService &printing, bool showCodes, QWidget *parent, MessageService &messages) const;
    // Asks for a file name and writes the PDF; false when cancelled or failed.
    bool exportPdf(bool showCodes, QWidget *parent, FileDialogService &fileDialogs, MessageService &messages) const;

private:
    const ExchClass &m_config;
    QString m_caption;
    const Registry &m_settings;
};
