#include "kvcore/dialogs/get_color.h"

#include <QApplication>
#include <algorithm>

#include "fw/ui/commondlg.h"

uint32_t GetColor(uint32_t* custom, uint32_t initial)
{
    fw::CustomColors working {};
    if (custom != nullptr)
        std::copy(custom, custom + working.size(), working.begin());
    const std::optional<uint32_t> chosen = fw::chooseColor(initial, working, QApplication::activeWindow());
    if (!chosen)
        return initial;
    if (custom != nullptr)
        std::copy(working.begin(), working.end(), custom);
    return *chosen;
}
