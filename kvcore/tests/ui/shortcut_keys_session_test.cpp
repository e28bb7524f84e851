// Shortcuts edited on the page and applied reach the session's settings file at logoff; the
// next logon gets them back, cut down to the rights the user has then.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>

#include "fw/test/fwtest.h"
#include "fw/ui/app.h"
#include "kvcore/app/app_core_logic.h"
#include "kvcore/app/session_core.h"
#include "kvcore/dialogs/chooser_ids.h"
#include "kvcore/dialogs/shortcut_keys_page.h"
#include "support/scoped_env.h"
#include "support/scratch_dir.h"

namespace {

constexpr std::uint16_t kLogOn = 35940, kLogOff = 35941, kRefresh = 35968;

fw::AccelRecord Key(std::uint16_t key, std::uint16_t cmd)
{
    return fw::AccelRecord { fw::AccelVirtKey, key, cmd };
}

constexpr std::uint16_t Fn(int n)
{
    return static_cast<std::uint16_t>(fw::vk::F1 + n - 1);
}

class OneTableSession : public CSessionCore {
public:
    explicit OneTableSession(const char* user)
    {
        m_sUser = user;
        OnNewDocument();
        m_settings.options.autosave = 0; // the settings file alone
    }
    int GetTableSize() override { return 1; }
};

class NoRefreshApp : public CKvAppCoreLogic {
public:
    int CanAccess(unsigned id, unsigned) override { return id == kRefresh ? 0 : 1; }
};

TEST(ShortcutKeysSession, AppliedKeysSurviveLogoffAndLogonCutToRights)
{
    fw::App app;
    kvtest::ScratchIniDir dir;
    kvtest::ScopedEnv folder("kv3userpath", dir.Path());
    const KvCommandList commands = { { kLogOn, "Log on", "" }, { kLogOff, "Log off", "" }, { kRefresh, "Refresh", "" } };
    {
        OneTableSession anna("ANNA");
        anna.m_settings.shortcuts = { Key(Fn(5), kRefresh), Key(Fn(2), kLogOn) };
        KvShortcutTable table { anna.m_settings.shortcuts };
        CShortcutKeysPage page(commands, table, {},
            [&](const KvShortcutTable& inForce) { anna.m_settings.shortcuts = inForce.m_entries; });
        fw::PropertySheet sheet("Customize");
        sheet.addPage(page);
        fw::test::Script script;
        script.expectDialog(IDD_ASSIGN_SHORTCUT, [](fw::Dialog& d) {
            QKeyEvent f8(QEvent::KeyPress, Qt::Key_F8, Qt::NoModifier);
            QApplication::sendEvent(d.item(IDC_SHORTCUT_NEW_KEY), &f8);
            d.userClick(fw::kIdOk);
        });
        fw::test::runModal(sheet, [&](fw::Dialog&) {
            page.userSelect(IDC_SHORTCUT_MACROS, 1); // Log off
            page.userClick(IDC_SHORTCUT_CREATE);
            sheet.userClick(fw::kIdOk);
        });
        ASSERT_EQ(anna.m_settings.shortcuts.size(), 3u);
        ASSERT_EQ(anna.SaveSettings(nullptr), 1);
    }
    NoRefreshApp rights;
    OneTableSession anna("ANNA");
    ASSERT_EQ(anna.RestoreSettings(nullptr), 1);
    EXPECT_EQ(anna.m_settings.shortcuts, (std::vector<fw::AccelRecord> { Key(Fn(2), kLogOn), Key(Fn(8), kLogOff) }));
}

} // namespace
