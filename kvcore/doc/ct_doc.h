#pragma once
// CTDoc: the document of one list window, showing one host data table. It adds to the grid
// document the table id (its template's), a list of row objects, a custom window title and the
// window's layout kept in the session's entry for the table: a list window opened later, or a
// second window on the same table, starts with the layout the user left. Qt-free: what it needs
// of its window it asks through CTDocWindow.
#include "fw/core/records.h"
#include "kvcore/grid/gx_doc.h"
#include "kvcore/kvcore_api.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct KvLayoutEntry;

// One row object of a table document: the record bytes its column offsets address.
class KVCORE_API CTRowObject {
public:
    virtual ~CTRowObject();
    virtual const std::uint8_t* GetData() const = 0;
};

// A row object holding one record of a fixed layout.
template <typename Record> class CTRecordRow : public CTRowObject {
public:
    CTRecordRow() = default;
    explicit CTRecordRow(const Record& r) : record(r) {}
    const std::uint8_t* GetData() const override { return reinterpret_cast<const std::uint8_t*>(&record); }
    Record record {};
};

// What a table document asks of the window that shows it (the table view and its frame).
class KVCORE_API CTDocWindow {
public:
    virtual ~CTDocWindow();
    // The frame's placement (length 44).
    virtual fw::WindowPlacement GetFramePlacement() const = 0;
    virtual void SetFramePlacement(const fw::WindowPlacement& placement) = 0;
    virtual bool IsFrameAlwaysOnTop() const = 0;
    virtual void SetFrameAlwaysOnTop() = 0;
    virtual bool FrameHasCaption() const = 0;
    virtual void RemoveFrameCaption() = 0;
    // The document's columns, widths, frozen count and zoom were replaced as a whole.
    virtual void ApplyLayout() = 0;
};

// What a template of table windows tells its documents: the table id.
class KVCORE_API KvTableTemplate {
public:
    virtual ~KvTableTemplate();
    virtual std::uint32_t GetDocTemplateID() const = 0;
};

class KVCORE_API CTDoc : public kvcore::CTGXDoc {
public:
    CTDoc();
    ~CTDoc() override;

    // What a list window's document supplies; the base behaviour is in the comments.
    virtual int GetMaxColumns() { return 0; } // the columns the table can show
    virtual int GetFirstColumnID() { return 0; } // column k's title is string first + k
    // Appends the title ids first .. first + max - 1 to the available columns.
    virtual void AddColumnTitles();
    // The table's default colour list (the base: none).
    virtual void AddDefaultColors();
    // The table's default columns in their order (the base: every column in order).
    virtual void AddDefaultSelColumns();
    // The window's default title (the base: the string whose id is the table id).
    virtual void MakeTitle(std::string& title);
    // Sets the title MakeTitle builds; a title the user gave the window still wins.
    void Retitle();
    // The layout from / into the session's entry for the table.
    virtual void LoadDocumentInfo();
    virtual void StoreDocumentInfo();
    // Brings the rows in line with the document's filter; with apply set, the title follows.
    // 1 on success.
    virtual int ApplyFilter(bool apply);
    // Whether this document already shows what param asks for (the base: always).
    virtual int CheckTable(void* /*param*/) { return 1; }
    // 0 when the window must not be stored in a workspace (only its table id goes there).
    virtual int CanBeSerialized() { return 1; }

    bool onNewDocument() override;
    void onCloseDocument() override;
    // The custom title, when one is set, wins over the text given.
    void setTitle(const std::string& title) override;
    // The grid layout, then the window: placement, always-on-top flag, caption flag, title.
    void Serialize(fw::Archive& ar) override;
    const std::uint8_t* GetRowData(int row) const override;
    int GetRowCount() const override;
    // ApplyFilter(true), then the grid document's update.
    void UpdateDocument(intptr_t hint, fw::Hint* object) override;

    // The table id of the document's template (0 without one).
    std::uint32_t GetDocID() const;
    std::uint32_t GetTableID() const { return GetDocID(); }
    // "   ID = <id> (<title string of the id>)\r\n"
    std::string TestDump() const;

    // The window showing the document, or null.
    CTDocWindow* GetWindow() const;

    std::vector<std::unique_ptr<CTRowObject>> m_aRows; // row i is the object at index i
    int m_nSpare = 0;
    std::string m_sCustomTitle; // empty: the default title
    fw::WindowPlacement m_wndPlacement; // normal position (-1, -1, -1, -1): none stored

private:
    KvLayoutEntry* Entry() const;
};
