#pragma once

#include <QString>

class CommandArguments;

// The CSV commands' "--structure MEMBER": a structure as dump names it, in any letter case.
namespace StructureOption {
inline const QString Option = QStringLiteral("--structure");
inline const QString Placeholder = QStringLiteral("MEMBER");

// The member the option names; -1 with the usage problem when it is missing or names none.
int member(const CommandArguments &args, QString *problem);
} // namespace StructureOption
