#pragma once

#include <functional>

namespace engine
{

// The first n from `from` to `to` for which `holds` is true, where `holds` is false up to some n and true
// from there on; `to` + 1 when it holds nowhere, `from` when the range is empty. It probes `from`, then
// steps of 1, 2, 4... beyond it, and halves the last step: the probes number about twice the logarithm
// of the distance to the answer, and none reaches further than twice that distance, so measuring a
// piece of text never costs more than measuring twice the answer.
long long FirstHolding(long long from, long long to, const std::function<bool(long long)>& holds);

} // namespace engine
