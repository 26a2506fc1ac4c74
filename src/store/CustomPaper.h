#pragma once

#include <optional>
#include <QString>

// The custom paper of a report (PAGE_SIZE code 256), kept in the note of its PAGE_SIZE row as
// "width|height|width×560|height×560": the size in centimetres, then the same in the engine's scaled
// units. The scaled fields are what the first two give, so only those are read.
namespace store
{

// The engine's scaled units of a custom paper: centimetres × 560.
constexpr double ScaledUnitsPerCm = 560;

struct CustomPaper {
    double widthCm = 0;
    double heightCm = 0;

    double scaledWidth() const { return widthCm * ScaledUnitsPerCm; }
    double scaledHeight() const { return heightCm * ScaledUnitsPerCm; }
};

// The paper of a note whose first two fields are numbers above 0; none for an empty note or any other.
std::optional<CustomPaper> parseCustomPaper(const QString& note);

// The note that keeps a custom paper.
QString customPaperNote(const CustomPaper& paper);

} // namespace store
