#pragma once
// Row drag and drop between the workstation's windows. CDragDropView is a table view whose
// selected rows can be dragged out (each row's identities, as the document's row accessors fill
// them) and which takes rows its document accepts. CDDFormView is a form window that only takes
// rows. What a row carries and what a drop does are the document's (CDragDropDoc).
#include "fw/ui/view.h"
#include "kvcore/gridview/table_view.h"
#include "kvcore/kvcore_api.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class CDragDropDoc;

namespace fw {
class Dialog;
class RowDropTarget;
}

class KVCORE_API CDragDropView : public CTView {
public:
    explicit CDragDropView(QWidget* parent = nullptr);
    ~CDragDropView() override;

    CDragDropDoc* GetDocument() const;
    // The table view's, then the grid becomes a drag source and a drop target for rows.
    void onInitialUpdate() override;

    // The text copied for the cell of a grid row and display column: a link to the cell,
    // "='<application>'|<row><column title>'", for a row that shows a document row; else empty.
    std::string GetCopyTextRowCol(std::uint32_t row, std::uint32_t col) const;
    // How a document row is named in that link.
    virtual std::string RowToString(std::uint32_t row) const;

    // The main frame's updates stay locked while a drag runs, so no poll reaches the router in
    // the middle of it; afterwards they are as they were before.
    Qt::DropAction runRowDrag(const std::function<Qt::DropAction()>& drag) override;

protected:
    bool dragPayload(const std::vector<int>& rows, std::vector<std::uint8_t>& payload, std::string& text) override;
    bool canAcceptRows(const std::vector<std::uint8_t>& payload) override;
    bool onRowDrop(const std::vector<std::uint8_t>& payload, Qt::DropAction action, fw::GridCell at) override;
};

class KVCORE_API CDDFormView : public fw::View {
public:
    // The form shows the controls of the dialog template.
    explicit CDDFormView(std::uint32_t templateId, QWidget* parent = nullptr);
    ~CDDFormView() override;

    CDragDropDoc* GetDocument() const;
    // The form's controls, and the view becomes a drop target for rows.
    void onInitialUpdate() override;
    fw::Dialog* Form() const { return m_pForm; }

    // A drag entering activates the window; a drop is accepted when the document takes it.
    int OnDragOver(const std::vector<std::uint8_t>& payload);
    int OnDrop(const std::vector<std::uint8_t>& payload, Qt::DropAction action);

private:
    std::uint32_t m_nTemplateId;
    fw::Dialog* m_pForm = nullptr;
    fw::RowDropTarget* m_pDropTarget = nullptr;
};
