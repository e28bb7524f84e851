// The "Title" dialog of a list window: the user types the window's title, takes the default
// title back, or hides the window's title bar. The dialog shows and hides the title bar itself;
// the caller stores the title it returns.
#pragma once

#include "fw/ui/dialog.h"
#include "kvcore/kvcore_api.h"

#include <string>

namespace fw {
class ChildFrame;
class Document;
}

enum KvTitleDlgId : unsigned {
    IDD_WINDOW_TITLE = 30209,
    IDC_TITLE_TEXT = 135,
    IDC_TITLE_DEFAULT = 342,
    IDC_TITLE_HIDE = 509,
};

inline constexpr std::size_t kMaxWindowTitle = 256;

class KVCORE_API CSetWinTextDlg : public fw::Dialog {
    Q_OBJECT
public:
    // defaultTitle: the document's default title; the title bar shown or hidden is that of the
    // frame around the document's first view.
    CSetWinTextDlg(fw::Document* doc, std::string defaultTitle, QWidget* parent = nullptr);

    bool onInitDialog() override;
    void onOK() override;
    void doDataExchange(fw::DataExchange& dx) override;

    std::string m_sTitle; // set by the caller before, read after OK
    int m_bHideTitle = 0;

private:
    fw::ChildFrame* Frame() const;
    void OnHideTitle();
    void OnChangeText();
    void OnDefault();

    fw::Document* m_pDoc;
    std::string m_sDefault;
};
