// The screenshot check: every list window (by table id) and every dialog template of the core
// library and the workstation has its English and Hungarian pictures in docs/, the two differ,
// no picture there belongs to something that no longer exists, and docs/screens.md shows them
// all. What still lacks a picture is in backlog.txt beside this file, which may only shrink.
// KV32_SCREENS_WRITE=1 rewrites docs/screens.md (and reports what the backlog should hold).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "fw/core/codepage.h"
#include "fw/core/resources.h"
#include "kv32/res/alert_dialog_ids.h"
#include "kv32/res/auction_ids.h"
#include "kv32/res/deal_dialogs_ids.h"
#include "kv32/res/filter_dialog_ids.h"
#include "kv32/res/market_dialogs_ids.h"
#include "kv32/res/message_dialogs_ids.h"
#include "kv32/res/order_dialogs_ids.h"
#include "kv32/res/order_entry_ids.h"
#include "kv32/res/shell_dialog_ids.h"
#include "kv32/res/shell_strings.h"
#include "kv32/res/supervision_a_ids.h"
#include "kv32/res/supervision_b_ids.h"
#include "kv32/shell/app/doc_templates.h"
#include "screens/picture_owners.h"

namespace fs = std::filesystem;

namespace {

using screens::OwnerKind;

const fs::path kRoot = KV32_SOURCE_ROOT;
const fs::path kDocs = kRoot / "docs";
const fs::path kBacklog = kRoot / "kv32/tests/screens/backlog.txt";

struct Subject {
    OwnerKind kind;
    std::uint32_t id;
    std::string en; // window title or dialog caption, UTF-8
    std::string hu;
    std::string module; // resource set of a dialog
    auto operator<=>(const Subject& other) const
    {
        return std::tie(kind, id) <=> std::tie(other.kind, other.id);
    }
};

std::string Key(OwnerKind kind, std::uint32_t id)
{
    return (kind == OwnerKind::Table ? "table " : "dialog ") + std::to_string(id);
}

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool IsProductModule(std::string_view module)
{
    return module.starts_with("kvcore") || module.starts_with("kv32");
}

void RegisterDialogTables()
{
    Kv32RegisterShellDialogs();
    Kv32RegisterAuctionDialogs();
    Kv32RegisterMessageDialogs();
    Kv32RegisterMarketDialogs();
    Kv32RegisterAccountDialogs();
    Kv32RegisterAlertDialogs();
    Kv32RegisterOrderDialogs();
    Kv32RegisterDealDialogs();
    Kv32RegisterFilterDialogs();
    Kv32RegisterSupervisionADialogs();
    Kv32RegisterOrderEntry();
}

// Every list window of the document template table and every dialog template of the core
// library's and the workstation's resource sets.
std::vector<Subject> Subjects()
{
    RegisterDialogTables();
    std::map<std::uint32_t, const fw::StringEntry*> titles;
    for (const fw::StringEntry& entry : Kv32ShellStrings())
        titles.emplace(entry.id, &entry);
    std::set<Subject> found;
    for (const CKvTemplateRow& row : KvDocTemplateTable()) {
        auto title = titles.find(row.id);
        found.insert({ OwnerKind::Table, row.id, title != titles.end() ? title->second->en : "",
            title != titles.end() && title->second->hu != nullptr ? title->second->hu : "", "" });
    }
    for (const fw::ResourceSet& set : fw::resourceSets()) {
        if (!IsProductModule(set.module))
            continue;
        for (const fw::DialogTemplate& dialog : set.dialogs)
            found.insert({ OwnerKind::Dialog, dialog.id, dialog.titleEn, dialog.titleHu, set.module });
    }
    return { found.begin(), found.end() };
}

std::set<std::string> BacklogEntries()
{
    std::set<std::string> entries;
    std::istringstream in(ReadFile(kBacklog));
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line.front() == '#')
            continue;
        // "dialog 30203  VEXA Universal Bench": the kind and id, then the name for the reader.
        std::istringstream fields(line);
        std::string kind;
        std::string id;
        fields >> kind >> id;
        entries.insert(kind + " " + id);
    }
    return entries;
}

bool HasBothPictures(const std::string& stem)
{
    return fs::exists(kDocs / (stem + "-en.png")) && fs::exists(kDocs / (stem + "-hu.png"));
}

std::vector<std::string> StemsOf(const Subject& subject)
{
    std::vector<std::string> stems;
    for (const screens::PictureOwner& owner : screens::PictureOwners())
        if (owner.kind == subject.kind && owner.id == subject.id && HasBothPictures(owner.stem))
            stems.emplace_back(owner.stem);
    return stems;
}

std::string Cell(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '&')
            continue; // mnemonic marks are not part of the caption a user reads
        if (c == '|')
            out += "\\";
        out += c;
    }
    return out;
}

void Section(std::ostringstream& md, const std::vector<Subject>& subjects, OwnerKind kind)
{
    const bool tables = kind == OwnerKind::Table;
    md << "| " << (tables ? "table id" : "dialog id") << " | " << (tables ? "window" : "caption")
       << " | English | Hungarian |\n|---|---|---|---|\n";
    for (const Subject& subject : subjects) {
        if (subject.kind != kind)
            continue;
        for (const std::string& stem : StemsOf(subject))
            md << "| " << subject.id << " | " << Cell(subject.en) << " / " << Cell(subject.hu) << " (`"
               << stem << "`) | ![" << Cell(subject.en) << "](" << stem << "-en.png) | ![" << Cell(subject.hu)
               << "](" << stem << "-hu.png) |\n";
    }
}

std::string ScreensMarkdown(const std::vector<Subject>& subjects)
{
    std::ostringstream md;
    md << "# Screens\n\n"
          "Every list window (by table id) and every dialog template of the core library and the\n"
          "workstation, in English and Hungarian. The pictures are taken by the unit tests' picture\n"
          "tests and the end-to-end scenarios (with `KV32_SHOT_DIR` set) and by the gallery tools.\n"
          "This page is generated by `kv32_screens_tests` from the code's tables; run it with\n"
          "`KV32_SCREENS_WRITE=1` to rewrite it.\n\n"
          "## List windows\n\n";
    Section(md, subjects, OwnerKind::Table);
    md << "\n## Dialogs\n\n";
    Section(md, subjects, OwnerKind::Dialog);
    md << "\n## Without pictures yet\n\n";
    bool any = false;
    for (const Subject& subject : subjects)
        if (StemsOf(subject).empty()) {
            md << "- " << Key(subject.kind, subject.id) << ": " << Cell(subject.en) << " / "
               << Cell(subject.hu) << "\n";
            any = true;
        }
    if (!any)
        md << "None.\n";
    md << "\n## Other pictures\n\n| what | English | Hungarian |\n|---|---|---|\n";
    for (const screens::OtherPicture& other : screens::OtherPictures())
        md << "| " << other.what << " (`" << other.stem << "`) | ![](" << other.stem << "-en.png) | ![]("
           << other.stem << "-hu.png) |\n";
    return md.str();
}

TEST(Screens, EveryWindowAndDialogHasPicturesUnlessInTheBacklog)
{
    const std::set<std::string> backlog = BacklogEntries();
    std::set<std::string> missing;
    for (const Subject& subject : Subjects())
        if (StemsOf(subject).empty())
            missing.insert(Key(subject.kind, subject.id));
    for (const std::string& key : missing)
        EXPECT_TRUE(backlog.contains(key))
            << key << " has no pictures in docs/ (or none named in picture_owners.cpp) and is not in "
            << kBacklog;
    for (const std::string& key : backlog)
        EXPECT_TRUE(missing.contains(key))
            << key << " is in the backlog but has its pictures now (or no longer "
            << "exists): remove it from " << kBacklog;
}

void ExpectTwoLanguagesThatDiffer(const std::string& stem)
{
    const fs::path en = kDocs / (stem + "-en.png");
    const fs::path hu = kDocs / (stem + "-hu.png");
    ASSERT_TRUE(fs::exists(en)) << en;
    ASSERT_TRUE(fs::exists(hu)) << hu;
    EXPECT_NE(ReadFile(en), ReadFile(hu)) << stem << ": the two languages show the same picture";
}

TEST(Screens, EnglishAndHungarianPicturesExistAndDiffer)
{
    for (const screens::PictureOwner& owner : screens::PictureOwners())
        ExpectTwoLanguagesThatDiffer(owner.stem);
    for (const screens::OtherPicture& other : screens::OtherPictures())
        ExpectTwoLanguagesThatDiffer(other.stem);
}

TEST(Screens, EveryPictureBelongsToSomethingThatExists)
{
    const std::vector<Subject> subjects = Subjects();
    std::set<std::string> existing;
    for (const Subject& subject : subjects)
        existing.insert(Key(subject.kind, subject.id));
    std::set<std::string> known;
    for (const screens::PictureOwner& owner : screens::PictureOwners()) {
        EXPECT_TRUE(known.insert(owner.stem).second) << owner.stem << " is listed twice";
        EXPECT_TRUE(existing.contains(Key(owner.kind, owner.id)))
            << owner.stem << " shows " << Key(owner.kind, owner.id) << ", which no table holds any more";
    }
    for (const screens::OtherPicture& other : screens::OtherPictures()) {
        EXPECT_TRUE(known.insert(other.stem).second) << other.stem << " is listed twice";
        const std::string maker = ReadFile(kRoot / other.maker);
        EXPECT_NE(maker.find(other.stem), std::string::npos)
            << other.stem << " is no longer taken by " << other.maker;
    }
    const std::regex picture("(.+)-(en|hu)\\.png");
    for (const fs::directory_entry& entry : fs::directory_iterator(kDocs)) {
        const std::string name = entry.path().filename().string();
        if (entry.path().extension() != ".png")
            continue;
        std::smatch match;
        ASSERT_TRUE(std::regex_match(name, match, picture))
            << name << " is not named <what>-en.png or <what>-hu.png";
        EXPECT_TRUE(known.contains(match[1].str()))
            << "docs/" << name
            << " shows nothing the check knows: name its window or dialog in "
               "kv32/tests/screens/picture_owners.cpp";
    }
}

// Every resource file of the two libraries that holds dialog templates is registered above, so a
// new table cannot stay out of the check.
TEST(Screens, EveryDialogTableIsRead)
{
    RegisterDialogTables();
    std::set<std::string> registered;
    for (const fw::ResourceSet& set : fw::resourceSets())
        if (!set.dialogs.empty())
            registered.insert(set.module);
    const std::regex module("ResourceSet\\s+\\w+\\s*\\{\\s*\"([^\"]+)\"");
    int tables = 0;
    for (const char* folder : { "kvcore", "kv32" })
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(kRoot / folder)) {
            const std::string path = entry.path().string();
            if (entry.path().extension() != ".cpp" || path.find("/tests/") != std::string::npos)
                continue;
            const std::string text = ReadFile(entry.path());
            if (text.find("fw::DialogTemplate k") == std::string::npos)
                continue;
            std::smatch match;
            if (!std::regex_search(text, match, module))
                continue; // the templates are handed to a set in another file, found there

            EXPECT_TRUE(registered.contains(match[1].str()))
                << match[1] << " (" << path << ") is not read by the check";
            ++tables;
        }
    EXPECT_GE(tables, 10);
}

TEST(Screens, ScreensPageIsUpToDate)
{
    const std::string expected = ScreensMarkdown(Subjects());
    const fs::path page = kDocs / "screens.md";
    if (const char* write = std::getenv("KV32_SCREENS_WRITE"); write != nullptr && *write != '\0') {
        std::ofstream(page, std::ios::binary) << expected;
        return;
    }
    EXPECT_EQ(ReadFile(page), expected)
        << "docs/screens.md is stale: run kv32_screens_tests with KV32_SCREENS_WRITE=1";
}

} // namespace
