#include "ui/test_workstation.h"

#include <algorithm>

#include "fw/core/resources.h"
#include "fw/ui/view.h"
#include "kvcore/gridview/table_view.h"
#include "kvcore/app/app_core_base.h"
#include "kvcore/router/record_reader.h"
#include "support/test_app.h"

namespace kvtest {

namespace {

using fw::MenuEntry;
using fw::MenuEntryKind;

constexpr MenuEntry kLoggedOffMenu[] = {
    { 0, MenuEntryKind::Popup, 0, "&File", "&Fájl" },
    { 1, MenuEntryKind::Command, ID_KV_LOGON, "Log &on...", "&Bejelentkezés..." },
    { 1, MenuEntryKind::Separator },
    { 1, MenuEntryKind::Command, CKvAppCore::ID_APP_EXIT, "E&xit", "&Kilépés" },
};

constexpr MenuEntry kLoggedOnMenu[] = {
    { 0, MenuEntryKind::Popup, 0, "&File", "&Fájl" },
    { 1, MenuEntryKind::Command, ID_KV_LOGOFF, "Log o&ff", "&Kijelentkezés" },
    { 1, MenuEntryKind::Command, ID_KV_REFRESH, "&Refresh", "&Frissítés" },
    { 1, MenuEntryKind::Separator },
    { 1, MenuEntryKind::Command, CKvAppCore::ID_APP_EXIT, "E&xit", "&Kilépés" },
    { 0, MenuEntryKind::Popup, 0, "&Trade", "&Kereskedés" },
    { 1, MenuEntryKind::Command, kBuyCommand, "&Buy...", "&Vétel..." },
    { 1, MenuEntryKind::Separator },
    { 1, MenuEntryKind::Command, kRefusedCommand, "&Sell...", "&Eladás..." },
};

constexpr fw::MenuTemplate kMenus[] = {
    { kLoggedOffIDR, kLoggedOffMenu },
    { kLoggedOnIDR, kLoggedOnMenu },
};

constexpr fw::StringEntry kStrings[] = {
    { kLoggedOffIDR, "VEXA Universal Bench", "VEXA Universal Bench" },
    { kLoggedOnIDR, "VEXA Universal Bench - Trader Bench", "VEXA Universal Bench - Kereskedői munkaállomás" },
    { ID_KV_LOGON, "Log on to the trading system\nLog on", "Bejelentkezés a kereskedési rendszerbe\nBejelentkezés" },
    { ID_KV_LOGOFF, "Log off from the trading system\nLog off", "Kijelentkezés a kereskedési rendszerből\nKijelentkezés" },
    { ID_KV_REFRESH, "Refresh currently opened windows\nRefresh", "A nyitott ablakok frissítése\nFrissítés" },
    { kBuyCommand, "Enter a buy order\nBuy", "Vételi megbízás felvétele\nVétel" },
    { kRefusedCommand, "Enter a sell order\nSell", "Eladási megbízás felvétele\nEladás" },
};

const fw::ResourceSet kResources { "kvcore-test-workstation", kStrings, {}, kMenus };
[[maybe_unused]] const bool kRegistered = (fw::addResources(kResources), true);

class TableView : public fw::View {
};

} // namespace

std::vector<std::string>& CallLog()
{
    static std::vector<std::string> log;
    return log;
}

void Call(const std::string& entry)
{
    CallLog().push_back(entry);
}

WorkstationSession::~WorkstationSession()
{
    Call("delete session");
}

int WorkstationSession::RequestTETime()
{
    Call("RequestTETime");
    return 1;
}

int WorkstationSession::GetUserFirm()
{
    Call("GetUserFirm");
    return 1;
}

int WorkstationSession::OnNewDocument()
{
    Call("OnNewDocument");
    return realFiles ? CSessionCore::OnNewDocument() : 1;
}

int WorkstationSession::BCMessagesSwitch()
{
    Call("BCMessagesSwitch");
    return CSessionCore::BCMessagesSwitch();
}

int WorkstationSession::RestoreSettings(const char* path)
{
    Call("RestoreSettings");
    return realFiles ? CSessionCore::RestoreSettings(path) : 1;
}

int WorkstationSession::SaveSettings(const char* path)
{
    Call("SaveSettings");
    return realFiles ? CSessionCore::SaveSettings(path) : 1;
}

std::unique_ptr<CSessionCore> WorkstationFrame::CreateSession()
{
    Call("CreateSession");
    return std::make_unique<WorkstationSession>();
}

void WorkstationFrame::SetButtonGroups()
{
    static const uint32_t session[] = { ID_KV_LOGON, ID_KV_LOGOFF, 0, ID_KV_REFRESH };
    static const uint32_t trade[] = { kBuyCommand, kRefusedCommand };
    AddDefaultButtonGroup(session, 4, "Session", true, true);
    AddDefaultButtonGroup(trade, 2, "Trade", false, true);
}

void WorkstationFrame::EndSession(int bLogoff)
{
    if (ps != nullptr)
        Call(bLogoff ? "EndSession" : "EndSession without logoff");
    CMainFrameCore::EndSession(bLogoff);
}

int HostTable::UpdateReq()
{
    static const char key[] = "ALL";
    return VORLInfoReqAdd(kHostTableRequest, key, 3, this);
}

int HostTable::Decode(CRecordReader& reader)
{
    rows.push_back(reader.Text(reader.Remaining()));
    return 1;
}

int HostTable::Load()
{
    Call("load");
    return 1;
}

int HostTable::Save()
{
    Call("save");
    return 1;
}

void HostTable::Free()
{
    Call("free");
    rows.clear();
}

void TableDoc::UpdateDocument(intptr_t hint, fw::Hint* object)
{
    ++updates;
    CTDoc::UpdateDocument(hint, object);
}

std::unique_ptr<CMainFrameCore> WorkstationApp::CreateMainFrame()
{
    return std::make_unique<WorkstationFrame>();
}

CTDocTemplate* WorkstationApp::AddDocTemplateID(uint32_t id)
{
    if (id != kOrdersTable && id != kTradesTable)
        return CKvAppCore::AddDocTemplateID(id);
    auto tmpl = std::make_unique<CTDocTemplate>(id, [] { return std::make_unique<TableDoc>(); },
        []() -> std::unique_ptr<fw::View> {
            if (listWindows)
                return std::make_unique<CTView>();
            return std::make_unique<TableView>();
        });
    return static_cast<CTDocTemplate*>(&addDocTemplate(std::move(tmpl)));
}

int WorkstationApp::CanAccess(unsigned id, unsigned)
{
    return std::find(refused.begin(), refused.end(), id) == refused.end();
}

int WorkstationApp::VORLTransactionRecv(int code, char* text, int len, int)
{
    Call("tr" + std::to_string(code));
    return TransactionReply(*this, text, len);
}

int WorkstationApp::VORLInfoReqRecv()
{
    return ReceiveInfoReplies(InfoRecvWait());
}

int WorkstationApp::VORLBlockedInfoReqEnd(CVorlTarget* target)
{
    return ReceiveBlockedReply(target);
}

void WorkstationApp::DoRequest()
{
    Call("request");
    CKvAppCore::DoRequest();
}

void WorkstationApp::DoReceive()
{
    Call("receive");
    CKvAppCore::DoReceive();
}

} // namespace kvtest
