#include "list/wallpaper_list.h"

#include <gtest/gtest.h>

namespace {

TEST(WallpaperList, FindGivesThePositionOfAListedAddress) {
    CWallpaperList list;
    list.AddTail({"bmp", "C:\\a.bmp", 3});
    const auto b = list.AddTail({"bmp", "C:\\b.bmp", 4});
    const CWallpaperEntry* address = &*b;
    list.AddTail({"bmp", "C:\\c.bmp", 5});

    // Removing other entries moves nothing: the address still finds its entry.
    list.RemoveAt(list.begin());
    list.RemoveAt(list.Find(&*std::prev(list.end())));
    ASSERT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list.Find(address), b);
    EXPECT_EQ(b->path, "C:\\b.bmp");

    const CWallpaperEntry notListed;
    EXPECT_EQ(list.Find(&notListed), list.end());
    list.RemoveAt(list.Find(address));
    EXPECT_EQ(list.GetCount(), 0);
}

}  // namespace
