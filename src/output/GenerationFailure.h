#pragma once

#include <exception>

namespace output
{

// A report that failed to load or build: its reason goes into ErrorMessage for the host, and into a box
// ("报表生成失败：…") outside the silent web mode.
void tellGenerationFailure(const std::exception& error);

} // namespace output
