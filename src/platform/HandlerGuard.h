// SPDX-License-Identifier: MIT
#pragma once

#include "platform/Prompter.h"

#include <functional>
#include <type_traits>
#include <utility>

// The application's general error handler. Handlers do not catch: each connection goes through
// guarded(), which shows the failure's own text as an error and lets the program go on. Qt must
// never see an exception leave a slot.
namespace handlerguard {

// Runs f; on an exception shows its text through the prompter and returns false.
bool run(Prompter& prompter, const std::function<void()>& f);

} // namespace handlerguard

namespace handlerguard {

// Calls f with the signal's arguments when it takes them, else without. Both are template
// parameters here, so the call not taken is never compiled.
template <class F, class... A> void callWithOrWithout(const F& f, A&&... args)
{
    if constexpr (std::is_invocable_v<const F&, A...>)
        f(std::forward<A>(args)...);
    else
        f();
}

} // namespace handlerguard

// Wraps a handler for connect(). A handler that takes no arguments may be connected to a signal that
// has some (QAction::triggered(bool), QPushButton::clicked(bool)); they are dropped.
template <class F> auto guarded(Prompter& prompter, F f)
{
    return [&prompter, f = std::move(f)](auto&&... args) {
        handlerguard::run(prompter, [&] { handlerguard::callWithOrWithout(f, std::forward<decltype(args)>(args)...); });
    };
}
