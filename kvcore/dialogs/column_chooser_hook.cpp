// The table window's column command opens the column chooser once the library is loaded.
#include "fw/core/strings.h"
#include "kvcore/app/session_core.h"
#include "kvcore/dialogs/column_chooser_dlg.h"
#include "kvcore/doc/ct_doc.h"
#include "kvcore/gridview/table_dialogs.h"
#include "kvcore/gridview/table_view.h"

int KvChooseColumns(KvColumnChooserArgs& args)
{
    std::vector<std::string> titles;
    for (const KvColumnTitle& title : args.titles)
        titles.push_back(title.stringId != 0 ? fw::loadString(title.stringId) : title.text);
    CTDoc* doc = args.view ? args.view->GetDocument() : nullptr;
    KvLayoutEntry* entry = doc && ps ? ps->GetLayout(doc->GetDocID()) : nullptr;
    CFormatExDlg dlg(args.captionId, std::move(titles), args.selection, doc, entry, args.view, args.mandatory);
    if (args.showFixed)
        dlg.ShowFixedColumns(args.fixedCount);
    const int result = dlg.doModal();
    if (result != fw::IDOK)
        return result;
    args.fixedCount = dlg.FixedColumns();
    // A window without a layout entry (no session) still shows the columns chosen.
    if (doc && !entry && args.selection)
        *args.selection = dlg.Result();
    return result;
}

namespace {

[[maybe_unused]] const bool kInstalled = (KvTableDialogs().chooseColumns = KvChooseColumns, true);

} // namespace
