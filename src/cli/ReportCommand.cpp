#include "cli/ReportCommand.h"

#include "cli/CommandArguments.h"
#include "export/ConfigurationReport.h"
#include "export/report/ReportPages.h"
#include "model/ExchClass.h"

#include <QGuiApplication>
#include <QTextStream>

const QString ReportCommand::Name = QStringLiteral("report");

namespace {
const QString PdfOption = QStringLiteral("--pdf");
const QString ShowCodesFlag = QStringLiteral("--show-codes");
const QString TonesFlag = QStringLiteral("--tones");
const QString NoPageNumbersFlag = QStringLiteral("--no-page-numbers");
} // namespace

QString ReportCommand::name() const
{
    return Name;
}

QString ReportCommand::synopsis() const
{
    return QStringLiteral("%1 OUT.pdf [%2] [%3] [%4] %5")
        .arg(PdfOption, ShowCodesFlag, TonesFlag, NoPageNumbersFlag, FileOperand);
}

QString ReportCommand::summary() const
{
    return QStringLiteral("Write the configuration report of a file as a PDF (PINs and pass codes masked "
                          "unless --show-codes)");
}

int ReportCommand::run(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    CommandArguments args({ShowCodesFlag, TonesFlag, NoPageNumbersFlag}, {FileOperand}, {PdfOption});
    if (!parse(args, arguments, err))
        return ExitCode::Usage;
    const QString pdfPath = args.value(PdfOption);
    if (pdfPath.isEmpty()) {
        err << usageProblem(QStringLiteral("missing %1 OUT.pdf").arg(PdfOption)) << Qt::endl;
        return ExitCode::Usage;
    }
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        err << name() << QStringLiteral(": painting the report needs a QGuiApplication") << Qt::endl;
        return ExitCode::Failure;
    }

    const QString path = args.operand(0);
    ExchClass config;
    if (!loadConfiguration(path, config, err))
        return ExitCode::Failure;

    ConfigurationReport::Options options;
    options.caption = path;
    options.showCodes = args.isSet(ShowCodesFlag);
    options.includeTones = args.isSet(TonesFlag);
    QString error;
    if (!ReportPages::writePdf(ConfigurationReport::build(config, options), !args.isSet(NoPageNumbersFlag), pdfPath,
                               &error)) {
        err << QStringLiteral("%1: %2").arg(pdfPath, error) << Qt::endl;
        return ExitCode::Failure;
    }
    out << QStringLiteral("Report of %1 written to %2").arg(path, pdfPath) << Qt::endl;
    return ExitCode::Success;
}
