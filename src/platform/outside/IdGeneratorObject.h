#pragma once

#include <QString>

namespace platform::outside
{

// Hands out ids of 20 digits: the local date and time as 14 digits (yyyyMMddhhmmss) followed by a
// 6-digit sequence. Within a process no id repeats: the sequence of a second starts at a random value
// and counts up, and after a million ids in one second the generator moves on to the next second.
// The random start makes a clash with another process very unlikely.
class IdGeneratorObject
{
public:
    static constexpr int IdLength = 20;

    // Callers pass an empty text, as the report tables' writers always have; the text is not used.
    QString newId(const QString& seed = {});
};

} // namespace platform::outside
