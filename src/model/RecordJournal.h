#pragma once

#include "model/RecordClass.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QPair>

#include <functional>

class ExchClass;

// Keeps what one configuration's records were before the changes of the step
// now open: the first time a record (or a structure's used map) is about to
// change in a step, its image is taken. Closing the step hands over the
// records that really changed, with their images before and after, which is
// what undo and redo put back.
class RecordJournal
{
public:
    struct RecordImages
    {
        int member = 0;
        int index = 0;
        QByteArray before;
        QByteArray after;
    };
    struct BookkeepingImages
    {
        int member = 0;
        RecordClass::Bookkeeping before;
        RecordClass::Bookkeeping after;
    };
    struct Step
    {
        QList<RecordImages> records;
        QList<BookkeepingImages> bookkeeping;
        bool isEmpty() const { return records.isEmpty() && bookkeeping.isEmpty(); }
    };
    enum class Side { Before, After };

    // Listens to every structure of the configuration until destroyed.
    explicit RecordJournal(ExchClass &config);
    ~RecordJournal();
    RecordJournal(const RecordJournal &) = delete;
    RecordJournal &operator=(const RecordJournal &) = delete;

    // Told when a step opens with its first change, so its holder can see it closed.
    void setStepOpened(std::function<void()> handler) { m_stepOpened = std::move(handler); }
    // Told when a layout changes or the whole configuration is replaced:
    // images taken before then no longer fit.
    void setHistoryEnded(std::function<void()> handler) { m_historyEnded = std::move(handler); }

    bool hasOpenStep() const { return m_open; }
    // The open step's real changes, in structure and record order; the next
    // change opens a new step.
    Step closeStep();
    void discardStep();
    // Writes one side of a step back into the configuration, unheard.
    void apply(const Step &step, Side side);

    void recordChanging(const RecordClass &structure, int index);
    void bookkeepingChanging(const RecordClass &structure);
    void layoutChanged();

private:
    void open();

    ExchClass &m_config;
    bool m_open = false;
    bool m_applying = false;
    QMap<QPair<int, int>, QByteArray> m_recordsBefore;
    QMap<int, RecordClass::Bookkeeping> m_bookkeepingBefore;
    std::function<void()> m_stepOpened;
    std::function<void()> m_historyEnded;
};
