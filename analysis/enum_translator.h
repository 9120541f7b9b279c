// BoostTransLator: the property-tree translator that writes an enumeration
// as its decimal number. It never fails.
#pragma once

#include <boost/optional.hpp>
#include <cerrno>
#include <cstdlib>
#include <string>
#include <type_traits>

template <typename Enum>
struct BoostTransLator {
    static_assert(std::is_enum<Enum>::value, "BoostTransLator writes enumerations");
    using internal_type = std::string;
    using external_type = Enum;

    boost::optional<external_type> get_value(const internal_type& text) const {
        char* end = nullptr;
        errno = 0;
        long number = std::strtol(text.c_str(), &end, 10);
        if (text.empty() || *end != '\0' || errno != 0) return boost::none;
        return static_cast<Enum>(number);
    }
    boost::optional<internal_type> put_value(const external_type& value) const {
        return std::to_string(static_cast<long long>(value));
    }
};
