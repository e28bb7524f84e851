// The library's dialogs offscreen: the message box's buttons by type, the logon
// dialog's OK state, the password dialog's steps mirrored in its controls.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>

#include "fw/core/msgbox.h"
#include "fw/core/strings.h"
#include "fw/test/fwtest.h"
#include "fw/ui/text.h"
#include "kvcore/app/message_box.h"
#include "kvcore/dialogs/get_color.h"
#include "kvcore/dialogs/logon_dlg.h"
#include "kvcore/dialogs/message_box_dlg.h"
#include "kvcore/dialogs/password_dlg.h"
#include "kvcore/res/app_ids.h"
#include "kvcore/res/ids.h"
#include "kvcore/router/cvorl.h"
#include "ui/test_workstation.h"

namespace {

void PressEnter(fw::Dialog& d)
{
    QWidget* target = QApplication::focusWidget();
    if (target == nullptr || target->window() != &d)
        target = d.item(d.focusId());
    ASSERT_NE(target, nullptr);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
}

TEST(MessageBoxDlg, ButtonsAndDefaultByType)
{
    struct Case {
        uint32_t type;
        std::vector<uint32_t> shown;
        uint32_t byDefault;
    } const cases[] = {
        { fw::MB_OK, { fw::IDOK }, fw::IDOK },
        { fw::MB_OKCANCEL, { fw::IDOK, fw::IDCANCEL }, fw::IDOK },
        { fw::MB_OKCANCEL | fw::MB_DEFBUTTON2, { fw::IDOK, fw::IDCANCEL }, fw::IDCANCEL },
        { fw::MB_YESNO, { fw::IDYES, fw::IDNO }, fw::IDYES },
        { fw::MB_YESNO | fw::MB_DEFBUTTON2 | fw::MB_ICONQUESTION, { fw::IDYES, fw::IDNO }, fw::IDNO },
        { fw::MB_YESNOCANCEL, { fw::IDYES, fw::IDNO, fw::IDCANCEL }, fw::IDYES },
        { fw::MB_YESNOCANCEL | KV_MB_DEFBUTTON3, { fw::IDYES, fw::IDNO, fw::IDCANCEL }, fw::IDCANCEL },
        { KV_MB_RETRYCANCEL, { KV_IDRETRY, fw::IDCANCEL }, KV_IDRETRY },
        { KV_MB_ABORTRETRYIGNORE | fw::MB_DEFBUTTON2, { KV_IDABORT, KV_IDRETRY, KV_IDIGNORE }, KV_IDRETRY },
        { KV_MB_RETRYCANCEL | KV_MB_DEFBUTTON3, { KV_IDRETRY, fw::IDCANCEL }, KV_IDRETRY }, // no third: the first
    };
    const uint32_t all[] = { 6, 7, 3, 4, 5, 1, 2 };
    for (const Case& c : cases) {
        CMessageBoxDlg dlg("Text", c.type, 0);
        const int result = fw::test::runModal(dlg, [&](fw::Dialog& d) {
            for (uint32_t id : all) {
                const bool expected = std::find(c.shown.begin(), c.shown.end(), id) != c.shown.end();
                EXPECT_EQ(!d.item(id)->isHidden(), expected) << c.type << " " << id;
            }
            EXPECT_EQ(d.defaultItem(), c.byDefault) << c.type;
            EXPECT_EQ(d.focusId(), c.byDefault) << c.type;
            EXPECT_EQ(d.itemText(IDC_MESSAGE_TEXT), "Text");
            PressEnter(d);
        });
        EXPECT_EQ(result, static_cast<int>(c.byDefault)) << c.type;
    }
}

TEST(MessageBoxDlg, EscapeAnswersCancelOnlyWhereOffered)
{
    CMessageBoxDlg yesNo("Sure?", fw::MB_YESNO, 0);
    EXPECT_EQ(fw::test::runModal(yesNo,
                  [](fw::Dialog& d) {
                      d.onCancel(); // nothing: there is no Cancel to answer with
                      EXPECT_TRUE(d.isVisible());
                      d.userClick(fw::IDNO);
                  }),
        fw::IDNO);
    CMessageBoxDlg okCancel("Go?", fw::MB_OKCANCEL, 0);
    EXPECT_EQ(fw::test::runModal(okCancel, [](fw::Dialog& d) { d.onCancel(); }), fw::IDCANCEL);
}

TEST(MessageBoxDlg, EveryLibraryMessageComesThroughIt)
{
    kvtest::WorkstationApp app;
    std::vector<uint32_t> seen;
    fw::Dialog::setModalHook([&](fw::Dialog& d) {
        seen.push_back(d.templateId());
        d.userClick(fw::IDNO);
    });
    EXPECT_EQ(KvMessageBox("Delete?", fw::MB_YESNO | fw::MB_ICONQUESTION), fw::IDNO);
    fw::Dialog::setModalHook(nullptr);
    EXPECT_EQ(seen, (std::vector<uint32_t> { IDD_MESSAGE_BOX }));
}

TEST(LogonDlg, OkNeedsAUserAndStaysOpenWhenTheLogonFails)
{
    kvtest::WorkstationApp app; // no router session: every logon fails
    CLogonDlg dlg;
    const int result = fw::test::runModal(dlg, [](fw::Dialog& d) {
        EXPECT_FALSE(d.isItemEnabled(fw::kIdOk));
        d.userType(IDC_LOGON_USER, "t");
        EXPECT_TRUE(d.isItemEnabled(fw::kIdOk));
        d.userType(IDC_LOGON_USER, "");
        EXPECT_FALSE(d.isItemEnabled(fw::kIdOk));
        d.userType(IDC_LOGON_USER, "trader01");
        d.userType(IDC_LOGON_PASSWORD, ""); // a password may be empty
        d.userClick(fw::kIdOk);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(d.focusId(), IDC_LOGON_USER);
        d.userClick(fw::kIdCancel);
    });
    EXPECT_EQ(result, fw::IDCANCEL);
    // The user field takes at most 12 characters, the password 64.
    CLogonDlg limits;
    fw::test::runModal(limits, [](fw::Dialog& d) {
        EXPECT_EQ(d.itemAs<QLineEdit>(IDC_LOGON_USER)->maxLength(), 12);
        EXPECT_EQ(d.itemAs<QLineEdit>(IDC_LOGON_PASSWORD)->maxLength(), 64);
        EXPECT_EQ(d.itemAs<QLineEdit>(IDC_LOGON_PASSWORD)->echoMode(), QLineEdit::Password);
        d.userClick(fw::kIdCancel);
    });
}

TEST(PasswordDlg, MirrorsTheStepsInItsControls)
{
    kvtest::WorkstationApp app;
    fw::test::Script script;
    script.answerMessageBox(fw::IDOK);
    CPasswordDlg dlg(1);
    const int result = fw::test::runModal(dlg, [](fw::Dialog& d) {
        EXPECT_EQ(fw::fromQt(d.windowTitle()), fw::loadString(IDS_PASSWORD_EXPIRED));
        EXPECT_EQ(d.itemText(IDC_PASSWORD_LABEL), fw::loadString(IDS_ENTER_OLD_PASSWORD));
        d.userType(IDC_PASSWORD_EDIT, "wrong");
        d.userClick(fw::kIdOk); // no router session: the old password is never right
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(d.itemText(IDC_PASSWORD_LABEL), fw::loadString(IDS_ENTER_OLD_PASSWORD));
        d.userClick(fw::kIdCancel);
    });
    EXPECT_EQ(result, fw::IDCANCEL);
    EXPECT_EQ(script.messageBoxes(), (std::vector<std::string> { fw::loadString(IDS_INCORRECT_PASSWORD) }));
}

} // namespace

namespace {

TEST(GetColor, CancelGivesTheInitialColour)
{
    kvtest::WorkstationApp app;
    fw::test::Script script;
    uint32_t custom[16];
    std::fill(std::begin(custom), std::end(custom), 0xFFFFFFu);
    script.answerColor(std::nullopt);
    EXPECT_EQ(GetColor(custom, 0x123456), 0x123456u);
    EXPECT_EQ(custom[0], 0xFFFFFFu);
    script.answerColor(0x0000FFu);
    EXPECT_EQ(GetColor(custom, 0x123456), 0x0000FFu);
    EXPECT_EQ(custom[15], 0xFFFFFFu);
}

} // namespace
