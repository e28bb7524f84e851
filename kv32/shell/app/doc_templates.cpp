#include "kv32/shell/app/doc_templates.h"

#include <vector>

#include "fw/core/msgbox.h"
#include "fw/ui/app.h"
#include "kvcore/app/message_box.h"
#include "kvcore/res/app_ids.h"

std::span<const CKvTemplateRow> KvDocTemplateTable()
{
    // No list window is built yet; their rows join here, one per table id.
    static const std::vector<CKvTemplateRow> rows;
    return rows;
}

CKvDocTemplate::~CKvDocTemplate() = default;

CTDocTemplate* KvAddDocTemplate(fw::App& app, std::span<const CKvTemplateRow> rows, std::uint32_t id)
{
    for (const CKvTemplateRow& row : rows) {
        if (row.id != id)
            continue;
        auto tmpl = std::make_unique<CKvDocTemplate>(id, row.makeDocument, row.makeView);
        return static_cast<CTDocTemplate*>(&app.addDocTemplate(std::move(tmpl)));
    }
    KvMessageBoxId(IDS_LOW_RESOURCES, fw::MB_ICONSTOP);
    return nullptr;
}
