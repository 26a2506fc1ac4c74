#pragma once

#include "engine/EngineState.h"
#include "engine/OutputForm.h"

namespace output
{

// Makes a window the engine's output form before it has pages built, and takes it away again when the
// window goes, so that the engine never holds on to a window that no longer exists.
class OutputFormBinding
{
public:
    explicit OutputFormBinding(engine::OutputForm& form)
        : form_(form)
    {
    }
    ~OutputFormBinding()
    {
        if (engine::dataEngine().Output == &form_)
            engine::dataEngine().Output = nullptr;
    }
    OutputFormBinding(const OutputFormBinding&) = delete;
    OutputFormBinding& operator=(const OutputFormBinding&) = delete;

    void bind() { engine::dataEngine().Output = &form_; }

private:
    engine::OutputForm& form_;
};

} // namespace output
