#include "jetodbc/scroll_position.h"

namespace jetodbc {

int64_t ScrollTarget(int64_t current, int64_t rowCount, int64_t rowsetSize, SQLSMALLINT orientation,
                     int64_t offset, bool* clamped) {
    *clamped = false;
    const int64_t before = 0;
    const int64_t after = rowCount + 1;
    const bool atStart = current <= 0;
    const bool atEnd = current > rowCount;
    auto within = [&](int64_t start) { return start > rowCount ? after : start; };
    switch (orientation) {
        case SQL_FETCH_NEXT:
            if (atStart) return within(1);
            if (atEnd) return after;
            return within(current + rowsetSize);
        case SQL_FETCH_PRIOR:
            if (atStart || current == 1) return before;
            if (atEnd) {
                if (rowCount < rowsetSize) {
                    *clamped = rowCount > 0;
                    return rowCount > 0 ? 1 : before;
                }
                return rowCount - rowsetSize + 1;
            }
            if (current <= rowsetSize) {
                *clamped = true;
                return 1;
            }
            return current - rowsetSize;
        case SQL_FETCH_FIRST:
            return within(1);
        case SQL_FETCH_LAST:
            if (rowCount == 0) return after;
            return rowsetSize <= rowCount ? rowCount - rowsetSize + 1 : 1;
        case SQL_FETCH_ABSOLUTE:
            if (offset < 0) {
                if (-offset <= rowCount) return rowCount + offset + 1;
                if (-offset > rowsetSize || rowCount == 0) return before;
                *clamped = true;
                return 1;
            }
            if (offset == 0) return before;
            return within(offset);
        case SQL_FETCH_RELATIVE: {
            if (atStart) return offset > 0 ? within(offset) : before;
            if (atEnd) {
                if (offset >= 0) return after;
                const int64_t start = rowCount + offset + 1;
                if (start >= 1) return start;
                if (-offset > rowsetSize) return before;
                *clamped = rowCount > 0;
                return rowCount > 0 ? 1 : before;
            }
            const int64_t start = current + offset;
            if (start < 1) {
                if (current == 1 || -offset > rowsetSize) return before;
                *clamped = true;
                return 1;
            }
            return within(start);
        }
        default:
            return after;
    }
}

}  // namespace jetodbc
