#pragma once

#include <vector>

namespace platform::grid::internal
{

// Row heights or column widths in twips: the ones set explicitly, the others follow the default.
class SizeList
{
public:
    explicit SizeList(int defaultSize)
        : default_(defaultSize)
    {
    }

    int size(int index) const;
    bool isSet(int index) const;
    void set(int first, int last, int size);
    void unset(int first, int last); // back to the default
    int defaultSize() const { return default_; }
    void setDefaultSize(int size) { default_ = size; }

    void insert(int at, int count);
    void remove(int first, int count);
    void cutAfter(int last);

private:
    static constexpr int kUnset = -1;
    int default_;
    std::vector<int> sizes_; // index - 1; kUnset where the default applies
};

} // namespace platform::grid::internal
