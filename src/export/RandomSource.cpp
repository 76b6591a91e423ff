#include "export/RandomSource.h"

#include <QRandomGenerator>

namespace {
class SystemRandomSource : public RandomSource
{
public:
    quint32 bounded(quint32 bound) override { return QRandomGenerator::system()->bounded(bound); }
};
} // namespace

RandomSource &RandomSource::system()
{
    static SystemRandomSource source;
    return source;
}
