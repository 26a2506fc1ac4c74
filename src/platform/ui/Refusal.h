#pragma once

#include "platform/ui/MessageBox.h"

#include <functional>
#include <optional>
#include <QString>
#include <type_traits>
#include <variant>

class QTabWidget;
class QWidget;

namespace platform::ui
{

// Why a window refuses what the user typed or asked for, as data that a test checks without widgets:
// the message (none: refused without a box), the control that takes the focus afterwards (a value of
// the window's own enum of controls; none: the focus stays), the tab page to turn to (none: the page
// stays), and the box's title and icon.
template <class Control> struct Refusal {
    QString message;
    std::optional<Control> focus;
    std::optional<int> tab;
    QString title = DefaultTitle;
    Icon icon = Icon::None;
    bool operator==(const Refusal&) const = default;
};

// A value read from what the user typed, or why it is refused.
template <class T, class Control> using Checked = std::variant<T, Refusal<Control>>;

// The controls of a refusal that moves no focus.
enum class NoControl {};

namespace detail
{
void showRefusal(const QString& message, const QString& title, Icon icon, QTabWidget* tabs,
    std::optional<int> tab, QWidget* focus);
}

// Shows a refusal: its box, then its page of `tabs`, then the focus on the widget that `controlOf` gives
// for its control.
template <class Control>
void showRefusal(const Refusal<Control>& refusal,
    const std::type_identity_t<std::function<QWidget*(Control)>>& controlOf = {}, QTabWidget* tabs = nullptr)
{
    QWidget* focus = refusal.focus && controlOf ? controlOf(*refusal.focus) : nullptr;
    detail::showRefusal(refusal.message, refusal.title, refusal.icon, tabs, refusal.tab, focus);
}

} // namespace platform::ui
