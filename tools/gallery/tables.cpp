// gallery_tables <output folder>: renders a list window of the workstation core library (the grid
// view over a grid document) to PNG, in English and Hungarian, offscreen: the sample table with
// every column type, its alignment and row colours (one row coloured like its text, kept
// readable), a sorted column with a bold title, a fixed column and a number too wide for its
// column shown as '#' marks.
#include "shot.h"

#include "fw/core/locale.h"
#include "fw/core/strings.h"
#include "fw/ui/app.h"
#include "fw/ui/datetimefield.h"
#include "fw/ui/text.h"
#include "kvcore/gridview/gx_view.h"
#include "kvcore/values/intl_info.h"
#include "support/sample_table_doc.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QStyleFactory>
#include <cstdio>

namespace {

using kvtest::SampleTableDoc;

bool renderTable(const QDir& out, const char* lang)
{
    SampleTableDoc doc;
    doc.FillSecurities();
    // The security first and fixed; the rest as the table defines them.
    doc.m_selected = { SampleTableDoc::kName, SampleTableDoc::kTrades, SampleTableDoc::kChange, SampleTableDoc::kLast,
        SampleTableDoc::kYield, SampleTableDoc::kDay, SampleTableDoc::kTime, SampleTableDoc::kTrend };
    doc.m_fixedColumns = 1;
    doc.UpdateDocument(0, nullptr);
    kvcore::CTGXView view;
    view.setWindowTitle(fw::toQt(fw::resourceText("Securities", "Értékpapírok")));
    view.setDocument(&doc);
    view.onInitialUpdate();
    view.resize(760, 290);
    view.show();
    gallery::settle();
    view.OnGridSizeToContent();
    // Too narrow for 4,000,000,000 trades, wide enough for the others.
    view.setColWidth(2, view.colWidth(2) * 6 / 10);
    view.setCurrentCell(1, 3);
    view.OnSortDescending();
    view.SetSelection(6);
    // The window as large as the grid, with room for the scroll bars.
    view.resize(view.contentSize() + QSize(20, 20));
    const bool ok = gallery::save(view, QStringLiteral("%1/table-grid-%2.png").arg(out.path(), lang));
    view.setDocument(nullptr);
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    auto render = [](const QDir& out, const char* lang, const fw::LocaleInfo& locale) {
        KvSetIntl(locale); // the core library's numbers and dates
        return renderTable(out, lang);
    };
    return gallery::runGallery(argc, argv, "gallery_tables", [] { return true; }, render);
}
