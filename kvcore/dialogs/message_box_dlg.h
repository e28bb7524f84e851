// The workstation's own message box: every message of the program is shown by
// it, centred on the main window and under its title, with the icon and the
// buttons that the message-box type names.
#pragma once

#include <cstdint>
#include <string>

#include "fw/ui/dialog.h"
#include "kvcore/kvcore_api.h"

// Button sets and the third default beside fw's MB_ values.
inline constexpr uint32_t KV_MB_ABORTRETRYIGNORE = 0x2;
inline constexpr uint32_t KV_MB_RETRYCANCEL = 0x5;
inline constexpr uint32_t KV_MB_DEFBUTTON3 = 0x200;
inline constexpr uint32_t KV_MB_DEFMASK = 0xF00;

class KVCORE_API CMessageBoxDlg : public fw::Dialog {
    Q_OBJECT
public:
    // text is Windows-1250.
    CMessageBoxDlg(const std::string& text, uint32_t type, uint32_t helpId, QWidget* parent = nullptr);

    bool onInitDialog() override;
    void onCancel() override;

    // The buttons of a type, in order (their ids are their answers).
    static std::vector<uint32_t> ButtonsOf(uint32_t type);

private:
    std::string m_sText;
    uint32_t m_nType;
    uint32_t m_nHelpId;
};
