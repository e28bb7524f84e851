#pragma once
// Language string files: texts by row (text identifier) and column (language).
#include "plinth/export.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct PlinthLang* Lang;

// Results of LangCompileStrings.
#define LANG_OK 0
#define LANG_ERR_OPEN 1          // a file cannot be opened
#define LANG_ERR_IDENTIFIER 2    // an entry does not begin with an identifier
#define LANG_ERR_OPEN_BRACE 3    // no "{" after an entry's identifier
#define LANG_ERR_LANGUAGE 4      // neither "}" nor a language identifier
#define LANG_ERR_BAR 5           // no "|" after a language identifier
#define LANG_ERR_TEXT 6          // no quoted text after "|"
#define LANG_ERR_WRITE 7         // out of memory, or writing an output failed

// Compiles a source file into a compiled file and a C header of "#define <id> <row>"
// lines. 0 on success, else a code above; then neither output exists, and on a syntax
// error (codes 2 to 6) *line (when given) receives its line, counted from 1.
PLINTH_API int LangCompileStrings(const char* sourceFile, const char* compiledFile,
                                  const char* headerFile, int* line);

// Loads a compiled file; null when it cannot be read or any count, offset or size in it
// does not fit the file.
PLINTH_API Lang LangCreate(const char* compiledFile);

// Frees the handle (null accepted); 1.
PLINTH_API int LangClose(Lang lang);

// The column of a language (exact, case-sensitive name), or -1.
PLINTH_API int LangGetId(Lang lang, const char* languageName);

// The text of a cell, valid until LangClose; null when the column or row is out of range
// or the entry has no text in that language.
PLINTH_API const char* LangLoadString(Lang lang, unsigned int column, unsigned int row);
PLINTH_API const char* LangLoadStringFromName(Lang lang, const char* languageName, unsigned int row);
PLINTH_API const char* LangLoadDefaultString(Lang lang, unsigned int row);

#ifdef __cplusplus
}
#endif
