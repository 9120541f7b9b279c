#include "jetodbc/field_transfer.h"

#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>

#include "jetodbc/date_time.h"
#include "jetodbc/jet_image.h"
#include "jetodbc/text_codec.h"

namespace jetodbc {

namespace {

template <typename T>
FieldOutcome Store(T value, const BoundBuffer& out) {
    std::memcpy(out.target, &value, sizeof value);
    if (out.indicator) *out.indicator = sizeof value;
    return FieldOutcome::Done;
}

// A whole number into integer C type T; out of T's range is the general
// path's 22003.
template <typename T>
FieldOutcome StoreInteger(int64_t v, const BoundBuffer& out) {
    if (v < static_cast<int64_t>(std::numeric_limits<T>::min())) return FieldOutcome::General;
    if (static_cast<uint64_t>(v) > static_cast<uint64_t>(std::numeric_limits<T>::max()) && v > 0) {
        return FieldOutcome::General;
    }
    return Store(static_cast<T>(v), out);
}

// A double as ConvertValue's number form gives it back: a whole amount
// goes through its integer, which makes -0.0 plain 0.
double AsNumber(double d) {
    if (std::isfinite(d) && std::trunc(d) == d && std::fabs(d) < 9.2e18) {
        return static_cast<double>(static_cast<int64_t>(d));
    }
    return d;
}

FieldOutcome PutInteger(SQLSMALLINT cType, uint8_t jetType, const FieldSlice& field,
                        const BoundBuffer& out) {
    int64_t v = 0;
    switch (jetType) {
        case kJetBool:
            v = field.bit ? 1 : 0;
            break;
        case kJetByte:
            if (field.size < 1) return FieldOutcome::General;
            v = field.data[0];
            break;
        case kJetInt:
            if (field.size < 2) return FieldOutcome::General;
            v = LoadStored<int16_t>(field.data);
            break;
        default:  // Long and its like
            if (field.size < 4) return FieldOutcome::General;
            v = LoadStored<int32_t>(field.data);
            break;
    }
    switch (cType) {
        case SQL_C_BIT:
            if (v != 0 && v != 1) return FieldOutcome::General;
            return Store(static_cast<unsigned char>(v), out);
        case SQL_C_TINYINT:
        case SQL_C_STINYINT:
            return StoreInteger<signed char>(v, out);
        case SQL_C_UTINYINT:
            return StoreInteger<unsigned char>(v, out);
        case SQL_C_SHORT:
        case SQL_C_SSHORT:
            return StoreInteger<SQLSMALLINT>(v, out);
        case SQL_C_USHORT:
            return StoreInteger<SQLUSMALLINT>(v, out);
        case SQL_C_LONG:
        case SQL_C_SLONG:
            return StoreInteger<SQLINTEGER>(v, out);
        case SQL_C_ULONG:
            return StoreInteger<SQLUINTEGER>(v, out);
        case SQL_C_SBIGINT:
            return Store(v, out);
        case SQL_C_UBIGINT:
            return StoreInteger<uint64_t>(v, out);
        case SQL_C_FLOAT:
            return Store(static_cast<float>(static_cast<double>(v)), out);
        case SQL_C_DOUBLE:
            return Store(static_cast<double>(v), out);
        default:
            return FieldOutcome::General;
    }
}

FieldOutcome PutReal(double d, SQLSMALLINT cType, const BoundBuffer& out) {
    d = AsNumber(d);
    if (cType == SQL_C_DOUBLE) return Store(d, out);
    if (std::fabs(d) > FLT_MAX) return FieldOutcome::General;
    return Store(static_cast<float>(d), out);
}

FieldOutcome PutTimestamp(const FieldSlice& field, const BoundBuffer& out) {
    if (field.size < 8) return FieldOutcome::General;
    CivilTime t;
    if (!JetDaysToCivil(LoadStored<double>(field.data), &t)) return FieldOutcome::General;
    SQL_TIMESTAMP_STRUCT ts{};
    ts.year = static_cast<SQLSMALLINT>(t.year);
    ts.month = static_cast<SQLUSMALLINT>(t.month);
    ts.day = static_cast<SQLUSMALLINT>(t.day);
    ts.hour = static_cast<SQLUSMALLINT>(t.hour);
    ts.minute = static_cast<SQLUSMALLINT>(t.minute);
    ts.second = static_cast<SQLUSMALLINT>(t.second);
    return Store(ts, out);
}

// Text with its terminating NUL, cut to the room the buffer has (and to the
// maximum length, silently), the indicator giving what was left to send.
FieldOutcome PutText(bool jet3, const FieldSlice& field, const BoundBuffer& out) {
    const size_t room = out.length > 1 ? static_cast<size_t>(out.length - 1) : 0;
    size_t limit = room;
    if (out.maxLength > 0 && out.maxLength < limit) limit = out.maxLength;
    char* const target = static_cast<char*>(out.target);
    size_t size = StoredTextAsCp1252(jet3, field.data, field.size, target, limit);
    if (out.maxLength > 0 && size > out.maxLength) size = out.maxLength;
    if (out.indicator) *out.indicator = static_cast<SQLLEN>(size);
    const size_t written = size < room ? size : room;
    if (out.length >= 1) target[written] = '\0';
    return written < size ? FieldOutcome::Truncated : FieldOutcome::Done;
}

}  // namespace

FieldRoute ChooseFieldRoute(const ColumnLayout& column, SQLSMALLINT cType) {
    switch (column.type) {
        case kJetBool:
        case kJetByte:
        case kJetInt:
        case kJetLong:
        case kJetComplex:
            switch (cType) {
                case SQL_C_BIT:
                case SQL_C_TINYINT:
                case SQL_C_STINYINT:
                case SQL_C_UTINYINT:
                case SQL_C_SHORT:
                case SQL_C_SSHORT:
                case SQL_C_USHORT:
                case SQL_C_LONG:
                case SQL_C_SLONG:
                case SQL_C_ULONG:
                case SQL_C_SBIGINT:
                case SQL_C_UBIGINT:
                case SQL_C_FLOAT:
                case SQL_C_DOUBLE:
                    return FieldRoute::Integer;
                default:
                    return FieldRoute::General;
            }
        case kJetDouble:
            return cType == SQL_C_DOUBLE ? FieldRoute::Double : FieldRoute::General;
        case kJetFloat:
            return cType == SQL_C_DOUBLE || cType == SQL_C_FLOAT ? FieldRoute::Single
                                                                 : FieldRoute::General;
        case kJetDateTime:
            return cType == SQL_C_TYPE_TIMESTAMP || cType == SQL_C_TIMESTAMP ? FieldRoute::Timestamp
                                                                             : FieldRoute::General;
        case kJetText:
            return cType == SQL_C_CHAR ? FieldRoute::Text : FieldRoute::General;
        default:
            return FieldRoute::General;
    }
}

FieldOutcome PutField(FieldRoute route, SQLSMALLINT cType, uint8_t jetType, bool jet3,
                      const FieldSlice& field, const BoundBuffer& out) {
    if (field.null && jetType != kJetBool) {
        if (!out.indicator) return FieldOutcome::General;  // 22002
        *out.indicator = SQL_NULL_DATA;
        return FieldOutcome::Done;
    }
    switch (route) {
        case FieldRoute::Integer:
            return PutInteger(cType, jetType, field, out);
        case FieldRoute::Double:
            if (field.size < 8) return FieldOutcome::General;
            return PutReal(LoadStored<double>(field.data), cType, out);
        case FieldRoute::Single:
            if (field.size < 4) return FieldOutcome::General;
            return PutReal(static_cast<double>(LoadStored<float>(field.data)), cType, out);
        case FieldRoute::Timestamp:
            return PutTimestamp(field, out);
        case FieldRoute::Text:
            return PutText(jet3, field, out);
        default:
            return FieldOutcome::General;
    }
}

}  // namespace jetodbc
