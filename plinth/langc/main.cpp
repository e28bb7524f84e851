// plinth_langc <source> <compiled file> <header file>
// Exit status: 0 on success, else the compiler's code (1 to 7) with one line on stderr;
// 64 for a wrong command line. Messages follow the language of LC_ALL / LC_MESSAGES / LANG.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "plinth/lang.h"

namespace {

struct Message {
    const char* english;
    const char* hungarian;
};

// Indexed by the compiler's result code.
const Message kMessages[] = {
    {"success", "sikeres"},
    {"cannot open one of the files", "valamelyik fájl nem nyitható meg"},
    {"an entry does not begin with an identifier", "a bejegyzés nem azonosítóval kezdődik"},
    {"'{' expected after the identifier", "az azonosító után '{' kell"},
    {"'}' or a language identifier expected", "'}' vagy nyelvazonosító kell"},
    {"'|' expected after the language identifier", "a nyelvazonosító után '|' kell"},
    {"quoted text expected after '|'", "a '|' után idézőjeles szöveg kell"},
    {"out of memory, or writing an output failed", "elfogyott a memória, vagy egy kimenet írása nem sikerült"},
};
const Message kUsage = {"usage: plinth_langc <source> <compiled file> <header file>",
                        "használat: plinth_langc <forrás> <lefordított fájl> <fejlécfájl>"};

bool hungarian()
{
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value && *value)
            return std::strncmp(value, "hu", 2) == 0;
    }
    return false;
}

const char* text(const Message& m)
{
    return hungarian() ? m.hungarian : m.english;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "%s\n", text(kUsage));
        return 64;
    }
    int line = 0;
    const int code = LangCompileStrings(argv[1], argv[2], argv[3], &line);
    if (code == LANG_OK)
        return 0;
    const Message& message = kMessages[(code > 0 && code <= LANG_ERR_WRITE) ? code : LANG_ERR_WRITE];
    if (code >= LANG_ERR_IDENTIFIER && code <= LANG_ERR_TEXT)
        std::fprintf(stderr, "plinth_langc: %s:%d: %s\n", argv[1], line, text(message));
    else
        std::fprintf(stderr, "plinth_langc: %s: %s\n", argv[1], text(message));
    return code;
}
