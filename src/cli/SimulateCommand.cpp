#include "cli/SimulateCommand.h"

#include "cli/CommandArguments.h"
#include "link/PacketCode.h"
#include "link/Receiver.h"
#include "link/ReplyPacket.h"
#include "model/ConfigFile.h"
#include "model/ExchClass.h"
#include "model/RecordClass.h"
#include "model/RecordLabel.h"
#include "simulator/ExchangeSimulator.h"
#include "simulator/PtyEndpoint.h"
#include "simulator/StopSignalNotifier.h"
#include "simulator/sample/SampleConfiguration.h"

#include <QEventLoop>
#include <QTextStream>

namespace {
const QString ConfigOption = QStringLiteral("--config");
const QString BaudOption = QStringLiteral("--baud");
const QString DropEveryOption = QStringLiteral("--drop-every");
const QString NoTonesFlag = QStringLiteral("--no-tones");
const QString DumpOnExitOption = QStringLiteral("--dump-on-exit");

// What the simulator would answer that no receiver takes: a frame's content
// beyond Receiver::MaxFrameLength is dropped as noise, so a get of it could
// never finish. Empty when every frame fits.
QString oversizedFrame(const ExchClass &config)
{
    const auto tooLong = [](int code, int portId, const QByteArray &data) {
        return ReplyPacket::make(code, portId, data).size() > Receiver::MaxFrameLength;
    };
    for (int member = 0; member < ExchClass::MemberCount; ++member) {
        const RecordClass &s = config.member(member);
        const int id = ExchClass::info(member).definitionId;
        if (tooLong(PacketCode::StructureDefinition, id, s.DefinitionData()))
            return QStringLiteral("the layout of %1").arg(RecordLabel::structureTitle(member));
        if (tooLong(PacketCode::RecordsUsed, id, s.usedMap()))
            return QStringLiteral("the records-used map of %1").arg(RecordLabel::structureTitle(member));
        for (int i = 0; i < s.Records(); ++i) {
            if (tooLong(s.RequestCode(), i, s.record(i)))
                return RecordLabel::record(config, member, i);
        }
    }
    return QString();
}
} // namespace

QString SimulateCommand::name() const
{
    return QStringLiteral("simulate");
}

QString SimulateCommand::synopsis() const
{
    return QStringLiteral("[%1 FILE.QBF] [%2 RATE] [%3 N] [%4] [%5 FILE.QBF]")
        .arg(ConfigOption, BaudOption, DropEveryOption, NoTonesFlag, DumpOnExitOption);
}

QString SimulateCommand::summary() const
{
    return QStringLiteral("Answer as an exchange on a pseudo-terminal until SIGINT or SIGTERM, serving the "
                          "bundled sample unless a file is given; prints the device path first");
}

int SimulateCommand::run(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    CommandArguments args({NoTonesFlag}, {}, {ConfigOption, BaudOption, DropEveryOption, DumpOnExitOption});
    int baud = 0;
    int dropEvery = 0;
    if (!args.parse(arguments) || !args.number(BaudOption, 1, 0, baud)
        || !args.number(DropEveryOption, 0, 0, dropEvery)) {
        err << usageProblem(args.errorString()) << Qt::endl;
        return ExitCode::Usage;
    }

    ExchangeSimulator simulator;
    const QString configPath = args.value(ConfigOption);
    if (configPath.isEmpty()) {
        SampleConfiguration::build(simulator.configuration());
    } else {
        ConfigFile file;
        if (!file.load(simulator.configuration(), configPath)) {
            err << file.errorLine() << Qt::endl;
            return ExitCode::Failure;
        }
        const QString oversized = oversizedFrame(simulator.configuration());
        if (!oversized.isEmpty()) {
            err << QStringLiteral("%1: %2 would not fit in one frame of at most %3 bytes, so no get could read it")
                       .arg(configPath, oversized)
                       .arg(Receiver::MaxFrameLength)
                << Qt::endl;
            return ExitCode::Failure;
        }
    }
    simulator.setDropEvery(dropEvery);
    simulator.setNoTones(args.isSet(NoTonesFlag));

    PtyEndpoint endpoint(&simulator);
    endpoint.setBaudRate(baud);
    StopSignalNotifier stop;
    if (!stop.install()) {
        err << stop.errorString() << Qt::endl;
        return ExitCode::Failure;
    }
    if (!endpoint.open()) {
        err << endpoint.errorString() << Qt::endl;
        return ExitCode::Failure;
    }
    out << endpoint.slavePath() << Qt::endl;

    QEventLoop loop;
    QObject::connect(&stop, &StopSignalNotifier::stopRequested, &loop, &QEventLoop::quit);
    QObject::connect(&endpoint, &PtyEndpoint::failed, &loop, [&loop] { loop.exit(ExitCode::Failure); });
    if (loop.exec() != ExitCode::Success) {
        err << endpoint.errorString() << Qt::endl;
        return ExitCode::Failure;
    }
    endpoint.close();

    const QString dumpPath = args.value(DumpOnExitOption);
    if (!dumpPath.isEmpty()) {
        ConfigFile file;
        if (!file.save(simulator.configuration(), dumpPath)) {
            err << file.errorString() << Qt::endl;
            return ExitCode::Failure;
        }
    }
    return ExitCode::Success;
}
