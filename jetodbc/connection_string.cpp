#include "jetodbc/connection_string.h"

#include "jetodbc/text_codec.h"

namespace jetodbc {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

}  // namespace

ConnectionString ConnectionString::Parse(std::string_view text) {
    ConnectionString result;
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t equals = text.find_first_of("=;", pos);
        if (equals == std::string_view::npos) break;
        if (text[equals] == ';') {  // a part without '='
            pos = equals + 1;
            continue;
        }
        const std::string_view key = Trim(text.substr(pos, equals - pos));
        size_t cursor = equals + 1;
        while (cursor < text.size() && IsBlank(text[cursor])) ++cursor;
        std::string value;
        if (cursor < text.size() && text[cursor] == '{') {
            ++cursor;
            bool closed = false;
            while (cursor < text.size()) {
                if (text[cursor] == '}') {
                    if (cursor + 1 < text.size() && text[cursor + 1] == '}') {
                        value.push_back('}');
                        cursor += 2;
                        continue;
                    }
                    ++cursor;
                    closed = true;
                    break;
                }
                value.push_back(text[cursor++]);
            }
            // Whatever follows the closing brace up to ';' is not part of the value.
            const size_t end = closed ? text.find(';', cursor) : std::string_view::npos;
            pos = end == std::string_view::npos ? text.size() : end + 1;
        } else {
            const size_t end = text.find(';', cursor);
            const size_t stop = end == std::string_view::npos ? text.size() : end;
            value = std::string(Trim(text.substr(cursor, stop - cursor)));
            pos = end == std::string_view::npos ? text.size() : end + 1;
        }
        if (!key.empty()) result.pairs_.emplace_back(std::string(key), std::move(value));
    }
    return result;
}

std::optional<std::string> ConnectionString::Get(std::string_view key) const {
    for (const auto& [k, v] : pairs_) {
        if (EqualsNoCase(k, key)) return v;
    }
    return std::nullopt;
}

std::string ConnectionString::FormatPair(std::string_view key, std::string_view value) {
    const bool brace = value.find_first_of(";{}") != std::string_view::npos ||
                       (!value.empty() && (IsBlank(value.front()) || IsBlank(value.back())));
    std::string out(key);
    out.push_back('=');
    if (!brace) {
        out.append(value);
    } else {
        out.push_back('{');
        for (char c : value) {
            out.push_back(c);
            if (c == '}') out.push_back('}');
        }
        out.push_back('}');
    }
    out.push_back(';');
    return out;
}

}  // namespace jetodbc
