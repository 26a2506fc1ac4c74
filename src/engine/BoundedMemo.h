#pragma once

#include <cstddef>
#include <unordered_map>

namespace engine
{

// Answers kept by their question. A report repeats its values (a column of amounts, a group's name on
// every page), so each is worked out once; once the memo holds Capacity answers it starts over, which
// keeps its memory small whatever the data.
template <class Key, class Value, class Hash> class BoundedMemo
{
public:
    template <class Answer> const Value& operator()(const Key& key, Answer answer)
    {
        if (const auto known = answers_.find(key); known != answers_.end())
            return known->second;
        if (answers_.size() >= Capacity)
            answers_.clear();
        return answers_.emplace(key, answer()).first->second;
    }

private:
    static constexpr std::size_t Capacity = 4096;
    std::unordered_map<Key, Value, Hash> answers_;
};

} // namespace engine
