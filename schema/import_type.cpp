#include "schema/import_type.h"

const char* FormatName(eImportType format) {
    static const char* const kNames[] = {
        "US0_BWS", "DK0_BWS", "DK1_BWS", "DK2_BWS", "Ups",     "US1_BWS", "US2_BWS", "UK0_BWS",
        "US3_BWS", "US4_BWS", "US5_BWS", "SW0_BWS", "SW2_BWS", "UK1_BWS", "SW3_BWS", "AU0_BWS",
        "SW4_BWS", "AU1_BWS", "AU2_BWS", "AU3_BWS", "IS0_BWS", "AU4_BWS", "SC0_BWS", "US6_BWS",
    };
    int number = static_cast<int>(format);
    if (number < kFirstImportType || number > kLastImportType) return "";
    return kNames[number - kFirstImportType];
}
