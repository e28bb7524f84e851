#include <gtest/gtest.h>

#include "kvcore/controls/big_icon.h"

namespace {

TEST(BigIcon, DoubleSizeIconInsideAFrameWithShadow)
{
    const KvRect size = BigIconSize(32, 32);
    EXPECT_EQ(size, (KvRect { 0, 0, 72, 72 }));
    const KvBigIconLayout l = BigIconLayoutOf(size.w, size.h);
    EXPECT_EQ(l.icon, (KvRect { 2, 2, 64, 64 }));
    EXPECT_EQ(l.frame, (KvRect { 0, 0, 68, 68 }));
    EXPECT_EQ(l.shadowRight, (KvRect { 68, 4, 4, 68 }));
    EXPECT_EQ(l.shadowBottom, (KvRect { 4, 68, 68, 4 }));
    EXPECT_EQ(BigIconSize(16, 24), (KvRect { 0, 0, 40, 56 }));
    EXPECT_EQ(BigIconLayoutOf(0, 0).icon, (KvRect { 2, 2, 0, 0 })); // never a negative size
}

} // namespace
