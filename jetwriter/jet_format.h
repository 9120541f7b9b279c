// JetFormat: the two versions of the file a writer can produce, Jet 3
// (Access 97) and Jet 4 (Access 2000 and later), and the figures in which
// their page and row layouts differ.
#pragma once

#include <cstddef>
#include <cstdint>

namespace jetwriter {

enum class JetFormat : uint8_t { kJet3, kJet4 };

// Page and row geometry of one format.
struct FormatSpec {
    JetFormat format;
    size_t pageSize;            // 2048 (Jet 3) or 4096 (Jet 4)
    size_t dataPageHeaderSize;  // before the row offsets: 10 or 14
    size_t rowCountOffset;      // data page field holding the row count: 0x08 or 0x0C
    size_t rowCountFieldSize;   // a row's column count and variable-column count: 1 or 2 bytes
    size_t minUsageBitmapSize;  // the bitmap an inline usage map has at least: 128 or 64
    // The longest row a data page can hold: the page less its header and the
    // row's offset entry.
    size_t maxRowSize() const { return pageSize - dataPageHeaderSize - 2; }
};

// The figures of format.
const FormatSpec& SpecOf(JetFormat format);

// "Jet 3" or "Jet 4", for messages.
const char* FormatName(JetFormat format);

}  // namespace jetwriter
