// Host record fields through every kvcore decoder: each step takes a width and
// a decimal count from two bytes and decodes the next field of that width.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "kvcore/values/cdatetime.h"
#include "kvcore/values/cdouble.h"
#include "kvcore/values/field_codecs.h"
#include "kvcore/values/number_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    size_t pos = 0;
    while (pos + 2 <= size) {
        const int width = data[pos] % 40;
        const int decimals = data[pos + 1] % 24;
        pos += 2;
        const size_t take = static_cast<size_t>(width) < size - pos ? static_cast<size_t>(width) : size - pos;
        // An exact-size copy: any read past the field is caught.
        const std::vector<char> field(data + pos, data + pos + take);
        const int len = static_cast<int>(take);
        pos += take;

        (void)Vorl2Int(field.data(), len);
        (void)Vorl2Long(field.data(), len);
        (void)Vorl2ULong(field.data(), len);
        std::vector<char> out(take + 1);
        Vorl2Str0(out.data(), field.data(), len);
        Vorl2Str0NoStrip(out.data(), field.data(), len);
        CDouble number;
        DecodeField(field.data(), static_cast<unsigned>(take) - (take > 0 ? 1 : 0), &number,
            static_cast<unsigned>(decimals));
        (void)number.FormatVORL();
        (void)number.Format(1, 1);

        const std::string text(field.begin(), field.end()); // zero-terminated
        CDateTime t;
        t.SetDateVORL(text.c_str());
        t.SetTimeVORL(text.c_str());
        (void)t.FormatDate();
        t.SetDateTimeASN(text.c_str());
        t.ParseDateTime(text.c_str());
        (void)t.FormatTime();
        (void)Str2Dbl(text.c_str(), decimals);
        (void)Cur2Str(text, width, decimals);
        (void)FormatNumber(text);
    }
    return 0;
}
