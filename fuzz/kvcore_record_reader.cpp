// Host records through the bounded record reader. The input's first byte
// gives a count of steps, each two bytes (reader call, width); the rest is
// the record, handed to a target's StoreDataItem in a buffer of exactly its
// size so that any read past the record is caught. The reader's promises are
// checked after every step.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "kvcore/router/kv_trace.h"
#include "kvcore/router/record_reader.h"
#include "kvcore/router/vorl_target.h"

namespace {

struct Step {
    uint8_t kind;
    int width; // a few negative widths are among them
};

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

class LayoutTarget : public CVorlTarget {
public:
    explicit LayoutTarget(std::vector<Step> layout, size_t length)
        : m_layout(std::move(layout))
        , m_length(length)
    {
    }

    int Decode(CRecordReader& r) override
    {
        for (const Step& s : m_layout) {
            const bool wasOk = r.Ok();
            bool zero = true; // the step's value is a zero value
            switch (s.kind % 11) {
            case 0:
                zero = r.Int(s.width) == 0;
                break;
            case 1:
                zero = r.Long(s.width) == 0;
                break;
            case 2:
                zero = r.ULong(s.width) == 0;
                break;
            case 3: {
                const std::string t = r.Text(s.width);
                Require(s.width < 0 || t.size() <= static_cast<size_t>(s.width));
                zero = t.empty();
                break;
            }
            case 4: {
                const std::string t = r.TextNoStrip(s.width);
                Require(s.width < 0 || t.size() <= static_cast<size_t>(s.width));
                zero = t.empty();
                break;
            }
            case 5: {
                const CDouble d = r.Decimal(s.width, s.width % 24);
                (void)d.FormatVORL();
                (void)d.IsNoValue();
                zero = d == 0.0;
                break;
            }
            case 6: {
                const CDateTime t = r.Date8();
                (void)t.FormatDateVORL();
                zero = !t.IsValid();
                break;
            }
            case 7: {
                const CDateTime t = r.Time6();
                (void)t.FormatTimeVORL();
                zero = !t.IsValid();
                break;
            }
            case 8:
                zero = r.Char() == '\0';
                break;
            case 9:
                r.Skip(s.width < 0 ? 0 : static_cast<size_t>(s.width));
                break;
            default:
                (void)r.Offset();
                break;
            }
            Require(r.Offset() + r.Remaining() == m_length);
            Require(wasOk || !r.Ok()); // never set back
            Require(r.Ok() || zero); // a failed read gives a zero value
        }
        return r.Ok() ? 1 : 0;
    }

private:
    std::vector<Step> m_layout;
    size_t m_length;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool quiet = [] {
        KvSetTraceSink([](const std::string&) { });
        return true;
    }();
    (void)quiet;
    if (size == 0)
        return 0;
    size_t pos = 1;
    std::vector<Step> layout;
    for (unsigned i = 0; i < data[0] % 48 && pos + 2 <= size; ++i, pos += 2)
        layout.push_back(Step { data[pos], static_cast<int>(data[pos + 1] % 72) - 4 });
    const size_t length = size - pos;
    auto record = std::make_unique<unsigned char[]>(length == 0 ? 1 : length);
    if (length > 0)
        std::memcpy(record.get(), data + pos, length);

    LayoutTarget target(std::move(layout), length);
    tagTMSG message;
    message.nType = 17;
    message.nLength = static_cast<int32_t>(length);
    message.pText = record.get();
    Require(target.StoreDataItem(&message) == 1);
    return 0;
}
