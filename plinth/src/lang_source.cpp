#include "lang_source.h"

#include <limits>

namespace plinth::lang {
namespace {

enum class Kind { End, Identifier, Open, Close, Bar, Quoted, Bad };

struct Token {
    Kind kind = Kind::End;
    std::string_view text;
    int line = 1;
};

bool isLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

class Lexer {
public:
    explicit Lexer(std::string_view text) : text_(text) {}

    Token next()
    {
        const int lastTokenLine = line_;
        skipSpaceAndComments();
        Token token;
        token.line = line_;
        if (pos_ >= text_.size()) {
            // A missing token is reported where the file's last token stood, not on the
            // line after a trailing newline.
            token.line = lastTokenLine;
            return token;
        }
        const char c = text_[pos_];
        if (isLetter(c)) {
            const size_t start = pos_;
            while (pos_ < text_.size() && (isLetter(text_[pos_]) || isDigit(text_[pos_]) || text_[pos_] == '_'))
                ++pos_;
            token.kind = Kind::Identifier;
            token.text = text_.substr(start, pos_ - start);
            return token;
        }
        ++pos_;
        switch (c) {
        case '{':
            token.kind = Kind::Open;
            return token;
        case '}':
            token.kind = Kind::Close;
            return token;
        case '|':
            token.kind = Kind::Bar;
            return token;
        case '"': {
            // Runs to the next quote or to the end of the file; no escapes.
            const size_t start = pos_;
            const size_t close = text_.find('"', start);
            const size_t end = close == std::string_view::npos ? text_.size() : close;
            for (size_t i = start; i < end; ++i)
                line_ += text_[i] == '\n';
            pos_ = close == std::string_view::npos ? end : close + 1;
            token.kind = Kind::Quoted;
            token.text = text_.substr(start, end - start);
            return token;
        }
        default:
            token.kind = Kind::Bad;
            return token;
        }
    }

private:
    void skipSpaceAndComments()
    {
        while (pos_ < text_.size()) {
            const char c = text_[pos_];
            if (c == '\n') {
                ++line_;
                ++pos_;
            } else if (isSpace(c)) {
                ++pos_;
            } else if (c == '#') {
                while (pos_ < text_.size() && text_[pos_] != '\n')
                    ++pos_;
            } else {
                return;
            }
        }
    }

    std::string_view text_;
    size_t pos_ = 0;
    int line_ = 1;
};

uint32_t columnOf(CompiledTable& table, std::string_view language)
{
    for (uint32_t c = 0; c < table.languages(); ++c)
        if (std::string_view(table.names.c_str() + table.nameOffsets[c]) == language)
            return c;
    table.nameOffsets.push_back(static_cast<uint32_t>(table.names.size()));
    table.names.append(language);
    table.names.push_back('\0');
    return table.languages() - 1;
}

struct Pair {
    uint32_t row;
    uint32_t column;
    int32_t offset;
};

} // namespace

SourceResult compileSource(std::string_view source)
{
    SourceResult result;
    std::vector<Pair> pairs;
    Lexer lexer(source);
    const auto fail = [&](int code, const Token& at) {
        result.error = code;
        result.line = at.line;
        result.identifiers.clear();
        result.table = CompiledTable();
        return result;
    };
    for (;;) {
        Token token = lexer.next();
        if (token.kind == Kind::End)
            break;
        if (token.kind != Kind::Identifier)
            return fail(2, token);
        const uint32_t row = static_cast<uint32_t>(result.identifiers.size());
        result.identifiers.emplace_back(token.text);
        token = lexer.next();
        if (token.kind != Kind::Open)
            return fail(3, token);
        for (;;) {
            token = lexer.next();
            if (token.kind == Kind::Close)
                break;
            if (token.kind != Kind::Identifier)
                return fail(4, token);
            const uint32_t column = columnOf(result.table, token.text);
            token = lexer.next();
            if (token.kind != Kind::Bar)
                return fail(5, token);
            token = lexer.next();
            if (token.kind != Kind::Quoted)
                return fail(6, token);
            pairs.push_back({row, column, static_cast<int32_t>(result.table.texts.size())});
            result.table.texts.append(token.text);
            result.table.texts.push_back('\0');
            if (result.table.texts.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max()))
                return fail(7, token);
        }
    }
    // The column count is known only now, so the cells are laid out after the pass.
    result.table.rows = static_cast<uint32_t>(result.identifiers.size());
    result.table.cells.assign(static_cast<size_t>(result.table.rows) * result.table.languages(), kNoText);
    for (const Pair& p : pairs)
        result.table.cells[static_cast<size_t>(p.row) * result.table.languages() + p.column] = p.offset;
    return result;
}

std::string headerText(const std::vector<std::string>& identifiers)
{
    std::string text = "/* This file was automatically generated - DO NOT EDIT */\n";
    for (size_t row = 0; row < identifiers.size(); ++row)
        text += "#define " + identifiers[row] + " " + std::to_string(row) + "\n";
    return text;
}

} // namespace plinth::lang
