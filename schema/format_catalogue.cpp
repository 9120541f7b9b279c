#include "schema/format_catalogue.h"

namespace {

// Layout letters in detection-table order: BiddingData, Clients, HandRecord,
// IntermediateData, PlayData, PlayerNames, PlayerNumbers, ReceivedData,
// RoundData, Section, Settings, Tables.
const char* const kLayouts[] = {
    "AAAAAAABADDB",  // 5 US0_BWS
    "AAAAACAAAAAA",  // 6 DK0_BWS
    "AAAAAAABABBB",  // 7 DK1_BWS
    "AAABAABBAB-B",  // 8 DK2_BWS
    "AAABABBCACCC",  // 9 Ups
    "AAAAAABBADDB",  // 10 US1_BWS
    "AAAAAAABAEDB",  // 11 US2_BWS
    "AAA-AAAAAHFB",  // 12 UK0_BWS
    "AAAAAABCAFDB",  // 13 US3_BWS
    "AAAAA-CAAGED",  // 14 US4_BWS
    "AAAAA-CAAEED",  // 15 US5_BWS
    "BBBCBADECDGE",  // 16 SW0_BWS
    "BBBCBADFCIGE",  // 17 SW2_BWS
    "AAA-AABAAIFB",  // 18 UK1_BWS
    "BBBCBADECFGF",  // 19 SW3_BWS
    "AAA-CAABAEHB",  // 20 AU0_BWS
    "BBBCBADFCFGF",  // 21 SW4_BWS
    "AAA-AAEBBDIB",  // 22 AU1_BWS
    "AAAAAABBADHB",  // 23 AU2_BWS
    "AAAAA-FAAEHD",  // 24 AU3_BWS
    "AAABABGCACJC",  // 25 IS0_BWS
    "AAAAAABABEIB",  // 26 AU4_BWS
    "AAAAAABCBJIB",  // 27 SC0_BWS
    "AAAAAAADBEDB",  // 28 US6_BWS
};

}  // namespace

char LayoutOf(eImportType format, BwsTable table) {
    const int number = static_cast<int>(format);
    if (number < kFirstImportType || number > kLastImportType) return '-';
    if (table == BwsTable::Session) return 'A';
    return kLayouts[number - kFirstImportType][static_cast<int>(table)];
}

std::vector<std::unique_ptr<BWSbase>> BuildDetectionSet(eImportType format) {
    std::vector<std::unique_ptr<BWSbase>> records;
    for (BwsTable table : kDetectionTables) {
        const char layout = LayoutOf(format, table);
        if (layout == '-') continue;
        if (auto record = MakeRecord(table, layout)) records.push_back(std::move(record));
    }
    return records;
}
