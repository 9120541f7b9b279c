#include "jetodbc/jet_field_value.h"

#include <cstring>

#include "jetodbc/driver_error.h"
#include "jetodbc/jet_long_value.h"

namespace jetodbc {

namespace {

Utf16 DecodeText(const JetImage& image, const uint8_t* data, size_t size) {
    if (image.jet3())
        return DecodeCp1252(std::string_view(reinterpret_cast<const char*>(data), size));
    return DecodeJet4Text(data, size);
}

}  // namespace

std::string DecimalDigits(const uint8_t* stored, int scale) {
    uint32_t words[4];
    for (int i = 0; i < 4; ++i) words[i] = ReadU32(stored + 1 + 4 * i);
    std::string digits;
    bool zero = false;
    while (!zero) {
        uint64_t remainder = 0;
        zero = true;
        for (uint32_t& w : words) {
            const uint64_t current = (remainder << 32) | w;
            w = static_cast<uint32_t>(current / 10);
            remainder = current % 10;
            if (w != 0) zero = false;
        }
        digits.insert(digits.begin(), static_cast<char>('0' + remainder));
    }
    if (scale > 0) {
        if (digits.size() <= static_cast<size_t>(scale)) {
            digits.insert(0, static_cast<size_t>(scale) + 1 - digits.size(), '0');
        }
        digits.insert(digits.size() - static_cast<size_t>(scale), ".");
    }
    if ((stored[0] & 0x80) && digits.find_first_not_of("0.") != std::string::npos) {
        digits.insert(0, "-");
    }
    return digits;
}

void DecodeField(const JetImage& image, const ColumnLayout& column, const FieldSlice& field,
                 Value* value) {
    Value& v = *value;
    if (column.type == kJetBool) {
        v.kind = ValueKind::Bit;
        v.integer = field.bit ? 1 : 0;
        return;
    }
    if (field.null) return;
    const uint8_t* d = field.data;
    const size_t n = field.size;
    auto need = [&](size_t bytes) {
        if (n < bytes) throw DamagedFile("a field is shorter than its type");
    };
    switch (column.type) {
        case kJetByte:
            need(1);
            v.kind = ValueKind::Integer;
            v.integer = d[0];
            return;
        case kJetInt:
            need(2);
            v.kind = ValueKind::Integer;
            v.integer = LoadStored<int16_t>(d);
            return;
        case kJetLong:
        case kJetComplex:
            need(4);
            v.kind = ValueKind::Integer;
            v.integer = LoadStored<int32_t>(d);
            return;
        case kJetMoney:
            need(8);
            v.kind = ValueKind::Currency;
            v.integer = LoadStored<int64_t>(d);
            return;
        case kJetFloat:
            need(4);
            v.kind = ValueKind::Single;
            v.real = LoadStored<float>(d);
            return;
        case kJetDouble:
            need(8);
            v.kind = ValueKind::Double;
            v.real = LoadStored<double>(d);
            return;
        case kJetDateTime:
            need(8);
            v.kind = ValueKind::DateTime;
            v.real = LoadStored<double>(d);
            return;
        case kJetGuid:
            need(16);
            v = Value::Guid(std::string(reinterpret_cast<const char*>(d), 16));
            return;
        case kJetNumeric:
            need(17);
            v = Value::Decimal(DecimalDigits(d, column.scale));
            return;
        case kJetText:
            v.kind = ValueKind::Text;
            v.text = DecodeText(image, d, n);
            return;
        case kJetMemo: {
            const std::string bytes = ReadLongValue(image, d, n);
            v.kind = ValueKind::Text;
            v.text =
                DecodeText(image, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
            return;
        }
        case kJetOle:
            v = Value::Binary(ReadLongValue(image, d, n));
            return;
        default:
            v = Value::Binary(std::string(reinterpret_cast<const char*>(d), n));
            return;
    }
}

}  // namespace jetodbc
