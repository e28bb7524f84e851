#include "fw/core/archive.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace {

using Bytes = std::vector<std::uint8_t>;
using Cause = fw::ArchiveError::Cause;

Bytes repeat(std::uint8_t b, std::size_t n)
{
    return Bytes(n, b);
}

Bytes cat(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const auto& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

// A row the way the drag payload carries it: five longs and two numbers with decimals.
struct Row : fw::Serializable {
    std::int32_t ids[5] = { -1, -1, -1, -1, -1 };
    double qty = 0;
    std::int32_t qtyDec = 0;

    static const fw::ClassInfo& runtimeClass()
    {
        static const fw::ClassInfo info = fw::ClassInfo::of<Row>("CKvRowData", 0);
        return info;
    }
    const fw::ClassInfo& classInfo() const override { return runtimeClass(); }
    void serialize(fw::Archive& ar) override
    {
        if (ar.isStoring()) {
            for (auto v : ids)
                ar.writeLong(v);
            ar.writeDouble(qty);
            ar.writeLong(qtyDec);
        } else {
            for (auto& v : ids)
                v = ar.readLong();
            qty = ar.readDouble();
            qtyDec = ar.readLong();
        }
    }
};

// A class whose objects hold another object, to exercise references and nesting.
struct Node : fw::Serializable {
    std::shared_ptr<fw::Serializable> next;
    static const fw::ClassInfo& runtimeClass()
    {
        static const fw::ClassInfo info = fw::ClassInfo::of<Node>("Node", 3);
        return info;
    }
    const fw::ClassInfo& classInfo() const override { return runtimeClass(); }
    void serialize(fw::Archive& ar) override
    {
        if (ar.isStoring())
            ar.writeObject(next.get());
        else
            next = ar.readObject();
    }
};

fw::ClassRegistry& registry()
{
    static fw::ClassRegistry r = [] {
        fw::ClassRegistry reg;
        reg.add(Row::runtimeClass());
        reg.add(Node::runtimeClass());
        return reg;
    }();
    return r;
}

fw::Archive loader(Bytes b)
{
    return fw::Archive(std::move(b), registry());
}

TEST(ArchiveGolden, CountsUseTheEscapeFromFFFF)
{
    struct Case {
        std::uint32_t count;
        Bytes bytes;
    } cases[] = {
        { 0, { 0x00, 0x00 } },
        { 0x1234, { 0x34, 0x12 } },
        { 0xFFFE, { 0xFE, 0xFF } },
        { 0xFFFF, { 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00 } },
        { 0x12345678, { 0xFF, 0xFF, 0x78, 0x56, 0x34, 0x12 } },
    };
    for (const auto& c : cases) {
        fw::Archive ar;
        ar.writeCount(c.count);
        EXPECT_EQ(ar.bytes(), c.bytes) << c.count;
        auto in = loader(c.bytes);
        EXPECT_EQ(in.readCount(0), c.count);
        EXPECT_EQ(in.remaining(), 0u);
    }
}

TEST(ArchiveGolden, StringPrefixesAreOneThreeOrSevenBytes)
{
    struct Case {
        std::size_t length;
        Bytes prefix;
    } cases[] = {
        { 0, { 0x00 } },
        { 3, { 0x03 } },
        { 254, { 0xFE } },
        { 255, { 0xFF, 0xFF, 0x00 } },
        { 0xFFFD, { 0xFF, 0xFD, 0xFF } },
        { 0xFFFE, { 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00 } },
        { 0x10000, { 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00 } },
    };
    for (const auto& c : cases) {
        const std::string text(c.length, 'x');
        fw::Archive ar;
        ar.writeString(text);
        EXPECT_EQ(ar.bytes(), cat({ c.prefix, repeat('x', c.length) })) << c.length;
        auto in = loader(ar.bytes());
        EXPECT_EQ(in.readString(), text);
        EXPECT_EQ(in.remaining(), 0u);
    }
}

TEST(ArchiveGolden, IntegersAreLittleEndian)
{
    fw::Archive ar;
    ar.writeByte(0xAB);
    ar.writeWord(0x1234);
    ar.writeDWord(0x89ABCDEF);
    ar.writeLong(-2);
    ar.writeDouble(1.5);
    const Bytes want
        = { 0xAB, 0x34, 0x12, 0xEF, 0xCD, 0xAB, 0x89, 0xFE, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0xF8, 0x3F };
    EXPECT_EQ(ar.bytes(), want);
    auto in = loader(want);
    EXPECT_EQ(in.readByte(), 0xAB);
    EXPECT_EQ(in.readWord(), 0x1234);
    EXPECT_EQ(in.readDWord(), 0x89ABCDEFu);
    EXPECT_EQ(in.readLong(), -2);
    EXPECT_EQ(in.readDouble(), 1.5);
}

TEST(ArchiveGolden, WordAndDWordArrays)
{
    fw::Archive ar;
    const std::uint16_t words[] = { 1, 0xBEEF };
    const std::uint32_t dwords[] = { 0x00010002 };
    ar.writeWordArray(words);
    ar.writeDWordArray(dwords);
    const Bytes want = { 0x02, 0x00, 0x01, 0x00, 0xEF, 0xBE, 0x01, 0x00, 0x02, 0x00, 0x01, 0x00 };
    EXPECT_EQ(ar.bytes(), want);
    auto in = loader(want);
    EXPECT_EQ(in.readWordArray(), (std::vector<std::uint16_t> { 1, 0xBEEF }));
    EXPECT_EQ(in.readDWordArray(), (std::vector<std::uint32_t> { 0x00010002 }));
}

// Two rows in an object array: the first introduces the class, the second refers to it.
TEST(ArchiveGolden, ObjectTagsOfTheDragPayload)
{
    Row a, b;
    a.ids[0] = 7;
    b.ids[4] = 0x01020304;
    b.qty = 2.0;
    b.qtyDec = 2;
    fw::Archive ar;
    ar.writeCount(2);
    ar.writeObject(&a);
    ar.writeObject(&b);
    const Bytes rowA = cat({ { 7, 0, 0, 0 }, repeat(0xFF, 16), repeat(0, 12) });
    const Bytes rowB
        = cat({ repeat(0xFF, 16), { 4, 3, 2, 1 }, { 0, 0, 0, 0, 0, 0, 0, 0x40 }, { 2, 0, 0, 0 } });
    const Bytes want = cat({ { 0x02, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0x0A, 0x00 },
        { 'C', 'K', 'v', 'R', 'o', 'w', 'D', 'a', 't', 'a' }, rowA, { 0x01, 0x80 }, rowB });
    EXPECT_EQ(ar.bytes(), want);

    auto in = loader(want);
    ASSERT_EQ(in.readCount(2), 2u);
    auto ra = in.readObjectAs<Row>();
    auto rb = in.readObjectAs<Row>();
    ASSERT_TRUE(ra && rb);
    EXPECT_EQ(ra->ids[0], 7);
    EXPECT_EQ(rb->ids[4], 0x01020304);
    EXPECT_EQ(rb->qty, 2.0);
    EXPECT_EQ(in.remaining(), 0u);
}

TEST(ArchiveGolden, NullAndRepeatedObjects)
{
    auto shared = std::make_shared<Node>();
    Node head;
    head.next = shared;
    fw::Archive ar;
    ar.writeObject(nullptr);
    ar.writeObject(&head); // new class (index 1), head (2), then shared: class ref, object (3), null
    ar.writeObject(shared.get()); // a reference to object 3
    const Bytes want = cat({ { 0x00, 0x00 }, { 0xFF, 0xFF, 0x03, 0x00, 0x04, 0x00, 'N', 'o', 'd', 'e' },
        { 0x01, 0x80 }, { 0x00, 0x00 }, { 0x03, 0x00 } });
    EXPECT_EQ(ar.bytes(), want);

    auto in = loader(want);
    EXPECT_EQ(in.readObject(), nullptr);
    auto h = in.readObjectAs<Node>();
    auto again = in.readObject();
    ASSERT_TRUE(h && h->next);
    EXPECT_EQ(h->next, again);
}

TEST(ArchiveLoad, MalformedStreamsThrowWithTheirCause)
{
    enum class Read { Count, String, Object };
    struct Case {
        const char* what;
        Read read;
        Bytes bytes;
        Cause cause;
    } cases[] = {
        { "empty", Read::Count, {}, Cause::EndOfFile },
        { "half a word", Read::Count, { 0x01 }, Cause::EndOfFile },
        { "escaped count cut short", Read::Count, { 0xFF, 0xFF, 0x01 }, Cause::EndOfFile },
        { "string longer than the data", Read::String, { 0x05, 'a', 'b' }, Cause::EndOfFile },
        { "3-byte prefix cut short", Read::String, { 0xFF, 0x10 }, Cause::EndOfFile },
        { "7-byte prefix claims 4 GiB", Read::String, { 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 'a' },
            Cause::EndOfFile },
        { "wide-string marker", Read::String, { 0xFF, 0xFE, 0xFF, 0x00 }, Cause::Generic },
        { "unknown class", Read::Object, { 0xFF, 0xFF, 0, 0, 3, 0, 'F', 'o', 'o' }, Cause::BadClass },
        { "class name overlong", Read::Object, { 0xFF, 0xFF, 0, 0, 0x40, 0 }, Cause::BadClass },
        { "class name cut short", Read::Object, { 0xFF, 0xFF, 0, 0, 10, 0, 'C', 'K' }, Cause::EndOfFile },
        { "wrong schema", Read::Object,
            { 0xFF, 0xFF, 1, 0, 10, 0, 'C', 'K', 'v', 'R', 'o', 'w', 'D', 'a', 't', 'a' }, Cause::BadSchema },
        { "class reference before any class", Read::Object, { 0x01, 0x80 }, Cause::BadIndex },
        { "object reference to nothing", Read::Object, { 0x05, 0x00 }, Cause::BadIndex },
        { "big tag to nothing", Read::Object, { 0xFF, 0x7F, 0x09, 0, 0, 0x80 }, Cause::BadIndex },
        { "object body cut short", Read::Object,
            { 0xFF, 0xFF, 0, 0, 10, 0, 'C', 'K', 'v', 'R', 'o', 'w', 'D', 'a', 't', 'a', 1, 2 },
            Cause::EndOfFile },
    };
    for (const auto& c : cases) {
        auto in = loader(c.bytes);
        try {
            switch (c.read) {
            case Read::Count:
                in.readCount(1);
                break;
            case Read::String:
                in.readString();
                break;
            case Read::Object:
                in.readObject();
                break;
            }
            ADD_FAILURE() << c.what << ": no exception";
        } catch (const fw::ArchiveError& e) {
            EXPECT_EQ(e.cause(), c.cause) << c.what << ": " << e.what();
        }
    }
}

TEST(ArchiveLoad, ForgedCountsAreRefusedBeforeAllocation)
{
    // 0xFFFFFFFF words claimed, two bytes present.
    auto in = loader({ 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x01, 0x00 });
    try {
        in.readWordArray();
        FAIL() << "no exception";
    } catch (const fw::ArchiveError& e) {
        EXPECT_EQ(e.cause(), Cause::BadIndex);
    }
    auto exact = loader({ 0x02, 0x00, 1, 0, 2, 0, 3, 0, 4 });
    EXPECT_THROW(exact.readDWordArray(), fw::ArchiveError);
}

TEST(ArchiveLoad, ReferencesOfTheWrongKindAreRefused)
{
    // Index 1 is the class, index 2 the object: an object reference to 1 and a class
    // reference to 2 are both nonsense.
    const Bytes head = { 0xFF, 0xFF, 0x03, 0x00, 0x04, 0x00, 'N', 'o', 'd', 'e', 0x00, 0x00 };
    for (Bytes tail : { Bytes { 0x01, 0x00 }, Bytes { 0x02, 0x80 } }) {
        auto in = loader(cat({ head, tail }));
        ASSERT_TRUE(in.readObject());
        try {
            in.readObject();
            ADD_FAILURE() << "no exception";
        } catch (const fw::ArchiveError& e) {
            EXPECT_EQ(e.cause(), Cause::BadIndex);
        }
    }
}

TEST(ArchiveLoad, AReferenceBackToAnObjectBeingReadIsRefused)
{
    // Node (object 2) whose next is object 2 itself: an ownership cycle.
    auto in = loader({ 0xFF, 0xFF, 0x03, 0x00, 0x04, 0x00, 'N', 'o', 'd', 'e', 0x02, 0x00 });
    try {
        in.readObject();
        FAIL() << "no exception";
    } catch (const fw::ArchiveError& e) {
        EXPECT_EQ(e.cause(), Cause::BadIndex);
    }
}

TEST(ArchiveLoad, DeepNestingIsRefused)
{
    Bytes b = { 0xFF, 0xFF, 0x03, 0x00, 0x04, 0x00, 'N', 'o', 'd', 'e' };
    for (int i = 0; i < 200; ++i)
        b.insert(b.end(), { 0x01, 0x80 });
    b.insert(b.end(), { 0x00, 0x00 });
    auto in = loader(b);
    EXPECT_THROW(in.readObject(), fw::ArchiveError);
}

TEST(ArchiveLoad, TypedReadRefusesAnotherClass)
{
    Node n;
    fw::Archive ar;
    ar.writeObject(&n);
    auto in = loader(ar.bytes());
    try {
        in.readObjectAs<Row>();
        FAIL() << "no exception";
    } catch (const fw::ArchiveError& e) {
        EXPECT_EQ(e.cause(), Cause::BadClass);
    }
}

TEST(ArchiveModes, WrongDirectionThrows)
{
    fw::Archive store;
    EXPECT_THROW(store.readWord(), fw::ArchiveError);
    auto load = loader({ 1, 2 });
    EXPECT_THROW(load.writeWord(1), fw::ArchiveError);
}

TEST(ArchiveFile, SaveAndLoadRoundTrip)
{
    char tmpl[] = "/tmp/fwarchiveXXXXXX";
    ASSERT_NE(::mkdtemp(tmpl), nullptr);
    const std::filesystem::path dir = tmpl;
    fw::Archive ar;
    ar.writeString("ANNA");
    ASSERT_TRUE(ar.saveFile(dir / "ANNA.kvs"));
    auto in = fw::Archive::loadFile(dir / "ANNA.kvs", registry());
    ASSERT_TRUE(in.has_value());
    EXPECT_EQ(in->readString(), "ANNA");
    EXPECT_FALSE(fw::Archive::loadFile(dir / "missing.kvs").has_value());
    EXPECT_FALSE(fw::Archive::loadFile(dir).has_value()); // a folder is no document
    EXPECT_FALSE(ar.saveFile(dir / "no" / "such" / "folder.kvs"));
    std::filesystem::remove_all(dir);
}

} // namespace
