#pragma once
// CTView: the view of every list window, a grid view with what a table window of the workstation
// adds: the window goes where the user left it, printing follows the user's rights, the column
// chooser, the popup-menu editor and the title dialog open for its table, and the right-click
// menu is built from the table's menu and the user's popup definition.
#include "fw/core/menu.h"
#include "kvcore/doc/ct_doc.h"
#include "kvcore/gridview/gx_view.h"
#include "kvcore/kvcore_api.h"

class KVCORE_API CTView : public kvcore::CTGXView, public CTDocWindow {
    Q_OBJECT
public:
    explicit CTView(QWidget* parent = nullptr);
    ~CTView() override;

    CTDoc* GetDocument() const;
    // The table id; also the id of the table's menu.
    uint32_t GetViewID() const;

    // The grid's initial update, then the stored window placement (when one is stored).
    void onInitialUpdate() override;
    // The main frame knows while a print preview is open.
    void onBeginPrinting(bool preview) override;
    void onEndPrinting() override;

    // Shows the popup of menuId (0: the table's own) at point, owned by the main frame.
    void DoPopUpMenu(QPoint point, unsigned menuId) override;
    // The popup DoPopUpMenu shows: the first submenu of menus 52 and 53, else the items of the
    // table's menu that the user's popup definition names, in its order. Both cut to the user's
    // rights. Nothing when the menu does not exist.
    std::optional<fw::Menu> BuildPopUpMenu(unsigned menuId) const;
    // Minimising clears the selection.
    virtual void SetIconic(bool iconic);

    void OnOptionsDisplayOrder();
    void OnOptionsPopup();
    void OnOptionsTitle();

    // What the document asks of its window.
    fw::WindowPlacement GetFramePlacement() const override;
    void SetFramePlacement(const fw::WindowPlacement& placement) override;
    bool IsFrameAlwaysOnTop() const override;
    void SetFrameAlwaysOnTop() override;
    bool FrameHasCaption() const override;
    void RemoveFrameCaption() override;
    void ApplyLayout() override;

    // The view's own menu object, for derived views.
    fw::Menu m_menu;

private:
    void MapTableCommands();
};
