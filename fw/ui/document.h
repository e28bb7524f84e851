#pragma once
// Documents hold the data of a window; their views show it. Kept free of Qt so that document
// logic (tables, sorting) builds and tests without widgets.
#include "fw/ui/fw_ui_api.h"
#include "fw/core/command.h"

#include <cstdint>
#include <string>
#include <vector>

namespace fw {

class Archive;
class DocTemplate;
class View;

// The object handed to views with an update; documents and views agree on the concrete kind.
class FW_UI_API Hint {
public:
    virtual ~Hint();
};

// One flag per row: 1 = the row changed. Indexes beyond the end read as unchanged.
class FW_UI_API RowHint : public Hint {
public:
    RowHint() = default;
    explicit RowHint(int rows) : flags_(rows > 0 ? static_cast<size_t>(rows) : 0, 0) {}
    void AddRow(int row);
    void ClearRow(int row);
    int GetRow(int row) const;
    void Clear();
    int GetSize() const { return static_cast<int>(flags_.size()); }
    void SetSize(int rows);

private:
    std::vector<uint8_t> flags_;
};

class FW_UI_API Document : public CmdTarget {
public:
    Document();
    ~Document() override;

    // Called once by the template after construction; false abandons the document.
    virtual bool onNewDocument() { return true; }
    // Closes every frame showing the document; the template then destroys it.
    virtual void onCloseDocument();

    // Stores or loads the document's state (workspaces, settings); the default has none.
    virtual void serialize(Archive& /*ar*/) {}

    const std::string& title() const { return title_; }
    virtual void setTitle(const std::string& title);

    bool isModified() const { return modified_; }
    void setModified(bool modified = true) { modified_ = modified; }

    DocTemplate* docTemplate() const { return template_; }
    const std::vector<View*>& views() const { return views_; }
    View* firstView() const { return views_.empty() ? nullptr : views_.front(); }

    // Every view but sender gets onUpdate(sender, hint, object).
    void updateAllViews(View* sender, intptr_t hint = 0, Hint* object = nullptr);

    // Bookkeeping of the views; called by View.
    void addView(View* view);
    void removeView(View* view);

private:
    friend class DocTemplate;
    DocTemplate* template_ = nullptr;
    std::vector<View*> views_;
    std::string title_;
    bool modified_ = false;
    bool closing_ = false;
};

} // namespace fw
