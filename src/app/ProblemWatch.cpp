#include "app/ProblemWatch.h"

#include "analysis/ConfigurationCheck.h"
#include "core/Timer.h"
#include "core/TimerFactory.h"
#include "model/ExchClass.h"

ProblemWatch::ProblemWatch(TimerFactory &timers, Source source, QObject *parent)
    : QObject(parent)
    , m_timer(timers.createTimer(PollInterval))
    , m_source(std::move(source))
{
    m_timer->setCallback([this] { poll(); });
    m_timer->start();
}

ProblemWatch::~ProblemWatch() = default;

void ProblemWatch::poll()
{
    const ExchClass *config = m_source ? m_source() : nullptr;
    if (config != m_config) {
        m_config = config;
        check(true);
        return;
    }
    if (!m_config)
        return;
    const quint64 revision = m_config->revision();
    if (revision == m_checkedRevision)
        return;
    // Still changing: wait for a poll that finds it as it was.
    if (revision != m_seenRevision) {
        m_seenRevision = revision;
        return;
    }
    check(false);
}

void ProblemWatch::check(bool configurationChanged)
{
    QList<ConfigurationProblem> problems;
    if (m_config) {
        m_checkedRevision = m_config->revision();
        m_seenRevision = m_checkedRevision;
        problems = ConfigurationCheck(*m_config).problems();
    }
    if (problems == m_problems && !configurationChanged)
        return;
    m_problems = problems;
    emit problemsChanged();
}
