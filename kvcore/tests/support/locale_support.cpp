#include "support/locale_support.h"

namespace kvtest {

std::vector<std::string> ProcessLocales()
{
    std::vector<std::string> names { "C" };
    for (const char* hu : { "hu_HU.UTF-8", "hu_HU.utf8" }) {
        if (std::setlocale(LC_ALL, hu) != nullptr) {
            names.emplace_back(hu);
            break;
        }
    }
    std::setlocale(LC_ALL, "C");
    return names;
}

void ForEachProcessLocale(const std::function<void(const std::string&)>& body)
{
    for (const std::string& name : ProcessLocales()) {
        std::setlocale(LC_ALL, name.c_str());
        body(name);
    }
    std::setlocale(LC_ALL, "C");
}

} // namespace kvtest
