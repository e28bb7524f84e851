// Arbitrary bytes as one reply message of the news text request: a decoded
// text never holds more than the message carried after its length, and never
// ends in a blank.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "kv32/shell/news_form.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view message(reinterpret_cast<const char*>(data), size);
    std::string text;
    if (DecodeNewsTextReply(message, text)) {
        if (size < 4 || text.size() > size - 4)
            std::abort();
        if (!text.empty() && text.back() == ' ')
            std::abort();
        if (message.substr(4, text.size()) != text)
            std::abort();
    }
    return 0;
}
