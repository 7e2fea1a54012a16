// Fuzzes the bounded chunk walk: for every choice of results asked for, it
// must read nothing outside the input (AddressSanitizer watches), and every
// result it yields must lie inside the input.
#include <cstdio>
#include <cstdlib>

#include "wave_parse.h"

namespace {

void fail(const char *what) {
    fprintf(stderr, "wave_parse_bounded: %s\n", what);
    abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t length) {
    const uint8_t *end = bytes + length;
    for (int asked = 0; asked < 8; ++asked) {
        const tWAVEFORMATEX *format = nullptr;
        const uint8_t *data = nullptr;
        uint32_t size = 0xDEADBEEF;
        const int result = wave_parse_bounded(bytes, length, (asked & 1) ? &format : nullptr,
                                              (asked & 2) ? &data : nullptr,
                                              (asked & 4) ? &size : nullptr);
        if (result != 0 && result != 1)
            fail("result is neither 0 nor 1");
        if (asked == 0 && result != 0)
            fail("a walk asking for nothing found something");
        const uint8_t *format_bytes = reinterpret_cast<const uint8_t *>(format);
        if (format_bytes != nullptr &&
            (format_bytes < bytes + 20 || format_bytes + 14 > end))
            fail("format block outside the input");
        if ((asked & 1) && result == 1 && format == nullptr)
            fail("1 without the format asked for");
        if ((asked & 2) && result == 1 && data == nullptr)
            fail("1 without the data asked for");
        if ((asked & 4) && size == 0xDEADBEEF)
            fail("size not emptied");
        if (data != nullptr) {
            if (data < bytes + 20 || data > end)
                fail("data outside the input");
            if ((asked & 4) && uint64_t(end - data) < size)
                fail("data and size reach past the input");
        }
        if ((asked & 4) && size != 0xDEADBEEF && size > length)
            fail("size larger than the input");
    }
    return 0;
}
