#include "cli/TransferCommand.h"

#include "cli/CommandArguments.h"
#include "cli/TerminalProgress.h"
#include "core/DebugLog.h"
#include "core/QtTimerFactory.h"
#include "core/Registry.h"
#include "history/Baseline.h"
#include "history/HistoryStore.h"
#include "history/SystemClock.h"
#include "link/LineSettings.h"
#include "link/QtSerialPort.h"
#include "link/SerialLink.h"
#include "model/ConfigFile.h"
#include "model/ExchClass.h"
#include "model/OutputFile.h"
#include "transfer/ChangedRecords.h"

#include <QEventLoop>
#include <QTextStream>
#include <QTimer>

#include <unistd.h>

namespace {
const QString PortOption = QStringLiteral("--port");
const QString ChangesFromOption = QStringLiteral("--changes-from");
const QString BaseOperand = QStringLiteral("BASE.QBF");
const QString SpeedOption = QStringLiteral("--speed");
const QString TimeoutOption = QStringLiteral("--timeout");
const QString NoHistoryFlag = QStringLiteral("--no-history");
constexpr int MillisecondsPerSecond = 1000;
constexpr int MaxTimeoutSeconds = 24 * 60 * 60;

// Loading gives every file the default tones, so only the other structures tell.
bool holdsNoRecords(const ExchClass &config)
{
    for (int m = 0; m < ExchClass::MemberCount; ++m) {
        if (m != ExchClass::TonesMember && config.member(m).Records() > 0)
            return false;
    }
    return true;
}

} // namespace

TransferCommand::TransferCommand(TransferEngine::Mode mode)
    : m_mode(mode)
{
}

// The transfer itself succeeded, so a history that cannot be written is only a warning.
void TransferCommand::keepInHistory(const ExchClass &config, QTextStream &err) const
{
    HistoryStore store(HistoryStore::defaultRoot(), SystemClock::shared(),
                       HistoryStore::keepSetting(Registry::shared()));
    const HistoryEntry::Kind kind =
        m_mode == TransferEngine::Mode::Get ? HistoryEntry::Kind::Get : HistoryEntry::Kind::Send;
    if (!store.add(config, kind))
        err << QStringLiteral("warning: no copy was kept in the history: %1").arg(store.errorString()) << Qt::endl;
}

QString TransferCommand::name() const
{
    return m_mode == TransferEngine::Mode::Get ? QStringLiteral("get") : QStringLiteral("send");
}

QString TransferCommand::synopsis() const
{
    const QString common = QStringLiteral("[%1 %2] [%3 SECONDS] [%4]")
                               .arg(SpeedOption)
                               .arg(DefaultSpeed)
                               .arg(TimeoutOption, NoHistoryFlag);
    if (m_mode == TransferEngine::Mode::Get)
        return QStringLiteral("%1 PORT %2 %3 %4").arg(PortOption, OutOption, FileOperand, common);
    return QStringLiteral("%1 PORT [%2 %3] %4 %5").arg(PortOption, ChangesFromOption, BaseOperand, common, FileOperand);
}

QString TransferCommand::summary() const
{
    return m_mode == TransferEngine::Mode::Get
        ? QStringLiteral("Read the whole configuration of an exchange into a file (PORT: 1-16 or a device path)")
        : QStringLiteral("Write a configuration file into an exchange, or only the records changed since "
                         "BASE.QBF (PORT: 1-16 or a device path)");
}

int TransferCommand::run(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    const bool get = m_mode == TransferEngine::Mode::Get;
    CommandArguments args({NoHistoryFlag}, get ? QStringList() : QStringList{FileOperand},
                          {PortOption, OutOption, SpeedOption, TimeoutOption, ChangesFromOption});
    int speed = 0;
    int timeoutSeconds = 0;
    bool usageOk = args.parse(arguments) && args.number(SpeedOption, 1, DefaultSpeed, speed)
        && args.number(TimeoutOption, 1, DefaultTimeoutSeconds, timeoutSeconds, MaxTimeoutSeconds);
    if (usageOk && !args.hasValue(PortOption)) {
        err << usageProblem(QStringLiteral("missing %1 PORT").arg(PortOption)) << Qt::endl;
        return ExitCode::Usage;
    }
    if (usageOk && get != args.hasValue(OutOption)) {
        err << usageProblem(get ? QStringLiteral("missing %1 %2").arg(OutOption, FileOperand)
                                : QStringLiteral("%1 belongs to get").arg(OutOption))
            << Qt::endl;
        return ExitCode::Usage;
    }
    if (usageOk && get && args.hasValue(ChangesFromOption)) {
        err << usageProblem(QStringLiteral("%1 belongs to send").arg(ChangesFromOption)) << Qt::endl;
        return ExitCode::Usage;
    }
    if (!usageOk) {
        err << usageProblem(args.errorString()) << Qt::endl;
        return ExitCode::Usage;
    }
    if (!LineSettings::isSupportedSpeed(speed)) {
        QStringList speeds;
        for (int supported : LineSettings::SupportedSpeeds)
            speeds.append(QString::number(supported));
        err << usageProblem(QStringLiteral("%1 needs one of %2, not \"%3\"")
                                .arg(SpeedOption, speeds.join(QStringLiteral(", ")), args.value(SpeedOption)))
            << Qt::endl;
        return ExitCode::Usage;
    }
    const QString port = args.value(PortOption);
    bool isNumber = false;
    const int portNumber = port.toInt(&isNumber);
    if (isNumber && (portNumber < SerialPort::FirstPortNumber || portNumber > SerialPort::LastPortNumber)) {
        err << usageProblem(QStringLiteral("%1 needs a port number from %2 to %3 or a device path, not \"%4\"")
                                .arg(PortOption)
                                .arg(SerialPort::FirstPortNumber)
                                .arg(SerialPort::LastPortNumber)
                                .arg(port))
            << Qt::endl;
        return ExitCode::Usage;
    }

    // A get may take many minutes; find out before it that its file cannot be written.
    QString reason;
    if (get && !OutputFile::checkWritable(args.value(OutOption), &reason)) {
        err << QStringLiteral("Cannot save \"%1\": %2").arg(args.value(OutOption), reason) << Qt::endl;
        return ExitCode::Failure;
    }

    DebugLog &log = DebugLog::shared();
    ExchClass config(&log);
    if (!get && !loadConfiguration(args.operand(0), config, err))
        return ExitCode::Failure;
    // Blank tables written over the exchange's would wipe the site.
    if (!get && holdsNoRecords(config)) {
        err << QStringLiteral("%1 holds no records; nothing was sent").arg(args.operand(0)) << Qt::endl;
        return ExitCode::Failure;
    }
    const bool changesOnly = args.hasValue(ChangesFromOption);
    QList<RecordRef> changed;
    if (changesOnly) {
        const QString basePath = args.value(ChangesFromOption);
        ExchClass base(&log);
        if (!loadConfiguration(basePath, base, err))
            return ExitCode::Failure;
        const QString since = Baseline::fromFile(base, basePath).description();
        const ChangedRecords changes(base, config);
        if (changes.layoutDifference() >= 0) {
            err << changes.layoutRefusal(since) << QStringLiteral("; nothing was sent") << Qt::endl;
            return ExitCode::Failure;
        }
        if (changes.isEmpty()) {
            out << ChangedRecords::nothingChanged(since) << QStringLiteral("; nothing was sent") << Qt::endl;
            return ExitCode::Success;
        }
        out << ChangedRecords::heading(since) << QLatin1Char(':') << Qt::endl;
        for (const QString &line : changes.lines())
            out << QStringLiteral("  ") << line << Qt::endl;
        changed = changes.records();
    }

    QtTimerFactory &timers = QtTimerFactory::shared();
    SerialLink link(std::make_unique<QtSerialPort>(timers, &log), nullptr, &log);
    const SerialPort::OpenResult opened = isNumber ? link.openPort(portNumber, speed) : link.openDevice(port, speed);
    const QString device = link.port().deviceName();
    if (!opened.opened()) {
        err << QStringLiteral("Cannot open %1: %2").arg(device, opened.reasonBeyond(device)) << Qt::endl;
        return ExitCode::Failure;
    }
    if (link.noConnection()) {
        err << device
            << (get ? QStringLiteral(": No Orvex detected - Not getting configuraton")
                    : QStringLiteral(": No Orvex detected - Not sending configuraton"))
            << Qt::endl;
        return ExitCode::Failure;
    }

    TransferEngine engine(link.packetSender(), link, timers, &log);
    link.attachTransfer(engine, engine);
    TerminalProgress progress(err, isatty(STDERR_FILENO));
    engine.setObserver(&progress);

    QEventLoop loop;
    progress.setFinishedCallback([&loop] { loop.quit(); });
    bool timedOut = false;
    QTimer::singleShot(timeoutSeconds * MillisecondsPerSecond, &loop, [&] {
        timedOut = true;
        loop.quit();
    });
    if (changesOnly)
        engine.startRecords(&config, changed);
    else
        engine.start(m_mode, &config);
    if (!progress.isFinished())
        loop.exec();

    if (timedOut) {
        engine.abort();
        err << QStringLiteral("%1: the transfer did not finish within %2 seconds").arg(device).arg(timeoutSeconds)
            << Qt::endl;
        return ExitCode::Failure;
    }
    if (progress.outcome() != TransferObserver::Outcome::Completed) {
        const QString reason = engine.failureText();
        err << device << QStringLiteral(": ")
            << (reason.isEmpty() ? QStringLiteral("the transfer was cancelled") : reason) << Qt::endl;
        return ExitCode::Failure;
    }
    if (get) {
        ConfigFile file;
        if (!file.save(config, args.value(OutOption))) {
            err << file.errorString() << Qt::endl;
            return ExitCode::Failure;
        }
        out << QStringLiteral("%1: %2 records read from %3")
                   .arg(args.value(OutOption))
                   .arg(config.recordCount())
                   .arg(port)
            << Qt::endl;
    } else if (changesOnly) {
        out << QStringLiteral("%1: %2 sent to %3")
                   .arg(args.operand(0), counted(changed.size(), QStringLiteral("changed record")), port)
            << Qt::endl;
    } else {
        out << QStringLiteral("%1: sent to %2").arg(args.operand(0), port) << Qt::endl;
    }
    if (!args.isSet(NoHistoryFlag))
        keepInHistory(config, err);
    return ExitCode::Success;
}
