#pragma once

#include "analysis/ConfigurationProblem.h"

#include <QList>
#include <QObject>

#include <functional>
#include <memory>

class ExchClass;
class Timer;
class TimerFactory;

// Keeps the problems of the active document's configuration up to date
// without standing in the engineer's way. Edits are not followed one by one:
// a short poll reads which configuration is active and its revision, and the
// check runs once the revision has held still for a whole poll, so a burst of
// edits or a transfer costs one check, after it ends. A configuration that
// becomes active is checked at once.
class ProblemWatch : public QObject
{
    Q_OBJECT

public:
    using Source = std::function<const ExchClass *()>;

    static constexpr int PollInterval = 300;

    // source names the configuration to watch, or none.
    ProblemWatch(TimerFactory &timers, Source source, QObject *parent = nullptr);
    ~ProblemWatch() override;

    // Looks at the source now instead of at the next poll.
    void poll();
    bool hasConfiguration() const { return m_config != nullptr; }
    const QList<ConfigurationProblem> &problems() const { return m_problems; }

signals:
    // The problems differ from those last told, or the configuration came or went.
    void problemsChanged();

private:
    void check(bool configurationChanged);

    std::unique_ptr<Timer> m_timer;
    Source m_source;
    const ExchClass *m_config = nullptr;
    quint64 m_checkedRevision = 0;
    quint64 m_seenRevision = 0;
    QList<ConfigurationProblem> m_problems;
};
