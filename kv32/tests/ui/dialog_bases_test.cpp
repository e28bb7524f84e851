#include <gtest/gtest.h>

#include <QMetaObject>

#include "fw/test/fwtest.h"
#include "kv32/dialogs/kv_dialog.h"

namespace {

// A dialog of the program, as the later dialogs derive it.
class CSampleDlg : public CKvDialog {
public:
    CSampleDlg()
        : CKvDialog(0)
    {
    }
};

TEST(DialogBases, ClassIdentityOfTheProgramsDialogs)
{
    struct Case {
        const QMetaObject* meta;
        const char* name;
        const char* base;
    };
    CSampleDlg dialog;
    CKvPropertySheet sheet("Options");
    CTPropertyPage page(0);
    const Case cases[] = {
        { dialog.metaObject(), "CKvDialog", "fw::Dialog" },
        { sheet.metaObject(), "CKvPropertySheet", "fw::PropertySheet" },
        { page.metaObject(), "CTPropertyPage", "fw::PropertyPage" },
    };
    for (const Case& c : cases) {
        EXPECT_STREQ(c.meta->className(), c.name);
        ASSERT_NE(c.meta->superClass(), nullptr);
        EXPECT_STREQ(c.meta->superClass()->className(), c.base);
    }
    EXPECT_TRUE(dialog.inherits("CKvDialog"));
    EXPECT_FALSE(sheet.inherits("CKvDialog"));
}

TEST(DialogBases, ModalLoopIsTheFrameworks)
{
    CSampleDlg dialog;
    EXPECT_EQ(fw::test::runModal(dialog, [](fw::Dialog& d) { d.endDialog(fw::IDOK); }), fw::IDOK);
    CSampleDlg cancelled;
    EXPECT_EQ(fw::test::runModal(cancelled, [](fw::Dialog& d) { d.onCancel(); }), fw::IDCANCEL);
}

} // namespace
