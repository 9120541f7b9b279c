// An ODBC connection string ("DBQ=file; DRIVER={name}; ...") split into its
// keyword-value pairs. Keywords are matched without regard to letter case;
// blanks around keywords and values are dropped; a value may be braced, in
// which case it runs to the matching closing brace (a doubled "}}" standing
// for one "}") and may hold ';' and blanks. Parts without '=' are ignored.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace jetodbc {

class ConnectionString {
  public:
    // Splits text into pairs. Never fails: a malformed part is skipped, an
    // unclosed brace takes the rest of the text as its value.
    static ConnectionString Parse(std::string_view text);

    // The value of the first pair whose keyword equals key ignoring letter
    // case; no value when there is none.
    std::optional<std::string> Get(std::string_view key) const;

    // The pairs in the order they appear, keywords as written.
    const std::vector<std::pair<std::string, std::string>>& pairs() const { return pairs_; }

    // Formats a keyword-value pair for an output connection string, bracing
    // the value when it holds ';', '{', '}' or blanks at either end.
    static std::string FormatPair(std::string_view key, std::string_view value);

  private:
    std::vector<std::pair<std::string, std::string>> pairs_;
};

}  // namespace jetodbc
