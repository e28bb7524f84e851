#pragma once
// A document template with windows: each document it opens gets a view in a child frame of the
// application's main frame. The frame comes from the template's frame factory, its icon from the
// template's resource id.
#include "fw/ui/fw_ui_api.h"
#include "fw/core/document.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace fw {

class ChildFrame;
class View;

class FW_UI_API DocTemplate : public DocTemplateBase {
public:
    using ViewFactory = std::function<std::unique_ptr<View>()>;
    // Builds the frame around a view (a ChildFrame or a class of the program's own).
    using FrameFactory = std::function<std::unique_ptr<ChildFrame>(std::unique_ptr<View> view)>;

    DocTemplate(uint32_t resourceId, DocumentFactory makeDocument, ViewFactory makeView,
                FrameFactory makeFrame = nullptr);
    ~DocTemplate() override;

    // Another frame and view on an existing document, updated and shown.
    ChildFrame* createFrame(Document& doc, bool makeVisible = true);

protected:
    bool createWindows(Document& doc, bool makeVisible) override;
    void initialUpdate(Document& doc, bool makeVisible) override;
    void destroyLater(std::shared_ptr<Document> dying) override;

private:
    // A frame and view on doc, not yet updated or shown.
    ChildFrame* makeFrame(Document& doc);

    ViewFactory makeView_;
    FrameFactory makeFrame_;
};

} // namespace fw
