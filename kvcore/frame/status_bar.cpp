#include "kvcore/frame/status_bar.h"

#include "fw/ui/statusbar.h"

void CKvStatusBar::SetOwnerDrawText(const std::string& text, uint32_t textColour, uint32_t backColour)
{
    m_sText = text;
    m_nTextColour = textColour;
    m_nBackColour = backColour;
    if (m_pBar != nullptr)
        m_pBar->setColouredMessage(text, textColour, backColour);
}
