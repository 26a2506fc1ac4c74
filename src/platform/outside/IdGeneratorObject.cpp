#include "platform/outside/IdGeneratorObject.h"

#include <mutex>
#include <QDateTime>
#include <QRandomGenerator>

namespace platform::outside
{

namespace
{

constexpr int SequencesPerSecond = 1000000;

// The second the last id was taken from and how many ids it has given. The clock only moves forward:
// when the wall clock stands still or goes back, ids keep counting in the last second used.
struct IdClock {
    std::mutex mutex;
    qint64 second = 0;
    int issued = 0;
    int start = 0;
};

IdClock& idClock()
{
    static IdClock clock;
    return clock;
}

} // namespace

QString IdGeneratorObject::newId(const QString&)
{
    IdClock& clock = idClock();
    const std::lock_guard lock(clock.mutex);
    const qint64 now = QDateTime::currentSecsSinceEpoch();
    if (now > clock.second || clock.issued == SequencesPerSecond) {
        clock.second = std::max(now, clock.second + (clock.issued == SequencesPerSecond ? 1 : 0));
        clock.issued = 0;
        clock.start = static_cast<int>(QRandomGenerator::global()->bounded(SequencesPerSecond));
    }
    const int sequence = (clock.start + clock.issued) % SequencesPerSecond;
    ++clock.issued;
    return QDateTime::fromSecsSinceEpoch(clock.second).toString(QStringLiteral("yyyyMMddhhmmss"))
        + QStringLiteral("%1").arg(sequence, 6, 10, QLatin1Char('0'));
}

} // namespace platform::outside
