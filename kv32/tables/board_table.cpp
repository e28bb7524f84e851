#include "kv32/tables/board_table.h"

#include <fstream>

#include "fw/core/strings.h"
#include "kv32/res/table_strings.h"
#include "kv32/tables/record_text.h"
#include "kv32/tables/selection.h"
#include "kv32/tables/table_settings.h"
#include "kv32/tables/table_updates.h"
#include "kvcore/app/app_core_base.h"

namespace {
// The system's window colour: the window layer resolves it when it paints.
constexpr uint32_t kSystemWindowColor = 0x80000005u;
} // namespace

CBoardTable::CBoardTable()
    : CSubscribedTable<CHostPtrTable<BoardRec>>(kTableId, kSnapshotRequest, kChangeRequest)
{
}

void CBoardTable::OnLoad()
{
    m_aColors = { kSystemWindowColor };
    m_aColorNames = { IDS_SUSPENDED_BOARD };
}

int CBoardTable::Decode(CRecordReader& reader)
{
    const std::string key = reader.TextNoStrip(kNextKeyWidth);
    BoardRec rec;
    rec.nIndex = GetCount();
    CopyText(rec.szCode, reader.Text(4));
    CopyText(rec.szName, reader.Text(30));
    const char status = reader.Char();
    const char last = reader.Char();
    if (!reader.Ok())
        return 0;
    if (fw::language() != fw::Language::Hungarian) {
        if (const auto english = EnglishBoardName(rec.szCode))
            CopyText(rec.szName, *english);
    }
    TakeStateLetter(status, rec.szStatus, rec.nActive);
    TakeNextKey(key);
    fLastRec = last == '1' ? 1 : 0;
    AddRec(rec);
    return 1;
}

int CBoardTable::DecodeUpdate(CRecordReader& reader)
{
    const std::string seq = reader.TextNoStrip(kSeqNumWidth);
    const std::string code = reader.Text(4);
    const char status = reader.Char();
    const std::string text = reader.Text(32);
    if (!reader.Ok())
        return 0;
    TakeSeqNum(seq);
    const int row = FindByCode(code.c_str());
    if (row < 0)
        return 0;
    BoardRec* rec = GetRec(row);
    CopyText(rec->szText, text);
    TakeStateLetter(status, rec->szStatus, rec->nActive);
    return 1;
}

int CBoardTable::FindByCode(const char* code)
{
    return FindFirstRow(*this, [&](const BoardRec& r) { return SameStripped(r.szCode, code, 4); });
}

int CBoardTable::FindByName(const char* name)
{
    return FindFirstRow(*this, [&](const BoardRec& r) { return SameStripped(r.szName, name, 30); });
}

std::vector<std::string> CBoardTable::FillList() const
{
    std::vector<std::string> names;
    names.reserve(static_cast<size_t>(GetCount()));
    for (int i = 0; i < GetCount(); ++i)
        names.emplace_back(GetRec(i)->szName);
    return names;
}

int CBoardTable::SerializeSelection(fw::Archive& ar, std::vector<int>& selection)
{
    SelectionCodes codes;
    codes.rowCount = GetCount();
    codes.codeOf = [this](int row) { return std::string(GetRec(row)->szCode); };
    codes.findByCode = [this](const std::string& code) { return FindByCode(code.c_str()); };
    return ::SerializeSelection(ar, selection, codes);
}

void CBoardTable::ForgetEnglishNames()
{
    m_bNamesRead = false;
    m_bNamesCut = false;
    m_names.clear();
}

std::optional<std::string> CBoardTable::EnglishBoardName(std::string_view code)
{
    code = code.substr(0, std::min(code.find('\0'), size_t { 4 }));
    if (code.empty())
        return std::nullopt;
    std::string padded(code);
    padded.resize(4, ' ');

    if (!m_bNamesRead) {
        m_bNamesRead = true;
        std::ifstream file(KvTableSettings().settingsPath / kNamesFile, std::ios::binary);
        if (file) {
            // One byte more than is used tells whether the file goes on.
            std::string bytes(kNamesFileBytes + 1, '\0');
            file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
            bytes.resize(static_cast<size_t>(file.gcount()));
            m_bNamesCut = bytes.size() > kNamesFileBytes;
            if (m_bNamesCut)
                bytes.resize(kNamesFileBytes);
            m_names = std::move(bytes);
        }
    }

    // Lines end in LF or CR LF; the first line whose first 4 bytes are the
    // code and that goes on past the separator names the board. A last line
    // cut off by the read limit names nothing (its name would be cut too).
    std::string_view rest(m_names);
    while (!rest.empty()) {
        const size_t end = rest.find_first_of("\r\n");
        if (end == std::string_view::npos && m_bNamesCut)
            break;
        const std::string_view line = rest.substr(0, end);
        if (line.size() > 5 && line.substr(0, 4) == padded)
            return std::string(line.substr(5, 30));
        if (end == std::string_view::npos)
            break;
        rest.remove_prefix(end + 1);
    }
    return std::nullopt;
}
