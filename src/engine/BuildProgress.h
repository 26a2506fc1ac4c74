#pragma once

// The progress bar of the window that has the pages built: the builder reads its value once at the
// start of a build, moves it towards 50 after each page, and sets it to the bar's maximum when the data
// has ended.
namespace engine
{

class BuildProgress
{
public:
    virtual ~BuildProgress() = default;
    virtual double value() const = 0;
    virtual void setValue(double value) = 0;
    virtual double maximum() const = 0;
};

} // namespace engine
