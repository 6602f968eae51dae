#pragma once

#include <exception>
#include <functional>

namespace bw {

// The general error report: shows the error's message and lets the window run on.
void ReportError(const std::exception& error);

// Runs a step whose failure must not end what comes after it: the error is reported and
// false returned.
bool Reported(const std::function<void()>& step);

// A handler as `connect` takes it: a failure is reported where it happens and goes no
// further, so nothing is thrown through Qt's event loop.
template <typename Object>
auto Handled(Object* object, void (Object::*handler)()) {
  return [object, handler] { Reported([&] { (object->*handler)(); }); };
}

}  // namespace bw
