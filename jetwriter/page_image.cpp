#include "jetwriter/page_image.h"

namespace jetwriter {

uint32_t PageImage::AppendPage() {
    const uint32_t number = page_count();
    bytes_.resize(bytes_.size() + spec_.pageSize, 0);
    return number;
}

}  // namespace jetwriter
