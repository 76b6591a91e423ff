#include "app/DemoExchange.h"

#include "core/DebugLog.h"
#include "simulator/ExchangeSimulator.h"
#include "simulator/PtyEndpoint.h"
#include "simulator/sample/SampleConfiguration.h"

DemoExchange::DemoExchange(DebugLog &log)
    : m_simulator(std::make_unique<ExchangeSimulator>())
    , m_endpoint(std::make_unique<PtyEndpoint>(m_simulator.get()))
{
    SampleConfiguration::build(m_simulator->configuration());
    m_endpoint->setBaudRate(BaudRate);
    QObject::connect(m_endpoint.get(), &PtyEndpoint::failed, m_endpoint.get(), [&log](const QString &reason) {
        log.AddNL(QStringLiteral("Demo exchange stopped: %1").arg(reason));
    });
}

DemoExchange::~DemoExchange()
{
    m_endpoint->close();
}

bool DemoExchange::start()
{
    return m_endpoint->open();
}

QString DemoExchange::devicePath() const
{
    return m_endpoint->slavePath();
}

QString DemoExchange::errorString() const
{
    return m_endpoint->errorString();
}
