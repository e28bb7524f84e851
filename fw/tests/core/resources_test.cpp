#include "fw/core/rescheck.h"
#include "fw/core/resources.h"

#include <gtest/gtest.h>

#include "fw/core/menu.h"

namespace {

using fw::ControlKind;
using fw::MenuEntryKind;

// A small module of resources in the shape the workstation's res/ files take.
const fw::StringEntry kStrings[] = {
    { 30001, "Save Workspace", "Munkaterület mentése" },
    { 30003, "Save as workspace %d ?", "Mentés %d. munkaterületként?" },
};

const fw::ControlDef kLogon[] = {
    { 0xFFFF, ControlKind::Label, 0, 0, "&User:", "&Felhasználó:" },
    { 103, ControlKind::Edit, 0, 1 },
    { 0xFFFF, ControlKind::Label, 1, 0, "&Password:", "&Jelszó:" },
    { 105, ControlKind::Edit, 1, 1, nullptr, nullptr, 1, 1, fw::StylePassword },
    { 332, ControlKind::CheckBox, 2, 0, "&Reset Log Printing", "Napló nyomtatás elölről", 1, 2 },
    { fw::kIdOk, ControlKind::DefaultButton, 3, 0, "OK", "OK" },
    { fw::kIdCancel, ControlKind::Button, 3, 1, "Cancel", "Mégsem" },
};

const fw::DialogTemplate kDialogs[] = {
    { 30205, "User Identification", "Felhasználó azonosítás", kLogon },
};

const fw::MenuEntry kMainMenu[] = {
    { 0, MenuEntryKind::Popup, 0, "&File", "&Fájl" },
    { 1, MenuEntryKind::Command, 35940, "Log &on", "&Bejelentkezés" },
    { 1, MenuEntryKind::Separator },
    { 1, MenuEntryKind::Popup, 0, "&Workspace", "&Munkaterület" },
    { 2, MenuEntryKind::Command, 35978, "Workspace&1", "Munkaterület&1" },
    { 1, MenuEntryKind::Command, 57665, "E&xit", "&Kilépés" },
    { 0, MenuEntryKind::Command, 35968, "&Refresh", "&Frissítés" },
};

const fw::MenuTemplate kMenus[] = { { 128, kMainMenu } };

const fw::AccelRecord kMainKeys[] = {
    { fw::AccelVirtKey | fw::AccelControl, 'R', 35968 },
    { fw::AccelVirtKey, fw::vk::F1 + 4, 35968 },
};
const fw::AccelTable kAccels[] = { { 128, kMainKeys } };

const fw::ResourceSet kModule { "testmod", kStrings, kDialogs, kMenus, kAccels };

TEST(Resources, RegistryFindsTablesById)
{
    fw::addResources(kModule);
    ASSERT_NE(fw::findDialog(30205), nullptr);
    EXPECT_EQ(fw::findDialog(30205)->controls.size(), 7u);
    EXPECT_EQ(fw::findMenu(128), &kMenus[0]);
    EXPECT_EQ(fw::findAccel(128), &kAccels[0]);
    EXPECT_EQ(fw::findDialog(1), nullptr);
    EXPECT_EQ(fw::strings().get(30001, fw::Language::Hungarian), "Munkater\xFClet ment\xE9se");
    EXPECT_EQ(fw::resourceText("Cancel", "Mégsem", fw::Language::Hungarian), "M\xE9gsem");
    EXPECT_EQ(fw::resourceText("Cancel", nullptr, fw::Language::Hungarian), "Cancel");
    EXPECT_EQ(fw::resourceText(nullptr, nullptr, fw::Language::English), "");
}

TEST(Resources, BuildMenuFollowsTheDepths)
{
    const fw::Menu m = fw::buildMenu(kMenus[0], fw::Language::Hungarian);
    ASSERT_EQ(m.itemCount(), 2u);
    const fw::Menu* file = m.itemAt(0);
    ASSERT_TRUE(file->isPopup());
    EXPECT_EQ(file->text(), "&F\xE1jl");
    ASSERT_EQ(file->itemCount(), 4u);
    EXPECT_EQ(file->itemAt(0)->id(), 35940u);
    EXPECT_TRUE(file->itemAt(1)->isSeparator());
    EXPECT_TRUE(file->itemAt(2)->isPopup());
    EXPECT_EQ(file->itemAt(2)->itemAt(0)->id(), 35978u);
    EXPECT_EQ(file->itemAt(3)->id(), 57665u);
    EXPECT_EQ(m.itemAt(1)->id(), 35968u);
}

TEST(ResourceCheck, AWellFormedModulePasses)
{
    const std::uint32_t strings[] = { 30001, 30003 };
    const std::uint32_t dialogs[] = { 30205 };
    const fw::ControlRef controls[] = { { 30205, 103 }, { 30205, 332 } };
    const auto r
        = fw::checkResources(kModule, { .strings = strings, .dialogs = dialogs, .controls = controls });
    EXPECT_TRUE(r.ok()) << r.text();
}

// Each case breaks one rule; the report must name it.
TEST(ResourceCheck, EachFaultIsReported)
{
    static const fw::StringEntry dupStrings[] = { { 1, "a", "a" }, { 1, "b", "b" } };
    static const fw::StringEntry noHu[] = { { 2, "only English", nullptr } };
    static const fw::StringEntry noEn[] = { { 3, nullptr, "csak magyar" } };
    static const fw::StringEntry badChars[] = { { 4, "日本", "x" } };
    static const fw::ControlDef dupControls[]
        = { { 10, ControlKind::Edit, 0, 0 }, { 10, ControlKind::Edit, 0, 1 } };
    static const fw::ControlDef overlap[]
        = { { 10, ControlKind::Edit, 0, 0, nullptr, nullptr, 1, 2 }, { 11, ControlKind::Edit, 0, 1 } };
    static const fw::ControlDef oneCaption[] = { { 10, ControlKind::Button, 0, 0, "Go", nullptr } };
    static const fw::ControlDef badCell[] = { { 10, ControlKind::Edit, -1, 0 } };
    static const fw::DialogTemplate d1[] = { { 5, "T", "T", dupControls } };
    static const fw::DialogTemplate d2[] = { { 5, "T", "T", overlap } };
    static const fw::DialogTemplate d3[] = { { 5, "T", "T", oneCaption } };
    static const fw::DialogTemplate d4[] = { { 5, "T", "T", badCell } };
    static const fw::DialogTemplate dupDialogs[] = { { 5, "T", "T", {} }, { 5, "U", "U", {} } };
    static const fw::MenuEntry orphan[]
        = { { 0, MenuEntryKind::Command, 1, "a", "a" }, { 1, MenuEntryKind::Command, 2, "b", "b" } };
    static const fw::MenuEntry emptyPopup[] = { { 0, MenuEntryKind::Popup, 0, "p", "p" } };
    static const fw::MenuEntry noId[] = { { 0, MenuEntryKind::Command, 0, "a", "a" } };
    static const fw::MenuTemplate m1[] = { { 7, orphan } };
    static const fw::MenuTemplate m2[] = { { 7, emptyPopup } };
    static const fw::MenuTemplate m3[] = { { 7, noId } };
    static const fw::AccelRecord twice[]
        = { { fw::AccelVirtKey, 'A', 1 }, { fw::AccelVirtKey | fw::AccelNoInvert, 'A', 2 } };
    static const fw::AccelTable a1[] = { { 9, twice } };

    struct Case {
        const char* rule;
        fw::ResourceSet set;
        fw::UsedIds used;
        bool error; // else: reported as untranslated
        const char* mention;
    };
    static const std::uint32_t missingString[] = { 99 };
    static const std::uint32_t missingMenu[] = { 98 };
    static const fw::ControlRef missingControl[] = { { 30205, 104 } };
    const Case cases[] = {
        { "duplicate string id", { "m", dupStrings }, {}, true, "string 1" },
        { "untranslated string", { "m", noHu }, {}, false, "string 2" },
        { "English missing", { "m", noEn }, {}, true, "string 3" },
        { "unconvertible text", { "m", badChars }, {}, true, "Windows-1250" },
        { "duplicate control", { "m", {}, d1 }, {}, true, "duplicate control id" },
        { "overlapping cells", { "m", {}, d2 }, {}, true, "already holds control 10" },
        { "caption in one language", { "m", {}, d3 }, {}, false, "control 10" },
        { "negative cell", { "m", {}, d4 }, {}, true, "invalid grid cell" },
        { "duplicate dialog", { "m", {}, dupDialogs }, {}, true, "dialog 5" },
        { "entry without popup", { "m", {}, {}, m1 }, {}, true, "does not follow a popup" },
        { "empty popup", { "m", {}, {}, m2 }, {}, true, "empty popup" },
        { "command without id", { "m", {}, {}, m3 }, {}, true, "without an id" },
        { "key twice", { "m", {}, {}, {}, a1 }, {}, true, "key assigned twice" },
        { "string used but missing", kModule, { .strings = missingString }, true, "string 99" },
        { "menu used but missing", kModule, { .menus = missingMenu }, true, "menu 98" },
        { "control used but missing", kModule, { .controls = missingControl }, true, "control 104" },
    };
    for (const auto& c : cases) {
        const auto r = fw::checkResources(c.set, c.used);
        const auto& list = c.error ? r.errors : r.missingHungarian;
        ASSERT_FALSE(list.empty()) << c.rule << "\n" << r.text();
        EXPECT_NE(r.text().find(c.mention), std::string::npos) << c.rule << "\n" << r.text();
    }
}

TEST(ResourceCheck, IdsMustBeUniqueAcrossModules)
{
    const fw::ResourceSet other { "other", kStrings };
    const fw::ResourceSet both[] = { kModule, other };
    const auto r = fw::checkResources(both);
    ASSERT_EQ(r.errors.size(), 2u) << r.text();
    EXPECT_NE(r.errors[0].find("testmod, other"), std::string::npos);
}

} // namespace
