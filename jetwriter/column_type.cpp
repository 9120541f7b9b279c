#include "jetwriter/column_type.h"

namespace jetwriter {

uint8_t JetTypeCode(ColumnType type) {
    switch (type) {
        case ColumnType::kYesNo:
            return 0x01;
        case ColumnType::kByte:
            return 0x02;
        case ColumnType::kInteger:
            return 0x03;
        case ColumnType::kLongInteger:
            return 0x04;
        case ColumnType::kCurrency:
            return 0x05;
        case ColumnType::kSingle:
            return 0x06;
        case ColumnType::kDouble:
            return 0x07;
        case ColumnType::kDateTime:
            return 0x08;
        case ColumnType::kBinary:
            return 0x09;
        case ColumnType::kText:
            return 0x0A;
        case ColumnType::kOle:
            return 0x0B;
        case ColumnType::kMemo:
            return 0x0C;
        case ColumnType::kNumeric:
            return 0x10;
    }
    return 0;
}

bool IsFixedLength(ColumnType type) {
    switch (type) {
        case ColumnType::kText:
        case ColumnType::kMemo:
        case ColumnType::kBinary:
        case ColumnType::kOle:
            return false;
        default:
            return true;
    }
}

int FixedAreaSize(ColumnType type) {
    switch (type) {
        case ColumnType::kByte:
            return 1;
        case ColumnType::kInteger:
            return 2;
        case ColumnType::kLongInteger:
        case ColumnType::kSingle:
            return 4;
        case ColumnType::kDouble:
        case ColumnType::kCurrency:
        case ColumnType::kDateTime:
            return 8;
        case ColumnType::kNumeric:
            return 17;  // a sign byte, then a 128-bit magnitude
        default:
            return 0;
    }
}

bool HoldsText(ColumnType type) { return type == ColumnType::kText || type == ColumnType::kMemo; }

const char* ColumnTypeName(ColumnType type) {
    switch (type) {
        case ColumnType::kYesNo:
            return "Yes/No";
        case ColumnType::kByte:
            return "Byte";
        case ColumnType::kInteger:
            return "Integer";
        case ColumnType::kLongInteger:
            return "Long Integer";
        case ColumnType::kSingle:
            return "Single";
        case ColumnType::kDouble:
            return "Double";
        case ColumnType::kCurrency:
            return "Currency";
        case ColumnType::kDateTime:
            return "Date/Time";
        case ColumnType::kText:
            return "Text";
        case ColumnType::kMemo:
            return "Memo";
        case ColumnType::kNumeric:
            return "Numeric";
        case ColumnType::kBinary:
            return "Binary";
        case ColumnType::kOle:
            return "OLE Object";
    }
    return "?";
}

}  // namespace jetwriter
