#pragma once
// A view shows its document inside a child frame and takes part in command routing
// (view, then document).
#include "fw/ui/fw_ui_api.h"
#include "fw/core/command.h"
#include "fw/ui/document.h"

#include <QPointer>
#include <QWidget>

class QPrinter;

namespace fw {

class ChildFrame;

class FW_UI_API View : public QWidget, public CmdTarget {
    Q_OBJECT
public:
    explicit View(QWidget* parent = nullptr);
    ~View() override;

    Document* document() const { return document_; }
    // Attaches the view to a document (once, by the template or a test).
    void setDocument(Document* doc);

    // After the frame exists and before it is shown; the default calls onUpdate(nullptr, 0, nullptr).
    virtual void onInitialUpdate();
    // The document changed: hint and object say what (their meaning is the document's).
    virtual void onUpdate(View* sender, intptr_t hint, Hint* object);
    // The document's title changed.
    virtual void onTitleChanged();

    // Printing (see fw::printView): the view paints its pages into printer and returns their
    // count. The default prints nothing.
    virtual void onBeginPrinting(bool /*preview*/) {}
    virtual int onPrint(QPrinter& /*printer*/) { return 0; }
    virtual void onEndPrinting() {}

    ChildFrame* parentFrame() const;

protected:
    void commandChain(std::vector<CmdTarget*>& out) override;

private:
    friend class Document;
    Document* document_ = nullptr;
};

} // namespace fw
