#pragma once
// The one place where the 8-bit Windows-1250 texts of the program meet Qt's Unicode strings.
#include <QString>
#include <string>
#include <string_view>

namespace fw {

QString toQt(std::string_view cp1250);
// Characters that Windows-1250 cannot hold become '?'.
std::string fromQt(const QString& text);

} // namespace fw
