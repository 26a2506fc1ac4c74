#pragma once

#include <QImage>
#include <QVector>

// The window that has the engine build pages (preview, print, print progress). Pictures of a report are
// drawing objects of the output grid, so the window needs nothing from the engine to show them; it sets
// itself as the Output of the run it owns (EngineState.h) and is told when the pictures of a build are
// loaded, to show them elsewhere if it wants to.
namespace engine
{

class OutputForm
{
public:
    virtual ~OutputForm() = default;

    // Once per build: entry i-1 is picture i of the report (PictureCells), null when its file could not
    // be read.
    virtual void picturesLoaded(const QVector<QImage>& pictures) = 0;
};

} // namespace engine
