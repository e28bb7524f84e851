#include "kv32/windows/messages_view.h"

#include "fw/core/msgbox.h"
#include "kv32/dialogs/msg_dlgs.h"
#include "kv32/filters/dialogs/filter_dlgs.h"
#include "kv32/lists/list_dialogs.h"
#include "kv32/lists/messages_list.h"
#include "kv32/res/msg_news_window_strings.h"
#include "kv32/tables/all_tables.h"
#include "kvcore/app/message_box.h"

namespace {

const ExchMessageRec* AsMessage(const std::uint8_t* record)
{
    return reinterpret_cast<const ExchMessageRec*>(record);
}

} // namespace

CMsgsView::CMsgsView(QWidget* parent)
    : CListView(parent)
{
    const auto allows = [](unsigned id) {
        return [id](const std::uint8_t* current) { return MessageCommandAllowed(id, AsMessage(current)); };
    };
    MapCommand(ID_MESSAGE_VIEW, KvCommandRule::NeedCurrentRow, allows(ID_MESSAGE_VIEW), [this] { OnViewMessage(); });
    MapCommand(ID_MESSAGE_EDIT, KvCommandRule::NeedCurrentRow, allows(ID_MESSAGE_EDIT), [this] { OnEditMessage(); });
    MapCommand(
        ID_MESSAGE_DELETE, KvCommandRule::NeedCurrentRow, allows(ID_MESSAGE_DELETE), [this] { OnDeleteMessage(); });
}

CMsgsView::~CMsgsView() = default;

int CMsgsView::CurrentHostIndex() const
{
    const CTableIndexDoc* doc = GetListDoc();
    return doc == nullptr ? -1 : doc->HostIndexOfRow(doc->GetCurrentIndex());
}

void CMsgsView::OnViewMessage()
{
    const int index = CurrentHostIndex();
    if (index < 0)
        return;
    CMsgRecvDlg dlg(this);
    dlg.SetMessage(index);
    dlg.doModal();
}

void CMsgsView::OnEditMessage()
{
    const int index = CurrentHostIndex();
    const ExchMessageRec* message = index < 0 ? nullptr : ExchMessageTable().GetRec(index);
    if (message == nullptr)
        return;
    // The status may have changed since the menu was shown.
    if (!MessageIsWaiting(*message)) {
        KvMessageBox(KvMsgNewsWindowString(IDS_MESSAGE_NOT_WAITING), fw::MB_ICONEXCLAMATION);
        return;
    }
    CMsgSendDlg dlg(this);
    dlg.SetEditMode(index);
    dlg.doModal();
}

void CMsgsView::OnDeleteMessage()
{
    const int index = CurrentHostIndex();
    const ExchMessageRec* message = index < 0 ? nullptr : ExchMessageTable().GetRec(index);
    if (message != nullptr)
        KvDeleteMessage(*message);
}

void KvInstallMessagesFilterDialog()
{
    KvSetFilterDialog(CMsgsDoc::kTableId, [](CListCriteria& criteria) {
        auto* own = dynamic_cast<CMsgLetterCriteria*>(&criteria);
        if (own == nullptr)
            return static_cast<int>(fw::IDCANCEL);
        CFilterMsgDlg dlg(own->Get());
        return dlg.doModal();
    });
}
