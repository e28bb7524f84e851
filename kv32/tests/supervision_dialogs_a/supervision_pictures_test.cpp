// Pictures of the suspend, reference price, set limits and trading event
// dialogs in English and Hungarian, saved into $KV32_SHOT_DIR when it is set.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>

#include <cstdlib>
#include <functional>

#include "fw/core/strings.h"
#include "kv32/dialogs/supervision/ref_price_dlg.h"
#include "kv32/dialogs/supervision/schedule_entry_dlg.h"
#include "kv32/dialogs/supervision/set_limits_dlg.h"
#include "kv32/dialogs/supervision/suspend_dlg.h"
#include "kv32/res/supervision_a_ids.h"
#include "supervision_dialogs_a/supervision_fixture.h"

namespace {

using namespace supervisiontest;

class SupervisionPictures : public SupervisionFixture {
protected:
    ~SupervisionPictures() override { fw::setLanguage(fw::Language::English); }

    // Shows the dialog, lets the script fill it, and saves its picture.
    void Shoot(fw::Dialog& dlg, const char* name, const char* suffix, const std::function<void(fw::Dialog&)>& fill)
    {
        fw::test::runModal(dlg, [&](fw::Dialog& d) {
            if (fill)
                fill(d);
            d.adjustSize();
            const QImage image = d.grab().toImage();
            EXPECT_FALSE(image.isNull()) << name;
            if (const char* dir = std::getenv("KV32_SHOT_DIR"))
                image.save(QDir(dir).filePath(QStringLiteral("supervision-%1-%2.png").arg(name, suffix)));
            d.onCancel();
        });
    }
};

TEST_F(SupervisionPictures, EveryDialogInBothLanguages)
{
    AddMessage("00000007", "Security ALFA suspended by the exchange");
    AddEvent('A', "ALFA", "Long name of ALFA", "00000007", 9);
    for (const auto& [language, suffix] :
        { std::pair { fw::Language::English, "en" }, std::pair { fw::Language::Hungarian, "hu" } }) {
        fw::setLanguage(language);
        const bool english = language == fw::Language::English;
        {
            CSuspendDlg dlg;
            dlg.m_nKind = kSuspendAll;
            Shoot(dlg, "suspend-all", suffix, [](fw::Dialog& d) { d.userSelect(IDC_SUSP_REASON, 0); });
        }
        {
            CSuspendDlg dlg;
            dlg.m_nKind = kSuspendSecurity;
            dlg.m_sPresetSecurityName = "ALFA";
            Shoot(dlg, "suspend-security", suffix, [](fw::Dialog& d) {
                d.userSelect(IDC_SUSP_REASON, 0);
                d.userClick(IDC_SUSP_AT_TIME);
            });
            EXPECT_EQ(dlg.windowTitle().toStdString(),
                english ? "Suspend trading for the security"
                        : "Az \xC3\xA9rt\xC3\xA9kpap\xC3\xADr keresked\xC3\xA9s\xC3\xA9nek felf\xC3\xBCggeszt\xC3\xA9se");
        }
        {
            CSuspendDlg dlg;
            dlg.m_nKind = kSuspendIssuer;
            dlg.m_sPresetIssuerName = "Issuer One";
            Shoot(dlg, "suspend-issuer", suffix, [](fw::Dialog& d) { d.userSelect(IDC_SUSP_REASON, 1); });
        }
        {
            CSuspendDlg dlg;
            dlg.m_nKind = kSuspendSecurity;
            dlg.m_nMode = kSuspendModeView;
            dlg.m_nEventIndex = 0;
            dlg.m_sPresetSecurityName = "ALFA";
            Shoot(dlg, "suspend-view", suffix, {});
        }
        {
            FakeActiveRow securities(kListSecurities, kAlfa);
            CRefPriceLimitDlg dlg(kRefPriceTyped);
            Shoot(dlg, "ref-price", suffix, [](fw::Dialog& d) { d.userType(IDC_RP_PRICE, "12.50"); });
        }
        {
            CSetLimitsDlg dlg(CCashLimitRow { "ACC1", "BRK1T1", "BRK1", "CP01", 2000000, -1000, 5000 }, kLimitFirm);
            Shoot(dlg, "set-limits", suffix, {});
        }
        {
            router.Reply({ { 91, "0000000001002OPEN        CLOSE       " }, End() });
            CScheduleEntryDlg dlg;
            Shoot(dlg, "schedule-entry", suffix, [](fw::Dialog& d) {
                d.userSelect(IDC_SUP_BOARD, 0);
                d.userSelect(IDC_SUP_SECURITY, 0);
                d.userType(IDC_SE_PRIORITY, "5");
            });
        }
    }
}

} // namespace
