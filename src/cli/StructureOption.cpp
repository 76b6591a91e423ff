#include "cli/StructureOption.h"

#include "cli/CommandArguments.h"
#include "csv/CsvTable.h"

namespace StructureOption {
int member(const CommandArguments &args, QString *problem)
{
    if (!args.hasValue(Option)) {
        *problem = QStringLiteral("missing %1 %2").arg(Option, Placeholder);
        return -1;
    }
    const int member = CsvTable::memberNamed(args.value(Option));
    if (member < 0) {
        *problem = QStringLiteral("unknown structure \"%1\"; the structures are %2")
                       .arg(args.value(Option), CsvTable::memberNames());
    }
    return member;
}
} // namespace StructureOption
