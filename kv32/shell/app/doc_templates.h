// The list windows by table id: one row per kind of window that exists, with
// the factories of its document and view. A window's template is built the
// first time its kind of window is opened and kept until the program ends.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "kvcore/frame/table_template.h"

namespace fw {
class App;
}

struct CKvTemplateRow {
    std::uint32_t id; // the table id, also the resource id of the title and menu
    fw::DocTemplateBase::DocumentFactory makeDocument;
    fw::DocTemplate::ViewFactory makeView;
    // Null: the table window's usual frame.
    fw::DocTemplate::FrameFactory makeFrame = nullptr;
};

// The program's list windows; each list window adds its row here.
std::span<const CKvTemplateRow> KvDocTemplateTable();

class CKvDocTemplate : public CTDocTemplate {
public:
    using CTDocTemplate::CTDocTemplate;
    ~CKvDocTemplate() override;
};

// Builds the template of the id from its row, registers it with the
// application and returns it. An id without a row shows "Can not open window
// due to low on Windows resources..." and gives null: nothing opens.
CTDocTemplate* KvAddDocTemplate(fw::App& app, std::span<const CKvTemplateRow> rows, std::uint32_t id);
