#include "kvcore/app/prompts.h"

#include "kvcore/app/message_box.h"
#include "kvcore/app/session_core.h"
#include "kvcore/res/app_ids.h"
#include "fw/core/strings.h"

namespace {
bool SessionAsks()
{
    return ps != nullptr && ps->m_bConfirm != 0;
}
} // namespace

int AreYouShureEx(bool ask, std::string_view text)
{
    if (!ask)
        return fw::IDYES;
    return KvMessageBox(std::string(text), kConfirmBoxType);
}

int AreYouShureEx(bool ask, unsigned textId)
{
    if (!ask)
        return fw::IDYES;
    return AreYouShureEx(true, fw::loadString(textId == 0 ? IDS_CONFIRM_OPERATION : textId));
}

int AreYouShure(unsigned textId)
{
    return AreYouShureEx(SessionAsks(), textId);
}

int AreYouShure(std::string_view text)
{
    return AreYouShureEx(SessionAsks(), text);
}

int TableLimitError(unsigned nameId)
{
    // The format holds one "%s"; the name goes in its place without a printf.
    std::string text = fw::loadString(IDS_TABLE_OVERFLOW);
    const size_t at = text.find("%s");
    if (at != std::string::npos)
        text.replace(at, 2, fw::loadString(nameId));
    return KvMessageBox(text, kExclamationIcon);
}
