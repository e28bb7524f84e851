// A module that, like libkvcore.so's window classes, registers an archive class
// when it loads. The test program reads an archive naming the class and must
// find it: the registry it reads through is the one this module wrote into.
#include <cstdint>

#include "fw/core/archive.h"
#include "fw/core/serializable.h"

namespace {

class ProbeRecord : public fw::Serializable {
public:
    static const fw::ClassInfo& runtimeClass()
    {
        static const fw::ClassInfo info = fw::ClassInfo::of<ProbeRecord>("CKvProbeRecord", 2);
        return info;
    }
    const fw::ClassInfo& classInfo() const override { return runtimeClass(); }
    void serialize(fw::Archive& ar) override
    {
        if (ar.isStoring())
            ar.writeDWord(value_);
        else
            value_ = ar.readDWord();
    }

private:
    std::uint32_t value_ = 0;
};

[[maybe_unused]] const bool kRegistered = (fw::ClassRegistry::global().add(ProbeRecord::runtimeClass()), true);

} // namespace
