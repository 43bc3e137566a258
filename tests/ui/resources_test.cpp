// The executable's resources, as the program's code and Windows find them.
#include <windows.h>

#include <gtest/gtest.h>

namespace {

TEST(Resources, AreFrenchWithTheManifestAndA16And32PixelIconIn24Bits) {
    const HMODULE self = GetModuleHandleA(nullptr);
    const WORD french = MAKELANGID(LANG_FRENCH, SUBLANG_FRENCH);
    EXPECT_EQ(french, 0x040C);
    // String 101 lives in block 101 / 16 + 1.
    for (auto [type, id] : {std::pair{RT_DIALOG, 102}, {RT_MENU, 130}, {RT_GROUP_ICON, 128}, {RT_STRING, 101 / 16 + 1}})
        EXPECT_NE(FindResourceExA(self, type, MAKEINTRESOURCEA(id), french), nullptr) << id;
    EXPECT_NE(FindResourceExA(self, RT_MANIFEST, MAKEINTRESOURCEA(1), MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL)), nullptr);
    char text[64] = {};
    LoadStringA(self, 101, text, sizeof text);
    EXPECT_STREQ(text, "&A propos de Velunda...");

    const auto* dir = static_cast<BYTE*>(
        LockResource(LoadResource(nullptr, FindResourceA(self, MAKEINTRESOURCEA(128), RT_GROUP_ICON))));
    ASSERT_NE(dir, nullptr);
    for (int size : {16, 32}) {
        const int id = LookupIconIdFromDirectoryEx(const_cast<BYTE*>(dir), TRUE, size, size, 0);
        const auto* header = static_cast<const BITMAPINFOHEADER*>(
            LockResource(LoadResource(nullptr, FindResourceA(self, MAKEINTRESOURCEA(id), RT_ICON))));
        ASSERT_NE(header, nullptr) << size;
        EXPECT_EQ(header->biWidth, size);
        EXPECT_EQ(header->biHeight, 2 * size);  // colour and mask
        EXPECT_EQ(header->biBitCount, 24);
    }
}

}  // namespace
