#pragma once
// The one place where the 8-bit Windows-1250 texts of the program meet Qt's Unicode strings.
#include "fw/ui/fw_ui_api.h"
#include <QString>
#include <string>
#include <string_view>

namespace fw {

FW_UI_API QString toQt(std::string_view cp1250);
// Characters that Windows-1250 cannot hold become '?'.
FW_UI_API std::string fromQt(const QString& text);

} // namespace fw
