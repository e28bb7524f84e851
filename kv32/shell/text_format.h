// Fills the printf-style placeholders (%d, %s, %u, %lu, %ld) of a string-table
// text with ready-made texts, in order. The texts come from the string tables
// and the values from the program, so no format string ever reaches printf;
// "%%" stands for one '%', and a placeholder without a value stays empty.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

std::string KvFillText(std::string_view pattern, std::initializer_list<std::string_view> values);
