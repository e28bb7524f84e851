#include <gtest/gtest.h>

#include <cstring>

#include "fw/test/fwtest.h"
#include "kv32/dialogs/audit_dlgs.h"
#include "kv32/res/shell_dialog_ids.h"
#include "kv32/shell/audit_queue.h"
#include "kv32/tables/all_tables.h"
#include "support/ui_recorder.h"

namespace {

class AuditDialogs : public ::testing::Test {
protected:
    AuditDialogs()
    {
        Clear();
        AddGroup("G1", "Orders");
        AddGroup("G2", "Trades");
        AddType("G1", "T1", "Order entered", 'S');
        AddType("G2", "T2", "Trade made", 'P');
        AddType("G1", "T3", "Order withdrawn", 0);
    }
    ~AuditDialogs() override { Clear(); }
    static void Clear()
    {
        AuditGroupTable().Free();
        AuditEventTypeTable().Free();
        AuditTable().Free();
        TraderTable().Free();
        ParticipantTable().Free();
        AuditDisplayQueue().fill(-1);
        KvAuditPopupEvent() = -1;
    }
    static void AddGroup(const char* code, const char* name)
    {
        AuditGroupRec g {};
        std::strcpy(g.szCode, code);
        std::strcpy(g.szName, name);
        AuditGroupTable().AddRec(g);
    }
    static void AddType(const char* group, const char* type, const char* text, char letter)
    {
        AuditTypeRec t {};
        std::strcpy(t.szGroupCode, group);
        std::strcpy(t.szTypeCode, type);
        std::strcpy(t.szTypeText, text);
        t.szOverride[0] = letter;
        AuditEventTypeTable().AddRec(t);
    }
    kv32test::UiRecorder ui;
};

TEST_F(AuditDialogs, ModeFollowsTheGroupAndTheTypeAndOkStoresTheLetter)
{
    CAuditModeDlg dlg(2); // "Order withdrawn", no override
    fw::test::runModal(dlg, [&](fw::Dialog& d) {
        EXPECT_EQ(d.curSel(IDC_GROUP), 0);
        ASSERT_EQ(d.itemCount(IDC_AUDIT_TYPE), 2) << "the types of group G1";
        EXPECT_EQ(d.itemString(IDC_AUDIT_TYPE, d.curSel(IDC_AUDIT_TYPE)), "Order withdrawn");
        for (uint32_t id : { IDC_AUDIT_STATUS_LINE, IDC_AUDIT_POP_UP, IDC_AUDIT_NO_DISPLAY })
            EXPECT_EQ(d.isButtonChecked(id), 0);
        d.userSelect(IDC_AUDIT_TYPE, 0);
        EXPECT_EQ(d.isButtonChecked(IDC_AUDIT_STATUS_LINE), 1);
        d.userSelect(IDC_GROUP, 1);
        ASSERT_EQ(d.itemCount(IDC_AUDIT_TYPE), 1);
        EXPECT_EQ(d.curSel(IDC_AUDIT_TYPE), -1) << "the type chosen before is not in this group";
        d.userSelect(IDC_AUDIT_TYPE, 0);
        EXPECT_EQ(d.isButtonChecked(IDC_AUDIT_POP_UP), 1);
        d.userClick(IDC_AUDIT_NO_DISPLAY);
        d.userClick(fw::kIdOk);
    });
    EXPECT_EQ(AuditEventTypeTable().GetRec(1)->szOverride[0], 'N');
}

TEST_F(AuditDialogs, OkWithoutAModeStoresNoOverride)
{
    AuditEventTypeTable().GetRec(2)->szOverride[0] = 'x'; // a letter that is no mode
    CAuditModeDlg dlg(0);
    fw::test::runModal(dlg, [&](fw::Dialog& d) {
        EXPECT_EQ(d.isButtonChecked(IDC_AUDIT_STATUS_LINE), 1);
        // From a type with a mode to one without: no radio stays checked.
        d.userSelect(IDC_AUDIT_TYPE, 1);
        for (uint32_t id : { IDC_AUDIT_STATUS_LINE, IDC_AUDIT_POP_UP, IDC_AUDIT_NO_DISPLAY })
            EXPECT_EQ(d.isButtonChecked(id), 0) << id;
        d.userClick(fw::kIdOk);
    });
    EXPECT_EQ(AuditEventTypeTable().GetRec(0)->szOverride[0], 'S');
    EXPECT_EQ(AuditEventTypeTable().GetRec(2)->szOverride[0], '\0');
}

TEST_F(AuditDialogs, PopUpTakesTheFirstUsedSlotAfterAFreeOne)
{
    struct Case {
        std::vector<std::pair<int, int>> used; // slot, event
        int taken;
        int freedSlot;
    };
    const Case cases[] = {
        { {}, -1, -1 },
        { { { 0, 7 } }, 7, 0 },
        { { { 0, 7 }, { 1, 8 } }, 7, 0 },
        { { { 3, 9 }, { 4, 10 } }, 9, 3 },
        { { { 0, 1 }, { 1, 2 }, { 5, 6 } }, 6, 5 },
        { { { 99, 4 } }, 4, 99 },
    };
    for (const Case& c : cases) {
        AuditDisplayQueue().fill(-1);
        for (const auto& [slot, event] : c.used)
            AuditDisplayQueue()[static_cast<size_t>(slot)] = event;
        EXPECT_EQ(TakeNextAuditPopup(), c.taken);
        if (c.freedSlot >= 0) {
            EXPECT_EQ(AuditDisplayQueue()[static_cast<size_t>(c.freedSlot)], -1);
        }
    }
}

TEST_F(AuditDialogs, PopUpShowsTheEventWithNamesAndBeeps)
{
    TraderRec user;
    std::strcpy(user.szCode, "USER01");
    std::strcpy(user.szName, "Kov\xe1" "cs Anna");
    TraderTable().AddRec(user);
    ParticipantRec firm;
    std::strcpy(firm.szCode, "FIRM01");
    std::strcpy(firm.szName, "Alfa Br\xf3ker");
    ParticipantTable().AddRec(firm);
    AuditEventRec ev {};
    ev.time.SetDateTime(2026, 12, 10, 9, 36, 2);
    std::strcpy(ev.szGroupName, "Orders");
    std::strcpy(ev.szTypeText, "Order entered");
    std::strcpy(ev.szUser, "USER01");
    std::strcpy(ev.szFirm, "FIRM01");
    std::strcpy(ev.szToUser, "NOBODY");
    std::strcpy(ev.szBoardName, "Main");
    std::strcpy(ev.szSecurity, "ALFA");
    std::strcpy(ev.szText, "Order 42 entered");
    AuditTable().AddRec(ev);
    AuditDisplayQueue()[0] = 0;
    CAuditRecvDlg dlg;
    fw::test::runModal(dlg, [&](fw::Dialog& d) {
        EXPECT_EQ(KvAuditPopupEvent(), 0);
        EXPECT_EQ(d.itemText(IDC_GROUP), "Orders");
        EXPECT_EQ(d.itemText(IDC_TARGET_USER), "Kov\xe1" "cs Anna");
        EXPECT_EQ(d.itemText(IDC_AUDIT_FIRM), "Alfa Br\xf3ker");
        EXPECT_EQ(d.itemText(IDC_AUDIT_TO_USER), "") << "unknown users show nothing";
        EXPECT_EQ(d.itemText(IDC_ENTRY_LABEL), "Order 42 entered");
        EXPECT_EQ(d.focusId(), static_cast<uint32_t>(fw::kIdCancel));
        d.userClick(fw::kIdCancel);
    });
    EXPECT_EQ(KvAuditPopupEvent(), -1);
    EXPECT_EQ(AuditDisplayQueue()[0], -1);
    EXPECT_EQ(ui.beeps, std::vector<unsigned> { 0x30 });
}

} // namespace
