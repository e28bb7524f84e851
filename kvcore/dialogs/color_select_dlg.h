// The "Color Select" dialog of a list window: a list of the document's colours, each with its
// name and a swatch; double-clicking a row picks another colour. OK writes them into the
// document, Cancel changes nothing.
#pragma once

#include "fw/ui/dialog.h"
#include "kvcore/dialogs/color_select.h"
#include "kvcore/kvcore_api.h"

#include <vector>

namespace kvcore {
class CTGXView;
}

enum KvColorSelectDlgId : unsigned {
    IDD_COLOR_SELECT = 30211,
    IDC_COLOR_LIST = 510,
};

class KVCORE_API CColorSelectDlg : public fw::Dialog {
    Q_OBJECT
public:
    explicit CColorSelectDlg(kvcore::CTGXView* view);

    bool onInitDialog() override;
    void onOK() override;

    // The working colours, one per row.
    const std::vector<kvcore::COLORREF>& Colors() const { return m_colors; }

private:
    void ShowSwatch(int row);
    void PickColor();

    kvcore::CTGXView* m_pView;
    std::vector<kvcore::COLORREF> m_colors;
};
