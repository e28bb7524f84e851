#pragma once
// Tabbed property sheets: each page is a dialog template; OK and Apply hand the changes of
// every page that was shown to its onApply, Apply is enabled while some page is modified.
#include "fw/ui/fw_ui_api.h"
#include "fw/ui/dialog.h"

#include <string>
#include <vector>

class QPushButton;
class QTabWidget;

namespace fw {

class PropertySheet;

inline constexpr uint32_t kIdApplyNow = 0x3021;

class FW_UI_API PropertyPage : public Dialog {
    Q_OBJECT
public:
    explicit PropertyPage(uint32_t templateId);
    ~PropertyPage() override;

    // A change on the page; enables the sheet's Apply button.
    void setModified(bool modified = true);
    bool isModified() const { return modified_; }

    // The page becomes visible (first time: onInitDialog runs before).
    virtual bool onSetActive() { return true; }
    // The page is left or the sheet applies: the default takes the data from the controls;
    // false keeps the page active.
    virtual bool onKillActive() { return updateData(true); }
    // The changes take effect; the default does nothing more.
    virtual bool onApply() { return true; }
    virtual void onReset() {}

    PropertySheet* sheet() const { return sheet_; }
    bool activated() const { return activated_; }

    // Enter and Escape inside a page act on the whole sheet.
    void onOK() override;
    void onCancel() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    friend class PropertySheet;
    PropertySheet* sheet_ = nullptr;
    bool modified_ = false;
    bool activated_ = false;
};

class FW_UI_API PropertySheet : public Dialog {
    Q_OBJECT
public:
    explicit PropertySheet(const std::string& caption, QWidget* parent = nullptr);
    ~PropertySheet() override;

    // The pages stay the caller's (usually members of the same object); add them before running.
    // A page destroyed before the sheet leaves it.
    void addPage(PropertyPage& page);
    // Puts the page before the one at index (appends when index is past the end); a page of
    // the sheet moves there.
    void insertPage(int index, PropertyPage& page);
    int pageCount() const { return static_cast<int>(pages_.size()); }
    PropertyPage* page(int index) const;
    int activeIndex() const { return active_; }
    // Leaves the active page (if it agrees) and shows another. False when refused.
    bool setActivePage(int index);

    bool onInitDialog() override;
    void onOK() override;
    void onCancel() override;
    // Applies every modified page that has been shown; false when a page refused.
    bool apply();
    bool isApplyEnabled() const;
    void pageModified();

private:
    friend class PropertyPage;
    void removePage(PropertyPage* page);

    QTabWidget* tabs_;
    QPushButton* applyButton_;
    std::vector<PropertyPage*> pages_;
    int active_ = -1;
    bool switching_ = false;
};

} // namespace fw
