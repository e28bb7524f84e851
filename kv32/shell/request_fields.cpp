#include "kv32/shell/request_fields.h"

int AppendPaddedField(KvFieldWriter& w, int width, std::string_view text, bool zeroPad)
{
    if (width < 0 || text.size() > static_cast<size_t>(width)) {
        w.Text(text, -1); // fails the writer
        return 0;
    }
    if (!zeroPad) {
        w.Text(text, width);
    } else {
        w.Raw(std::string(static_cast<size_t>(width) - text.size(), '0'));
        w.Raw(text);
    }
    return width;
}

std::string JoinLinesWithBlanks(std::string_view source)
{
    std::string joined;
    joined.reserve(source.size());
    for (size_t i = 0; i < source.size(); ++i) {
        if (source[i] == '\r' && i + 1 < source.size() && source[i + 1] == '\n') {
            joined += ' ';
            ++i;
        } else {
            joined += source[i];
        }
    }
    return joined;
}
