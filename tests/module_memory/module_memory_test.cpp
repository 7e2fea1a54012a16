// The gauge modules' memcpy and memset over every alignment of source and
// destination and lengths across several words: the bytes in the range come
// out right and no byte around it changes.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <vector>

namespace {

const size_t GUARD = 8;
const size_t LONGEST = 41;
const unsigned char FILL = 0xA5;

std::vector<unsigned char> pattern(size_t size) {
    std::vector<unsigned char> bytes(size);
    for (size_t index = 0; index < size; ++index)
        bytes[index] = static_cast<unsigned char>(index * 7 + 1);
    return bytes;
}

TEST(ModuleMemory, TheProgramUsesTheModulesRoutinesNotTheRuntimes) {
    HMODULE holder = nullptr;
    ASSERT_TRUE(GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                       GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                                   reinterpret_cast<LPCSTR>(&memcpy), &holder));
    EXPECT_EQ(GetModuleHandleA(nullptr), holder) << "memcpy comes from another module";
}

TEST(ModuleMemory, MemcpyCopiesEveryAlignmentAndLength) {
    const std::vector<unsigned char> source = pattern(LONGEST + 2 * GUARD);
    for (size_t from = 0; from < GUARD; ++from) {
        for (size_t to = 0; to < GUARD; ++to) {
            for (size_t count = 0; count <= LONGEST; ++count) {
                std::vector<unsigned char> target(LONGEST + 2 * GUARD, FILL);
                void *result = memcpy(&target[to], &source[from], count);
                ASSERT_EQ(&target[to], result);
                for (size_t index = 0; index < target.size(); ++index) {
                    const bool inside = index >= to && index < to + count;
                    const unsigned char expected = inside ? source[from + index - to] : FILL;
                    ASSERT_EQ(expected, target[index])
                        << "byte " << index << " after copying " << count << " bytes from offset "
                        << from << " to offset " << to;
                }
            }
        }
    }
}

TEST(ModuleMemory, MemsetFillsEveryAlignmentAndLength) {
    for (size_t to = 0; to < GUARD; ++to) {
        for (size_t count = 0; count <= LONGEST; ++count) {
            std::vector<unsigned char> target(LONGEST + 2 * GUARD, FILL);
            void *result = memset(&target[to], 0x180 | 0x3C, count);
            ASSERT_EQ(&target[to], result);
            for (size_t index = 0; index < target.size(); ++index) {
                const bool inside = index >= to && index < to + count;
                ASSERT_EQ(inside ? 0xBC : FILL, target[index])
                    << "byte " << index << " after filling " << count << " bytes at offset " << to;
            }
        }
    }
}

}  // namespace
