// Values into client buffers: every conversion the controller relies on,
// the warnings and failures ODBC defines, and reading in pieces.
#include "jetodbc/type_convert.h"

#include <gtest/gtest.h>

#include <cstring>

#include "jetodbc/driver_error.h"

using namespace jetodbc;

namespace {

SqlTypeInfo TypeOf(uint8_t jetType, uint16_t size = 0) {
    ColumnLayout layout;
    layout.type = jetType;
    layout.size = size;
    return DescribeColumnType(layout, false, false);
}

// Converts into buffer (filled with 0xEE first) and returns the code.
struct Outcome {
    SQLRETURN rc;
    std::string warning;
    SQLLEN indicator;
};

Outcome Convert(const Value& v, const SqlTypeInfo& t, SQLSMALLINT cType, void* buffer,
                SQLLEN length, PieceState* piece = nullptr, SQLULEN maxLength = 0) {
    Outcome o{};
    o.indicator = 0x7777777777;
    o.rc = ConvertValue(v, t, cType, {buffer, length, &o.indicator, piece, maxLength, &o.warning});
    return o;
}

std::string StateOf(const Value& v, const SqlTypeInfo& t, SQLSMALLINT cType, SQLLEN length = 64) {
    char buffer[64];
    SQLLEN indicator = 0;
    std::string warning;
    try {
        ConvertValue(v, t, cType, {buffer, length, &indicator, nullptr, 0, &warning});
        return warning;
    } catch (const DriverError& e) {
        return e.state();
    }
}

}  // namespace

TEST(TypeConvert, IntegersIntoEveryWidthWithRangeChecks) {
    const SqlTypeInfo longType = TypeOf(kJetLong);
    int16_t s = 0;
    EXPECT_EQ(Convert(Value::Integer(-32768), longType, SQL_C_SSHORT, &s, 0).rc, SQL_SUCCESS);
    EXPECT_EQ(s, -32768);
    EXPECT_EQ(StateOf(Value::Integer(32768), longType, SQL_C_SSHORT), "22003");
    EXPECT_EQ(StateOf(Value::Integer(-1), longType, SQL_C_USHORT), "22003");
    EXPECT_EQ(StateOf(Value::Integer(256), longType, SQL_C_UTINYINT), "22003");
    EXPECT_EQ(StateOf(Value::Integer(-129), longType, SQL_C_STINYINT), "22003");
    int32_t l = 0;
    const Outcome o = Convert(Value::Integer(-2147483648LL), longType, SQL_C_LONG, &l, 0);
    EXPECT_EQ(l, INT32_MIN);
    EXPECT_EQ(o.indicator, 4);
    int64_t big = 0;
    Convert(Value::Currency(-123456), TypeOf(kJetMoney), SQL_C_SBIGINT, &big, 0);
    EXPECT_EQ(big, -12);  // -12.3456 truncated
    EXPECT_EQ(StateOf(Value::Currency(-123456), TypeOf(kJetMoney), SQL_C_SBIGINT), "01S07");
}

TEST(TypeConvert, FractionsTruncateWithWarning) {
    int32_t l = 0;
    const Outcome o = Convert(Value::Double(-2.75), TypeOf(kJetDouble), SQL_C_SLONG, &l, 0);
    EXPECT_EQ(o.rc, SQL_SUCCESS_WITH_INFO);
    EXPECT_EQ(o.warning, "01S07");
    EXPECT_EQ(l, -2);
    EXPECT_EQ(StateOf(Value::Double(3e9), TypeOf(kJetDouble), SQL_C_SLONG), "22003");
    EXPECT_EQ(StateOf(Value::Double(1e39), TypeOf(kJetDouble), SQL_C_FLOAT), "22003");
}

TEST(TypeConvert, BitIsOneByteAndZeroOrOne) {
    unsigned char bytes[4] = {0xEE, 0xEE, 0xEE, 0xEE};
    const Outcome o = Convert(Value::Bit(true), TypeOf(kJetBool), SQL_C_BIT, bytes, 0);
    EXPECT_EQ(o.rc, SQL_SUCCESS);
    EXPECT_EQ(o.indicator, 1);
    EXPECT_EQ(bytes[0], 1);
    EXPECT_EQ(bytes[1], 0xEE);  // nothing written past the one byte
    Convert(Value::Bit(false), TypeOf(kJetBool), SQL_C_BIT, bytes, 0);
    EXPECT_EQ(bytes[0], 0);
    EXPECT_EQ(StateOf(Value::Integer(2), TypeOf(kJetInt), SQL_C_BIT), "22003");
    EXPECT_EQ(StateOf(Value::Double(0.5), TypeOf(kJetDouble), SQL_C_BIT), "01S07");
    int16_t s = 0;
    Convert(Value::Bit(true), TypeOf(kJetBool), SQL_C_SSHORT, &s, 0);
    EXPECT_EQ(s, 1);  // ODBC's true, not Jet's -1
}

TEST(TypeConvert, NullNeedsAnIndicator) {
    int32_t l = 5;
    const Outcome o = Convert(Value::Null(), TypeOf(kJetLong), SQL_C_LONG, &l, 0);
    EXPECT_EQ(o.indicator, SQL_NULL_DATA);
    EXPECT_EQ(l, 5);
    std::string warning;
    EXPECT_THROW(ConvertValue(Value::Null(), TypeOf(kJetLong), SQL_C_LONG,
                              {&l, 0, nullptr, nullptr, 0, &warning}),
                 DriverError);
    EXPECT_EQ(StateOf(Value::Text(u""), TypeOf(kJetText, 20), SQL_C_CHAR), "");
}

TEST(TypeConvert, TextIsWindows1252AndCutWithTheWholeLength) {
    char buffer[8];
    std::memset(buffer, 0x55, sizeof buffer);
    const Outcome o =
        Convert(Value::Text(u"Caf\u00e9 \u4e00 Ost"), TypeOf(kJetText, 40), SQL_C_CHAR, buffer, 6);
    EXPECT_EQ(o.rc, SQL_SUCCESS_WITH_INFO);
    EXPECT_EQ(o.warning, "01004");
    EXPECT_EQ(o.indicator, 10);
    EXPECT_STREQ(buffer, "Caf\xe9 ");
    EXPECT_EQ(buffer[6], 0x55);
    const Outcome zero = Convert(Value::Text(u"abc"), TypeOf(kJetText, 40), SQL_C_CHAR, buffer, 0);
    EXPECT_EQ(zero.warning, "01004");
    EXPECT_EQ(zero.indicator, 3);
}

TEST(TypeConvert, PiecesReportWhatRemainsAndEndWithNoData) {
    // The controller's text reader: a piece of 4 characters, then the rest.
    const Value v = Value::Text(u"0123456789");
    PieceState piece;
    char buffer[16];
    Outcome o = Convert(v, TypeOf(kJetMemo), SQL_C_CHAR, buffer, 5, &piece);
    EXPECT_EQ(o.rc, SQL_SUCCESS_WITH_INFO);
    EXPECT_EQ(o.indicator, 10);
    EXPECT_STREQ(buffer, "0123");
    o = Convert(v, TypeOf(kJetMemo), SQL_C_CHAR, buffer, 5, &piece);
    EXPECT_EQ(o.indicator, 6);
    EXPECT_STREQ(buffer, "4567");
    o = Convert(v, TypeOf(kJetMemo), SQL_C_CHAR, buffer, 16, &piece);
    EXPECT_EQ(o.rc, SQL_SUCCESS);
    EXPECT_EQ(o.indicator, 2);
    EXPECT_STREQ(buffer, "89");
    EXPECT_EQ(Convert(v, TypeOf(kJetMemo), SQL_C_CHAR, buffer, 16, &piece).rc, SQL_NO_DATA);
    // A number is delivered once; the next call has no data.
    PieceState numberPiece;
    int32_t l;
    EXPECT_EQ(Convert(Value::Integer(4), TypeOf(kJetLong), SQL_C_LONG, &l, 0, &numberPiece).rc,
              SQL_SUCCESS);
    EXPECT_EQ(Convert(Value::Integer(4), TypeOf(kJetLong), SQL_C_LONG, &l, 0, &numberPiece).rc,
              SQL_NO_DATA);
}

TEST(TypeConvert, BinaryPiecesAndWideText) {
    const Value blob = Value::Binary(std::string("\x01\x02\x03\x04\x05", 5));
    PieceState piece;
    unsigned char bytes[3];
    Outcome o = Convert(blob, TypeOf(kJetOle), SQL_C_BINARY, bytes, 3, &piece);
    EXPECT_EQ(o.indicator, 5);
    EXPECT_EQ(bytes[2], 3);
    o = Convert(blob, TypeOf(kJetOle), SQL_C_BINARY, bytes, 3, &piece);
    EXPECT_EQ(o.rc, SQL_SUCCESS);
    EXPECT_EQ(o.indicator, 2);
    EXPECT_EQ(bytes[1], 5);
    char hex[16];
    Convert(blob, TypeOf(kJetOle), SQL_C_CHAR, hex, sizeof hex);
    EXPECT_STREQ(hex, "0102030405");

    char16_t wide[4];
    o = Convert(Value::Text(u"\u4e00bcd"), TypeOf(kJetText, 20), SQL_C_WCHAR, wide, 7);
    EXPECT_EQ(o.warning, "01004");
    EXPECT_EQ(o.indicator, 8);
    EXPECT_EQ(wide[0], u'\u4e00');
    EXPECT_EQ(wide[2], 0);  // room for two characters and the terminator
}

TEST(TypeConvert, NumbersAsTextCutOnlyInTheFraction) {
    char buffer[32];
    EXPECT_EQ(Convert(Value::Currency(1234500), TypeOf(kJetMoney), SQL_C_CHAR, buffer, 32).rc,
              SQL_SUCCESS);
    EXPECT_STREQ(buffer, "123.4500");
    const Outcome cut = Convert(Value::Double(3.14159), TypeOf(kJetDouble), SQL_C_CHAR, buffer, 4);
    EXPECT_EQ(cut.warning, "01004");
    EXPECT_EQ(cut.indicator, 7);
    EXPECT_STREQ(buffer, "3.1");
    EXPECT_EQ(StateOf(Value::Integer(123456), TypeOf(kJetLong), SQL_C_CHAR, 4), "22003");
    EXPECT_EQ(StateOf(Value::Integer(-5), TypeOf(kJetInt), SQL_C_CHAR, 3), "");
    Convert(Value::Single(0.1f), TypeOf(kJetFloat), SQL_C_CHAR, buffer, 32);
    EXPECT_STREQ(buffer, "0.1");
}

TEST(TypeConvert, TimestampsDatesAndTimes) {
    SQL_TIMESTAMP_STRUCT ts{};
    const Value timeOnly = Value::DateTime(0.8125);
    EXPECT_EQ(Convert(timeOnly, TypeOf(kJetDateTime), SQL_C_TYPE_TIMESTAMP, &ts, 0).indicator,
              static_cast<SQLLEN>(sizeof ts));
    EXPECT_EQ(ts.year, 1899);
    EXPECT_EQ(ts.month, 12);
    EXPECT_EQ(ts.day, 30);
    EXPECT_EQ(ts.hour, 19);
    EXPECT_EQ(ts.minute, 30);
    EXPECT_EQ(ts.fraction, 0u);
    SQL_DATE_STRUCT d{};
    EXPECT_EQ(Convert(timeOnly, TypeOf(kJetDateTime), SQL_C_TYPE_DATE, &d, 0).warning, "01S07");
    SQL_TIME_STRUCT t{};
    EXPECT_EQ(Convert(timeOnly, TypeOf(kJetDateTime), SQL_C_TYPE_TIME, &t, 0).rc, SQL_SUCCESS);
    EXPECT_EQ(t.hour, 19);
    char text[20];
    Convert(timeOnly, TypeOf(kJetDateTime), SQL_C_CHAR, text, 20);
    EXPECT_STREQ(text, "1899-12-30 19:30:00");
    EXPECT_EQ(StateOf(timeOnly, TypeOf(kJetDateTime), SQL_C_CHAR, 19), "22003");
    EXPECT_EQ(StateOf(Value::DateTime(1e300), TypeOf(kJetDateTime), SQL_C_TYPE_TIMESTAMP), "22008");
    EXPECT_EQ(StateOf(timeOnly, TypeOf(kJetDateTime), SQL_C_LONG), "07006");
    EXPECT_EQ(StateOf(Value::Integer(1), TypeOf(kJetLong), SQL_C_TYPE_TIMESTAMP), "07006");
}

TEST(TypeConvert, TextIntoNumbersAndDates) {
    int32_t l = 0;
    Convert(Value::Text(u" 42 "), TypeOf(kJetText, 10), SQL_C_LONG, &l, 0);
    EXPECT_EQ(l, 42);
    EXPECT_EQ(StateOf(Value::Text(u"4x"), TypeOf(kJetText, 10), SQL_C_LONG), "22018");
    EXPECT_EQ(StateOf(Value::Text(u""), TypeOf(kJetText, 10), SQL_C_DOUBLE), "22018");
    EXPECT_EQ(StateOf(Value::Text(u"1.5"), TypeOf(kJetText, 10), SQL_C_SHORT), "01S07");
    SQL_TIMESTAMP_STRUCT ts{};
    Convert(Value::Text(u"2025-11-04 19:30:05"), TypeOf(kJetText, 30), SQL_C_TYPE_TIMESTAMP, &ts,
            0);
    EXPECT_EQ(ts.year, 2025);
    EXPECT_EQ(ts.second, 5);
    EXPECT_EQ(StateOf(Value::Text(u"2025-02-30"), TypeOf(kJetText, 30), SQL_C_TYPE_TIMESTAMP),
              "22018");
}

TEST(TypeConvert, DefaultTypesUnknownTypesAndMaxLength) {
    EXPECT_EQ(DefaultCType(TypeOf(kJetInt)), SQL_C_SSHORT);
    EXPECT_EQ(DefaultCType(TypeOf(kJetByte)), SQL_C_UTINYINT);
    EXPECT_EQ(DefaultCType(TypeOf(kJetMoney)), SQL_C_CHAR);
    EXPECT_EQ(StateOf(Value::Integer(1), TypeOf(kJetLong), 1234), "HY003");
    EXPECT_EQ(StateOf(Value::Integer(1), TypeOf(kJetLong), SQL_C_NUMERIC), "HYC00");
    EXPECT_EQ(StateOf(Value::Binary("x"), TypeOf(kJetOle), SQL_C_LONG), "07006");
    char buffer[16];
    const Outcome o =
        Convert(Value::Text(u"abcdefgh"), TypeOf(kJetMemo), SQL_C_CHAR, buffer, 16, nullptr, 3);
    EXPECT_EQ(o.rc, SQL_SUCCESS);
    EXPECT_EQ(o.indicator, 3);
    EXPECT_STREQ(buffer, "abc");
    EXPECT_EQ(CTypeSize(SQL_C_TYPE_TIMESTAMP), sizeof(SQL_TIMESTAMP_STRUCT));
    EXPECT_EQ(CTypeSize(SQL_C_CHAR), 0u);
}
