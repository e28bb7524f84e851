// The archive reader over arbitrary bytes: the first byte picks the record sequence, the
// rest is the stream. Any malformed input must end in fw::ArchiveError, never in a crash,
// a read past the end or an allocation driven by a forged count.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fw/core/archive.h"

namespace {

struct Row : fw::Serializable {
    static const fw::ClassInfo& runtimeClass()
    {
        static const fw::ClassInfo info = fw::ClassInfo::of<Row>("CKvRowData", 0);
        return info;
    }
    const fw::ClassInfo& classInfo() const override { return runtimeClass(); }
    void serialize(fw::Archive& ar) override
    {
        for (int i = 0; i < 5; ++i)
            ar.readLong();
        for (int i = 0; i < 2; ++i) {
            ar.readDouble();
            ar.readLong();
            ar.readLong();
        }
    }
};

struct Node : fw::Serializable {
    std::shared_ptr<fw::Serializable> next;
    static const fw::ClassInfo& runtimeClass()
    {
        static const fw::ClassInfo info = fw::ClassInfo::of<Node>("Node", 1);
        return info;
    }
    const fw::ClassInfo& classInfo() const override { return runtimeClass(); }
    void serialize(fw::Archive& ar) override { next = ar.readObject(); }
};

const fw::ClassRegistry& registry()
{
    static const fw::ClassRegistry r = [] {
        fw::ClassRegistry reg;
        reg.add(Row::runtimeClass());
        reg.add(Node::runtimeClass());
        return reg;
    }();
    return r;
}

void readAll(fw::Archive& ar, std::uint8_t plan)
{
    switch (plan % 4) {
    case 0: { // an object array, as a drag payload
        const std::uint32_t n = ar.readCount(2);
        for (std::uint32_t i = 0; i < n; ++i)
            ar.readObjectAs<Row>();
        break;
    }
    case 1: // a settings-like sequence of arrays and strings
        while (ar.remaining() > 0) {
            ar.readWordArray();
            ar.readDWordArray();
            ar.readString();
        }
        break;
    case 2: // objects of either class until the end
        while (ar.remaining() > 0)
            ar.readObject();
        break;
    default: // an accelerator-like block of six-byte records
    {
        const std::uint32_t n = ar.readCount(6);
        std::vector<std::uint8_t> rec(6);
        for (std::uint32_t i = 0; i < n; ++i)
            ar.readBytes(rec);
        break;
    }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    fw::Archive ar(std::vector<std::uint8_t>(data + 1, data + size), registry());
    try {
        readAll(ar, data[0]);
    } catch (const fw::ArchiveError&) {
    }
    return 0;
}
