#pragma once

#include "export/ReportContent.h"

#include <QString>

class ExchClass;

// The configuration an engineer hands over, as sections of text tables:
// system parameters, classes, ACLs, virtual ports, groups, dialled numbers,
// physical ports and, on request, tones. Records whose slot is free are left
// out; a field the exchange's layout does not have leaves its cells empty.
class ConfigurationReport
{
public:
    struct Options
    {
        // The document's caption: the heading names it when the system has no name.
        QString caption;
        // PINs and pass codes in clear instead of masked.
        bool showCodes = false;
        bool includeTones = false;
    };

    static const QString HeadingPrefix; // "Configuration for "
    static const QString ProgramName;   // "Quillbridge"
    static const QString MaskedCode;

    static const QString SystemTitle;
    static const QString ClassesTitle;
    static const QString AclTitle;
    static const QString AclAccessTitle;
    static const QString VirtualPortsTitle;
    static const QString VirtualPortSettingsTitle;
    static const QString GroupsTitle;
    static const QString DialledNumbersTitle;
    static const QString PhysicalPortsTitle;
    static const QString TonesTitle;

    static ReportContent build(const ExchClass &config, const Options &options);
};
