#include "jetwriter/jet_format.h"

namespace jetwriter {
namespace {

// Access 97 writes inline usage maps of 128 bitmap bytes, Access 2000 of 64.
constexpr FormatSpec kJet3Spec = {JetFormat::kJet3, 2048, 10, 0x08, 1, 128};
constexpr FormatSpec kJet4Spec = {JetFormat::kJet4, 4096, 14, 0x0C, 2, 64};

}  // namespace

const FormatSpec& SpecOf(JetFormat format) {
    return format == JetFormat::kJet3 ? kJet3Spec : kJet4Spec;
}

const char* FormatName(JetFormat format) { return format == JetFormat::kJet3 ? "Jet 3" : "Jet 4"; }

}  // namespace jetwriter
