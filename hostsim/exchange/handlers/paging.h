#pragma once
// Snapshot paging: a request names the 8-digit resume key of the last record
// it received ("00000000" at the start); the reply carries the records after
// it, as many as fit, each with its own position (1-based, zero-padded) as
// its resume key and '1' in the last-record flag of the table's final record.
#include <cstddef>
#include <optional>
#include <string>

#include "dispatch/reply_builder.h"
#include "dispatch/request_text.h"

namespace exchange {

// The resume key of a snapshot request: the digits after the user id (8, or
// 10 on the first request of the message texts), nullopt when malformed.
std::optional<std::size_t> ResumeKey(const RequestText& text);

std::string KeyText(std::size_t position);

// Adds records [start, count) while they fit; make(index, key, last) builds one.
template <typename Make>
void PageRecords(ReplyBuilder& reply, int type, std::size_t count, std::size_t start, Make make)
{
    for (std::size_t i = start; i < count; ++i) {
        std::string record = make(i, KeyText(i + 1), i + 1 == count);
        if (record.empty())
            continue; // a record that cannot be written is left out, not cut
        if (!reply.add(type, std::move(record)))
            return;
    }
}

} // namespace exchange
