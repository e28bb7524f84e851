// Arbitrary bytes as the files the program reads as text: the English board
// names ("EnBoardNames.txt") and a file whose first lines become a news item's
// text, which the user puts beside it, and a component whose version record
// the start-up check reads. A board name found is a line's text after its code,
// never longer than the 30 characters of a name; a news text keeps at most 7
// lines of at most 511 characters.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <unistd.h>

#include "kv32/shell/news_form.h"
#include "kv32/tables/all_tables.h"
#include "kv32/tables/table_settings.h"
#include "kvcore/app/version_info.h"

namespace {

const std::filesystem::path& Folder()
{
    static const std::filesystem::path folder = [] {
        char name[] = "/tmp/kv32_text_files_XXXXXX";
        const char* made = mkdtemp(name);
        if (made == nullptr)
            std::abort();
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(Folder(), ignored);
        });
        return std::filesystem::path(made);
    }();
    return folder;
}

void Write(const std::filesystem::path& path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void BoardNames(std::string_view bytes)
{
    KvTableSettings().settingsPath = Folder();
    Write(Folder() / CBoardTable::kNamesFile, bytes);
    CBoardTable& boards = BoardTable();
    boards.ForgetEnglishNames();
    // The codes the file itself starts its lines with, and a few others.
    std::string codes[] = { std::string(bytes.substr(0, 4)), "BRD1", "", std::string("A\0B", 3) };
    size_t line = bytes.find('\n');
    if (line != std::string_view::npos)
        codes[2] = std::string(bytes.substr(line + 1, 4));
    for (const std::string& code : codes) {
        const std::optional<std::string> name = boards.EnglishBoardName(code);
        if (name && (name->size() > 30 || bytes.find(*name) == std::string_view::npos))
            std::abort();
    }
    boards.ForgetEnglishNames();
}

void NewsHeader(std::string_view bytes)
{
    const std::filesystem::path path = Folder() / "news.txt";
    Write(path, bytes);
    std::string text;
    if (KvReadNewsHeader(path.string(), text) != NewsHeaderResult::Ok)
        return;
    size_t lines = 1;
    size_t longest = 0;
    for (size_t start = 0;;) {
        const size_t end = text.find("\r\n", start);
        longest = std::max(longest, (end == std::string::npos ? text.size() : end) - start);
        if (end == std::string::npos)
            break;
        ++lines;
        start = end + 2;
    }
    if (lines > 7 || longest > 511)
        std::abort();
}

void ComponentVersion(std::string_view bytes)
{
    const std::filesystem::path path = Folder() / "component.so";
    Write(path, bytes);
    const std::string version = GetVersionInfo(path.c_str());
    if (version.size() > bytes.size() + 16)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    BoardNames(bytes);
    NewsHeader(bytes);
    ComponentVersion(bytes);
    return 0;
}
