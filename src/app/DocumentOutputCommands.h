#pragma once

#include <QPointer>

#include <memory>

class DocumentWindow;
class DriveProvider;
class ExchClass;
class FileDialogService;
class MessageService;
class PreviewWindow;
class PrintService;
class QWidget;
class Registry;

// The File menu's commands that put a document anywhere but its own file:
// the printer and its set-up, the report's preview and PDF, and the
// conversion for the newer exchanges with its copy to a card.
class DocumentOutputCommands
{
public:
    struct Services
    {
        Registry &registry;
        MessageService &messages;
        FileDialogService &fileDialogs;
    };

    DocumentOutputCommands(const Services &services, QWidget *parent);
    ~DocumentOutputCommands();

    void printSetup();
    void printPreview(DocumentWindow &document, const ExchClass &config);
    void print(DocumentWindow &document, const ExchClass &config);
    void exportPdf(DocumentWindow &document, const ExchClass &config);
    void convert(DocumentWindow &document, ExchClass &config);

    void closePreview();
    // The report window while it is open.
    PreviewWindow *previewWindow() const { return m_previewWindow; }
    // The printer and its dialogs, which tests answer in advance.
    PrintService &printService() { return *m_printService; }
    // The drives a conversion looks at for the newer exchange's card; the system's own unless set.
    void setDriveProvider(std::unique_ptr<DriveProvider> drives);

private:
    Services m_services;
    QWidget *m_parent;
    std::unique_ptr<PrintService> m_printService;
    std::unique_ptr<DriveProvider> m_drives;
    QPointer<PreviewWindow> m_previewWindow;
};
