#pragma once

// Moving through the pages of a built batch: one page is shown at a time, from page 1.
namespace output
{

struct NavigationButtons {
    bool previous = false;
    bool next = false;
    bool operator==(const NavigationButtons&) const = default;
};

// Which of the buttons "上一页" and "下一页" may be pressed on page `current` of a batch of
// `pageCount` pages: never towards a page that was not built.
NavigationButtons navigationFor(int current, int pageCount);

} // namespace output
