#pragma once

#include "model/ExchClass.h"

#include <QString>

#include <functional>
#include <optional>

class DocumentWindow;
class FileDialogService;
class MessageService;
class QWidget;
class RecordWriter;

// File → Export CSV and Import CSV: one structure of the active document as
// a table, and back. An import shows every bad row and changes nothing, or
// lists its changes and the result's check, and makes them as one undoable
// step; while the exchange is updated online, the changed records are then
// written through the confirmed writes.
class CsvCommands
{
public:
    struct Services
    {
        MessageService &messages;
        FileDialogService &fileDialogs;
        RecordWriter &writer;
        std::function<bool()> updateOnline;
    };
    struct Choice
    {
        int member = ExchClass::ACLMember;
        bool usedOnly = false;
    };
    // Rows and changes listed in a message; the rest are counted.
    static constexpr int MaxListed = 20;

    CsvCommands(const Services &services, QWidget *parent);

    void exportCsv(const ExchClass &config);
    void importCsv(DocumentWindow &document, ExchClass &config);

private:
    std::optional<Choice> choose(bool forExport);

    Services m_services;
    QWidget *m_parent;
    Choice m_lastChoice;
};
