#include "kv32/windows/news_view.h"

#include "fw/core/msgbox.h"
#include "kv32/dialogs/news_dlgs.h"
#include "kv32/filters/dialogs/filter_dlgs.h"
#include "kv32/lists/list_dialogs.h"
#include "kv32/lists/news_list.h"
#include "kv32/res/msg_news_window_strings.h"
#include "kv32/shell/news_opener.h"
#include "kv32/tables/all_tables.h"

namespace {

const NewsRec* AsHead(const std::uint8_t* record)
{
    return reinterpret_cast<const NewsRec*>(record);
}

} // namespace

CNewsView::CNewsView(QWidget* parent)
    : CListView(parent)
{
    const auto allows = [](unsigned id) {
        return [id](const std::uint8_t* current) { return NewsCommandAllowed(id, AsHead(current)); };
    };
    MapCommand(ID_NEWS_TEXT, KvCommandRule::NeedCurrentRow, allows(ID_NEWS_TEXT), [this] { OnNewsText(); });
    MapCommand(ID_NEWS_FILE, KvCommandRule::NeedCurrentRow, allows(ID_NEWS_FILE), [this] { OnNewsFile(); });
    MapCommand(ID_NEWS_EDIT, KvCommandRule::NeedCurrentRow, allows(ID_NEWS_EDIT), [this] { OnEditNews(); });
    MapCommand(ID_NEWS_DELETE, KvCommandRule::NeedCurrentRow, allows(ID_NEWS_DELETE), [this] { OnDeleteNews(); });
}

CNewsView::~CNewsView() = default;

int CNewsView::CurrentHostIndex() const
{
    const CTableIndexDoc* doc = GetListDoc();
    return doc == nullptr ? -1 : doc->HostIndexOfRow(doc->GetCurrentIndex());
}

void CNewsView::OnNewsText()
{
    const int index = CurrentHostIndex();
    if (index < 0)
        return;
    CNewsItemDlg dlg(index, this);
    dlg.doModal();
}

void CNewsView::OnNewsFile()
{
    const int index = CurrentHostIndex();
    if (index < 0)
        return;
    KvOpenNewsAttachment(NewsTable().GetRec(index)->szFileName);
}

void CNewsView::OnEditNews()
{
    const int index = CurrentHostIndex();
    if (index < 0 || !NewsIsWaiting(*NewsTable().GetRec(index)))
        return;
    CNewsDlg dlg(this);
    dlg.SetMode(3, index);
    dlg.doModal();
}

void CNewsView::OnDeleteNews()
{
    const int index = CurrentHostIndex();
    if (index >= 0)
        KvRemoveNews(*NewsTable().GetRec(index));
}

void KvInstallNewsFilterDialog()
{
    KvSetFilterDialog(CNewsDoc::kTableId, [](CListCriteria& criteria) {
        auto* own = dynamic_cast<CNewsCriteria*>(&criteria);
        if (own == nullptr)
            return static_cast<int>(fw::IDCANCEL);
        CFilterNewsDlg dlg(own->Get());
        return dlg.doModal();
    });
}
