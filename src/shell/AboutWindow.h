#pragma once

#include <QDialog>

class MessageService;

// "About Quillbridge": the program's title, version, contact and legal
// notice, shown modally from Help -> About.
class AboutWindow : public QDialog
{
    Q_OBJECT

public:
    explicit AboutWindow(MessageService &messages, QWidget *parent = nullptr);

    // Starts the system-information tool or says that there is none.
    void StartSysInfo();

private:
    MessageService &m_messages;
};
