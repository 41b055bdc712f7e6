// Handle tables with handles as wide as a 64-bit and a 32-bit pointer: a handle names its own
// object only, and a removed object's handle, a handle of another kind, 0 and -1 name nothing.
#include "platform/handle_table.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>

namespace {

using platform::HandleKind;
using platform::HandleTable;

template <typename Value>
class HandleTables : public ::testing::Test {};
using Widths = ::testing::Types<uint64_t, uint32_t>;
TYPED_TEST_SUITE(HandleTables, Widths);

TYPED_TEST(HandleTables, AHandleNamesItsObjectUntilTheObjectIsRemoved) {
    HandleTable<int, TypeParam> pens(HandleKind::Pen), brushes(HandleKind::Brush);
    TypeParam first = pens.add(1), second = pens.add(2), brush = brushes.add(3);
    ASSERT_NE(first, 0u);
    EXPECT_EQ(*pens.find(first), 1);
    EXPECT_EQ(*pens.find(second), 2);
    EXPECT_EQ(pens.find(brush), nullptr);
    EXPECT_EQ(pens.find(0), nullptr);
    EXPECT_EQ(pens.find(TypeParam(-1)), nullptr);
    EXPECT_EQ(platform::HandleLayout<TypeParam>::kind(brush), HandleKind::Brush);

    EXPECT_TRUE(pens.remove(first));
    EXPECT_EQ(pens.find(first), nullptr);
    EXPECT_FALSE(pens.remove(first));
    EXPECT_EQ(*pens.find(second), 2);
}

// One slot used over and over gives a new handle each time, for as long as the generation's
// bits last: all of 2^32 on 64 bits, 4096 on 32 bits, after which the first handle comes back.
TYPED_TEST(HandleTables, AReusedSlotGivesNewHandles) {
    HandleTable<int, TypeParam> fonts(HandleKind::Font);
    const uint32_t distinct = sizeof(TypeParam) == 8 ? 100000 : 4096;
    std::set<TypeParam> handles;
    TypeParam previous = 0, first = 0;
    for (uint32_t i = 0; i < distinct; i++) {
        TypeParam handle = fonts.add(int(i));
        EXPECT_EQ(fonts.find(previous), nullptr);
        ASSERT_EQ(*fonts.find(handle), int(i));
        if (i == 0) first = handle;
        handles.insert(handle);
        fonts.remove(handle);
        previous = handle;
    }
    EXPECT_EQ(handles.size(), distinct);
    if (sizeof(TypeParam) == 4) {
        EXPECT_EQ(fonts.add(0), first);
    }
}

// When every slot a handle can name is taken, add fails with 0 instead of making a handle
// that names another slot.
TEST(HandleTables32, AddFailsWhenEverySlotIsTaken) {
    HandleTable<char, uint32_t> menus(HandleKind::Menu);
    uint32_t last = 0;
    for (uint32_t i = 0; i < 65535; i++) ASSERT_NE(last = menus.add('m'), 0u);
    EXPECT_EQ(menus.add('x'), 0u);
    EXPECT_EQ(*menus.find(last), 'm');
    EXPECT_EQ(platform::HandleLayout<uint32_t>::kind(last), HandleKind::Menu);
}

} // namespace
