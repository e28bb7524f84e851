// The "Grid" page of the Customize sheet: how every table grid looks and prints (grid lines,
// 3D titles, marking of the current row and column, the colours of the grid's own elements,
// the font, the page setup with its header and footer), with a small preview grid that shows
// every change at once. CTGXCustomizePage edits working copies and writes them back on Apply.
#pragma once

#include "fw/core/gridprops.h"
#include "fw/core/gridsource.h"
#include "fw/ui/propertysheet.h"
#include "kvcore/kvcore_api.h"

#include <QWidget>

#include <cstdint>
#include <vector>

namespace fw {
class GridView;
}

enum KvGridPropsId : unsigned {
    IDD_GRID_PROPERTIES = 30201,
    IDS_GRID_LINE_COLOR = 30026,
    IDS_GRID_MARK_COLOR = 30027,
    IDS_GRID_PREVIEW_TEXT = 30028,
    IDC_GRID_FONT = 108,
    IDC_GRID_PAGE_SETUP = 109,
    IDC_GRID_HEAD_FOOT = 110,
    IDC_GRID_PREVIEW = 23101,
    IDC_GRID_3D = 23111,
    IDC_GRID_VERTICAL = 23113,
    IDC_GRID_HORIZONTAL = 23114,
    IDC_GRID_MARK_ROW = 23115,
    IDC_GRID_MARK_COLUMN = 23116,
    IDC_GRID_COLOR_LIST = 23117,
    IDC_GRID_COLOR_CHOOSER = 23118,
};

// The colour chooser reports a picked colour to its dialog with this code.
inline constexpr auto kNotifyColorPicked = static_cast<fw::Notify>(2011);

// The look every table grid shares: the session's while a user is logged on.
KVCORE_API fw::GridProperties& KvGridProperties();

// A palette of the 16 standard colours; the colour shown is checked when the palette has it.
class KVCORE_API KvColorPalette : public QWidget {
    Q_OBJECT
public:
    static constexpr int kColors = 16;
    explicit KvColorPalette(QWidget* parent = nullptr);

    void SetColor(std::uint32_t color);
    // -1 when the palette does not hold the colour shown.
    int Current() const { return m_current; }
    std::uint32_t Picked() const { return m_picked; }
    // As a click on swatch `index` does: the dialog is told.
    void Pick(int index);
    static std::uint32_t ColorAt(int index);

private:
    int m_current = -1;
    std::uint32_t m_picked = 0;
};

class KVCORE_API CTGXPropDlg : public fw::PropertyPage {
    Q_OBJECT
public:
    // props: the properties the page edits (not owned).
    explicit CTGXPropDlg(fw::GridProperties& props);
    ~CTGXPropDlg() override;

    bool onInitDialog() override;
    bool onSetActive() override;
    void doDataExchange(fw::DataExchange& dx) override;

    fw::GridView* Preview() const;
    KvColorPalette* Chooser() const { return m_chooser; }

protected:
    fw::GridProperties& m_props;

private:
    class PreviewSource : public fw::GridSource {
    public:
        int rowCount() const override { return 10; }
        int columnCount() const override { return 10; }
        bool cellStyle(int row, int col, fw::CellStyle& style) const override;
    };

    void OnCheck();
    void OnColorSelected();
    void OnColorPicked();
    void OnFont();
    void OnPageSetup();
    void RedrawPreview();

    PreviewSource m_source;
    KvColorPalette* m_chooser = nullptr;
};

namespace detail {
// Holds the working copy before the page that edits it is built.
struct KvGridPropertiesCopy {
    fw::GridProperties m_working = KvGridProperties();
};
} // namespace detail

// No Q_OBJECT: the working copy must be built before the page, so the page is not the first base.
class KVCORE_API CTGXCustomizePage : private detail::KvGridPropertiesCopy, public CTGXPropDlg {
public:
    CTGXCustomizePage();

    // The page's own apply, then the working copy becomes the look of every table grid and
    // every table window repaints.
    bool onApply() override;

    const fw::GridProperties& Working() const { return m_working; }
};
