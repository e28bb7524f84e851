#pragma once
// Standing requests: the request names the last sequence number received
// (10 digits after the user id); the reply carries the later changes the
// session may see, in order, as many as fit.
#include <optional>
#include <string>

#include "core/change_log.h"
#include "dispatch/reply_builder.h"
#include "dispatch/request_text.h"

namespace exchange {

inline std::optional<int64_t> StreamKey(
    const RequestText& text, std::size_t offset = kUserWidth, std::size_t width = 10)
{
    const auto seq = text.number(offset, width);
    return seq && *seq >= 0 ? seq : std::nullopt;
}

// build(change) gives the record, or an empty text to pass the change over.
template <typename Build>
void StreamChanges(
    ReplyBuilder& reply, int type, const ChangeLog& log, int64_t after, const std::string* firm, Build build)
{
    log.after(after, firm, [&](const Change& c) {
        std::string record = build(c);
        return record.empty() || reply.add(type, std::move(record));
    });
}

} // namespace exchange
