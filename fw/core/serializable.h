#pragma once
// Classes whose objects travel through an Archive by class tag, and the registry that
// turns a stored class name back into an object.
#include "fw/core/fw_core_api.h"
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace fw {

class Archive;
class Serializable;

struct FW_CORE_API ClassInfo {
    std::string name; // at most 63 bytes, as stored class names are limited
    std::uint16_t schema = 0;
    std::function<std::shared_ptr<Serializable>()> create;

    template <class T> static ClassInfo of(std::string name, std::uint16_t schema)
    {
        return ClassInfo { std::move(name), schema, [] { return std::make_shared<T>(); } };
    }
};

class FW_CORE_API Serializable {
public:
    // Defined in the library, so the class's vtable and type information live there only.
    virtual ~Serializable();
    virtual const ClassInfo& classInfo() const = 0;
    virtual void serialize(Archive& ar) = 0;
};

class FW_CORE_API ClassRegistry {
public:
    // The registry that loading archives use unless they are given another.
    static ClassRegistry& global();

    // Registers a class by name; registering the same name again replaces the entry.
    // The ClassInfo must outlive the registry (a function-local static is the usual home).
    void add(const ClassInfo& info);
    const ClassInfo* find(std::string_view name) const;

private:
    std::vector<const ClassInfo*> classes_;
};

} // namespace fw
