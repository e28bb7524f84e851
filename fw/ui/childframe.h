#pragma once
// The MDI child window around one view.
#include "fw/ui/fw_ui_api.h"
#include <QMdiSubWindow>
#include <memory>

namespace fw {

class View;

class FW_UI_API ChildFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    // Takes the view; the frame deletes itself when closed.
    explicit ChildFrame(std::unique_ptr<View> view, QWidget* parent = nullptr);
    ~ChildFrame() override;

    View* view() const { return view_; }
    // Title from the document (the frame title follows the document title).
    void syncTitle();
    // Closes without the close hook (used when the document closes itself).
    void closeWithoutAsking();

    // Called before a user close; false keeps the frame open.
    virtual bool canClose() { return true; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    View* view_;
    bool force_ = false;
};

} // namespace fw
