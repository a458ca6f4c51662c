#pragma once

#include <string>

namespace sg8 {

/// Installs the fatal error report as the core's fatal handler: a message box with
/// no owner, captioned "错误", with the error icon, then the program ends with
/// exit code -1 at once (no exit routine runs).
void installFatalReport();

/// The report's text for an out-of-memory message (given in UTF-8).
std::string fatalReportText(const std::string& messageUtf8);

}  // namespace sg8
