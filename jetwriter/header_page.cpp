#include "jetwriter/header_page.h"

#include <cstring>

#include "jetwriter/little_endian.h"
#include "jetwriter/rc4.h"

namespace jetwriter {
namespace {

constexpr uint8_t kMagic[4] = {0x00, 0x01, 0x00, 0x00};
constexpr char kSignature[] = "Standard Jet DB";  // stored with its terminating zero
constexpr uint32_t kJet3Version = 0;
constexpr uint32_t kJet4Version = 1;
constexpr uint8_t kHeaderKey[4] = {0xC7, 0xDA, 0x39, 0x6B};
constexpr size_t kEncryptedOffset = 0x18;
constexpr size_t kJet3EncryptedSize = 126;
constexpr size_t kJet4EncryptedSize = 128;
constexpr uint16_t kWesternEuropeanCodePage = 1252;
constexpr uint16_t kGeneralSortOrder = 0x0409;

}  // namespace

void StoreHeaderPage(JetFormat format, double createdDayNumber, uint8_t* page) {
    std::memcpy(page, kMagic, sizeof kMagic);
    std::memcpy(page + 0x04, kSignature, sizeof kSignature);
    StoreU16(page + 0x3C, kWesternEuropeanCodePage);
    StoreU32(page + 0x3E, 0);  // database key: the pages are not encrypted
    if (format == JetFormat::kJet3) {
        // Access 97 keeps the sort order before the code page and no
        // creation date in the header (the catalog has it).
        StoreU32(page + 0x14, kJet3Version);
        StoreU16(page + 0x3A, kGeneralSortOrder);
        Rc4Transform(kHeaderKey, sizeof kHeaderKey, page + kEncryptedOffset, kJet3EncryptedSize);
        return;
    }
    StoreU32(page + 0x14, kJet4Version);
    StoreU16(page + 0x6E, kGeneralSortOrder);
    StoreF64(page + 0x72, createdDayNumber);
    Rc4Transform(kHeaderKey, sizeof kHeaderKey, page + kEncryptedOffset, kJet4EncryptedSize);
}

}  // namespace jetwriter
