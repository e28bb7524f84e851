// Language string files: the compiler's file handling and the loaded-file lookups.
#include "plinth/lang.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <initializer_list>
#include <memory>
#include <new>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "lang_format.h"
#include "lang_source.h"

struct PlinthLang {
    plinth::lang::CompiledTable table;
};

namespace {

// Larger inputs are not language files; reading them would only exhaust memory.
constexpr off_t kMaxFileBytes = 256 * 1024 * 1024;

class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd()
    {
        if (fd_ >= 0)
            close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

enum class ReadResult { Ok, CannotOpen, TooBig };

ReadResult readFile(const char* path, std::string& out)
{
    Fd fd(open(path, O_RDONLY | O_CLOEXEC));
    struct stat st {};
    if (fd.get() < 0 || fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode))
        return ReadResult::CannotOpen;
    if (st.st_size > kMaxFileBytes)
        return ReadResult::TooBig;
    out.clear();
    char chunk[65536];
    for (;;) {
        const ssize_t n = read(fd.get(), chunk, sizeof chunk);
        if (n == 0)
            return ReadResult::Ok;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return ReadResult::CannotOpen;
        }
        if (out.size() + static_cast<size_t>(n) > static_cast<size_t>(kMaxFileBytes))
            return ReadResult::TooBig;
        out.append(chunk, static_cast<size_t>(n));
    }
}

bool writeAll(int fd, const std::string& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

// An output is written under a temporary name beside its final place and renamed only
// when everything succeeded, so no reader ever sees half a file.
class PendingOutput {
public:
    explicit PendingOutput(std::string finalPath) : final_(std::move(finalPath)), temp_(final_ + ".XXXXXX")
    {
        fd_ = mkostemp(temp_.data(), O_CLOEXEC);
        created_ = fd_ >= 0;
        if (created_)
            fchmod(fd_, 0644);
    }
    ~PendingOutput()
    {
        if (fd_ >= 0)
            close(fd_);
        if (created_ && !committed_)
            unlink(temp_.c_str());
    }
    PendingOutput(const PendingOutput&) = delete;
    PendingOutput& operator=(const PendingOutput&) = delete;

    bool opened() const { return fd_ >= 0; }
    bool write(const std::string& bytes) { return writeAll(fd_, bytes); }
    bool finish()
    {
        const int fd = fd_;
        fd_ = -1;
        return close(fd) == 0;
    }
    bool commit()
    {
        committed_ = rename(temp_.c_str(), final_.c_str()) == 0;
        return committed_;
    }

private:
    std::string final_;
    std::string temp_;
    int fd_ = -1;
    bool created_ = false;
    bool committed_ = false;
};

bool sameFile(const char* a, const char* b)
{
    struct stat sa {}, sb {};
    return stat(a, &sa) == 0 && stat(b, &sb) == 0 && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

// A failed compilation leaves neither output behind - but never removes the source.
void removeOutputs(const char* source, const char* compiled, const char* header)
{
    for (const char* path : {compiled, header})
        if (path && *path && !(source && sameFile(source, path)))
            unlink(path);
}

int compile(const char* sourceFile, const char* compiledFile, const char* headerFile, int* line)
{
    if (!sourceFile || !compiledFile || !headerFile || !*compiledFile || !*headerFile)
        return LANG_ERR_OPEN;
    std::string source;
    switch (readFile(sourceFile, source)) {
    case ReadResult::Ok:
        break;
    case ReadResult::CannotOpen:
        return LANG_ERR_OPEN;
    case ReadResult::TooBig:
        return LANG_ERR_WRITE;
    }
    PendingOutput compiled(compiledFile);
    PendingOutput header(headerFile);
    if (!compiled.opened() || !header.opened())
        return LANG_ERR_OPEN;

    plinth::lang::SourceResult parsed = plinth::lang::compileSource(source);
    if (parsed.error != 0) {
        if (line && parsed.error >= LANG_ERR_IDENTIFIER && parsed.error <= LANG_ERR_TEXT)
            *line = parsed.line;
        return parsed.error;
    }
    const std::optional<std::string> bytes = plinth::lang::encode(parsed.table);
    if (!bytes || !compiled.write(*bytes) || !header.write(plinth::lang::headerText(parsed.identifiers)))
        return LANG_ERR_WRITE;
    if (!compiled.finish() || !header.finish() || !compiled.commit() || !header.commit())
        return LANG_ERR_WRITE;
    return LANG_OK;
}

} // namespace

PLINTH_API int LangCompileStrings(const char* sourceFile, const char* compiledFile, const char* headerFile, int* line)
{
    int result;
    try {
        result = compile(sourceFile, compiledFile, headerFile, line);
    } catch (const std::bad_alloc&) {
        result = LANG_ERR_WRITE;
    }
    if (result != LANG_OK)
        removeOutputs(sourceFile, compiledFile, headerFile);
    return result;
}

PLINTH_API Lang LangCreate(const char* compiledFile)
{
    if (!compiledFile)
        return nullptr;
    try {
        std::string bytes;
        if (readFile(compiledFile, bytes) != ReadResult::Ok)
            return nullptr;
        auto table = plinth::lang::decode(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
        if (!table)
            return nullptr;
        auto lang = std::make_unique<PlinthLang>();
        lang->table = std::move(*table);
        return lang.release();
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

PLINTH_API int LangClose(Lang lang)
{
    std::unique_ptr<PlinthLang> owned(lang);
    return 1;
}

PLINTH_API int LangGetId(Lang lang, const char* languageName)
{
    if (!lang || !languageName)
        return -1;
    const auto& t = lang->table;
    for (uint32_t c = 0; c < t.languages(); ++c)
        if (std::strcmp(t.names.c_str() + t.nameOffsets[c], languageName) == 0)
            return static_cast<int>(c);
    return -1;
}

PLINTH_API const char* LangLoadString(Lang lang, unsigned int column, unsigned int row)
{
    if (!lang)
        return nullptr;
    const auto& t = lang->table;
    if (column >= t.languages() || row >= t.rows)
        return nullptr;
    const int32_t cell = t.cells[static_cast<size_t>(row) * t.languages() + column];
    return cell == plinth::lang::kNoText ? nullptr : t.texts.c_str() + cell;
}

PLINTH_API const char* LangLoadStringFromName(Lang lang, const char* languageName, unsigned int row)
{
    const int column = LangGetId(lang, languageName);
    return column < 0 ? nullptr : LangLoadString(lang, static_cast<unsigned int>(column), row);
}

PLINTH_API const char* LangLoadDefaultString(Lang lang, unsigned int row)
{
    return LangLoadString(lang, 0, row);
}
