#pragma once
// A widget view shows its document inside a child frame and takes part in command routing
// (view, document, then the frame).
#include "fw/ui/fw_ui_api.h"
#include "fw/core/command.h"
#include "fw/core/document.h"

#include <QWidget>

class QPrinter;

namespace fw {

class ChildFrame;

class FW_UI_API View : public QWidget, public CmdTarget, public DocumentView {
    Q_OBJECT
public:
    explicit View(QWidget* parent = nullptr);
    ~View() override;

    // The document changed: hint and object say what (their meaning is the document's). The
    // default repaints.
    virtual void onUpdate(View* sender, intptr_t hint, Hint* object);
    // The document's title changed: the frame's caption follows.
    void onTitleChanged() override;

    // Printing (see fw::printView): the view paints its pages into printer and returns their
    // count. The default prints nothing.
    virtual void onBeginPrinting(bool /*preview*/) {}
    virtual int onPrint(QPrinter& /*printer*/) { return 0; }
    virtual void onEndPrinting() {}

    // The frame that holds the view (set when a frame takes it).
    ChildFrame* parentFrame() const { return frame_; }
    bool isWindow() const override { return frame_ != nullptr; }
    // The document closes: the frame closes without asking, which destroys the view.
    void closeWindow() override;

protected:
    void commandChain(std::vector<CmdTarget*>& out) override;

private:
    friend class ChildFrame;
    void onDocumentUpdate(DocumentView* sender, intptr_t hint, Hint* object) final;

    ChildFrame* frame_ = nullptr;
    bool destroying_ = false;
};

} // namespace fw
