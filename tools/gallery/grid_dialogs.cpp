// gallery_grid_dialogs <output folder>: renders the dialogs of the core library's list windows
// to PNG, in English and Hungarian, offscreen, each filled in as a user leaves it: the sort
// dialog with two keys, the window title dialog, the colour selection of the sample table and
// the Customize sheet's grid page.
#include "shot.h"

#include "fw/core/resources.h"
#include "fw/core/strings.h"
#include "fw/ui/app.h"
#include "fw/ui/gridview.h"
#include "fw/ui/propertysheet.h"
#include "fw/ui/text.h"
#include "kvcore/dialogs/color_select_dlg.h"
#include "kvcore/dialogs/column_chooser_dlg.h"
#include "kvcore/dialogs/grid_props_page.h"
#include "kvcore/dialogs/sort_dlg.h"
#include "kvcore/dialogs/title_dlg.h"
#include "kvcore/gridview/gx_view.h"
#include "kvcore/session/session_record.h"
#include "support/sample_table_doc.h"

#include <QDir>

namespace {

using kvtest::SampleTableDoc;

// The sample table's named row colours.
enum : std::uint16_t { kRising = 0xE201, kFalling, kHighlighted, kColumnsCaption };
constexpr fw::StringEntry kColorNames[] = {
    { kRising, "Rising", "Emelkedő" },
    { kFalling, "Falling", "Csökkenő" },
    { kHighlighted, "Highlighted", "Kiemelt" },
    { kColumnsCaption, "Columns", "Oszlopok" },
};
const fw::ResourceSet kGalleryStrings { "gallery-grid-dialogs", kColorNames };

bool Show(fw::Dialog& dlg, const QDir& out, const char* name, const char* lang)
{
    dlg.adjustSize();
    dlg.show();
    gallery::settle();
    const bool ok = gallery::save(dlg, QStringLiteral("%1/%2-%3.png").arg(out.path(), QString::fromLatin1(name), lang));
    dlg.hide();
    return ok;
}

bool RenderSort(SampleTableDoc& doc, const QDir& out, const char* lang)
{
    std::vector<std::string> titles;
    for (std::size_t id = 0; id < doc.m_available.size(); ++id)
        titles.push_back(doc.GetColumnTitleText(static_cast<int>(id)));
    std::vector<std::uint32_t> keys = { kvcore::CTGXDoc::MakeSortKey(SampleTableDoc::kLast, 0),
        kvcore::CTGXDoc::MakeSortKey(SampleTableDoc::kName, 1) };
    CDlgTabSort dlg(titles, keys);
    dlg.initialize();
    return Show(dlg, out, "dialog-sort", lang);
}

bool RenderTitle(SampleTableDoc& doc, const QDir& out, const char* lang)
{
    CSetWinTextDlg dlg(&doc, fw::resourceText("Securities", "Értékpapírok"));
    dlg.m_sTitle = fw::resourceText("Securities - my watch list", "Értékpapírok - figyelt lista");
    dlg.initialize();
    return Show(dlg, out, "dialog-title", lang);
}

bool RenderColors(SampleTableDoc& doc, const QDir& out, const char* lang)
{
    kvcore::CTGXView view;
    view.setDocument(&doc);
    view.onInitialUpdate();
    CColorSelectDlg dlg(&view);
    dlg.initialize();
    dlg.setCurSel(IDC_COLOR_LIST, 2);
    const bool ok = Show(dlg, out, "dialog-colors", lang);
    view.setDocument(nullptr);
    return ok;
}

bool RenderColumns(SampleTableDoc& doc, const QDir& out, const char* lang)
{
    std::vector<std::string> titles;
    for (std::size_t id = 0; id < doc.m_available.size(); ++id)
        titles.push_back(doc.GetColumnTitleText(static_cast<int>(id)));
    KvLayoutEntry entry;
    entry.columnSets[1] = { SampleTableDoc::kName, SampleTableDoc::kLast };
    doc.m_selected = { SampleTableDoc::kName, SampleTableDoc::kLast, SampleTableDoc::kChange, SampleTableDoc::kTrades };
    doc.m_columnSet = 0;
    CFormatExDlg dlg(kColumnsCaption, titles, &doc.m_selected, &doc, &entry, nullptr, 0);
    dlg.ShowFixedColumns(1);
    dlg.initialize();
    return Show(dlg, out, "dialog-columns", lang);
}

bool RenderGridPage(const QDir& out, const char* lang)
{
    fw::GridProperties props;
    props.markCurrentRow = true;
    props.colors[fw::kGridLineColor] = 0x808080;
    CTGXPropDlg page(props);
    fw::PropertySheet sheet(fw::resourceText("Customize", "Testreszabás"));
    sheet.addPage(page);
    sheet.initialize();
    return Show(sheet, out, "dialog-grid-page", lang);
}

} // namespace

int main(int argc, char** argv)
{
    auto render = [](const QDir& out, const char* lang, const fw::LocaleInfo&) {
        SampleTableDoc doc;
        doc.FillSecurities();
        doc.m_colorElems = { kRising, kFalling, kHighlighted };
        doc.UpdateDocument(0, nullptr);
        bool ok = RenderSort(doc, out, lang);
        ok &= RenderTitle(doc, out, lang);
        ok &= RenderColors(doc, out, lang);
        ok &= RenderGridPage(out, lang);
        ok &= RenderColumns(doc, out, lang);
        return ok;
    };
    auto prepare = [] {
        fw::addResources(kGalleryStrings);
        return true;
    };
    return gallery::runGallery(argc, argv, "gallery_grid_dialogs", prepare, render);
}
