// The main window's status bar as the workstation writes it: seven panes
// (message, the three lock keys, order count, date, time) and a message in
// pane 0 in colours of its own.
#pragma once

#include <cstdint>
#include <string>

#include "kvcore/kvcore_api.h"

namespace fw {
class StatusBar;
}

class KVCORE_API CKvStatusBar {
public:
    explicit CKvStatusBar(fw::StatusBar* bar = nullptr)
        : m_pBar(bar)
    {
    }
    void Attach(fw::StatusBar* bar) { m_pBar = bar; }
    fw::StatusBar* Bar() const { return m_pBar; }

    // Colours are 0x00BBGGRR; the whole pane is painted before the text.
    void SetOwnerDrawText(const std::string& text, uint32_t textColour, uint32_t backColour);
    const std::string& GetText() const { return m_sText; }
    uint32_t GetTextColor() const { return m_nTextColour; }
    uint32_t GetBkColor() const { return m_nBackColour; }

private:
    fw::StatusBar* m_pBar;
    std::string m_sText;
    uint32_t m_nTextColour = 0x000000; // button text
    uint32_t m_nBackColour = 0xF0F0F0; // button face
};
