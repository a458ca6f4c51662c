#pragma once

#include <string>

namespace sg8 {

/// The text of the About box "版权": seven lines joined by CR LF.
std::string aboutText();

}  // namespace sg8
