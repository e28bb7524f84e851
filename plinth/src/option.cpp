// The traditional option scanner.
#include "plinth/option.h"

#include <cstring>

#include "option_state.h"

namespace {

struct OptionState {
    int index = 1;
    const char* position = nullptr; // inside the word being scanned, or none
    int character = 0;
    const char* argument = nullptr;
};

OptionState scan;

// Past the current character; the next word when the word is used up.
void moveOn(int count)
{
    if (*scan.position == '\0') {
        scan.position = nullptr;
        if (scan.index < count)
            ++scan.index;
    }
}

} // namespace

namespace plinth {

void OptionReset()
{
    scan = OptionState {};
}

} // namespace plinth

PLINTH_API int OptionGet(int count, char* const words[], const char* letters)
{
    if (words == nullptr || letters == nullptr || scan.index < 0 || scan.index >= count)
        return -1;
    if (scan.position == nullptr) {
        const char* word = words[scan.index];
        if (word == nullptr || word[0] != '-')
            return -1;
        if (word[1] == '-' && word[2] == '\0') {
            ++scan.index;
            return -1;
        }
        scan.position = word + 1;
    }

    scan.character = static_cast<unsigned char>(*scan.position);
    if (scan.character == '\0') { // a lone "-"
        scan.position = nullptr;
        ++scan.index;
        return -1;
    }
    ++scan.position;

    const char* spec = scan.character == ':' ? nullptr : std::strchr(letters, scan.character);
    if (spec == nullptr) {
        scan.argument = nullptr;
        moveOn(count);
        return '?';
    }

    if (spec[1] == ':' && spec[2] == ':') {
        scan.argument = *scan.position != '\0' ? scan.position : nullptr;
        scan.position = nullptr;
        ++scan.index;
        return scan.character;
    }

    if (spec[1] == ':') {
        ++scan.index;
        if (*scan.position != '\0') {
            scan.argument = scan.position;
        } else if (scan.index >= count || words[scan.index] == nullptr) {
            scan.argument = nullptr;
            scan.position = nullptr;
            return letters[0] == ':' ? ':' : '?';
        } else {
            scan.argument = words[scan.index];
            ++scan.index;
        }
        scan.position = nullptr;
        return scan.character;
    }

    scan.argument = nullptr;
    moveOn(count);
    return scan.character;
}

PLINTH_API const char* OptionArg(void)
{
    return scan.argument;
}

PLINTH_API int OptionChar(void)
{
    return scan.character;
}

PLINTH_API int OptionIndex(void)
{
    return scan.index;
}
