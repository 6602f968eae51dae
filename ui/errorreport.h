#pragma once

#include <exception>

namespace bw {

// The general error report: shows the error's message and lets the window run on.
void ReportError(const std::exception& error);

}  // namespace bw
