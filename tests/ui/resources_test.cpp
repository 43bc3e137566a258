// The executable's resources, as the program's code and Windows find them.
#include <windows.h>

#include <gtest/gtest.h>

namespace {

const WORD kFrench = MAKELANGID(LANG_FRENCH, SUBLANG_FRENCH);  // 0x040C

bool HasResource(LPCSTR type, LPCSTR name, WORD language) {
    return FindResourceExA(GetModuleHandleA(nullptr), type, name, language) != nullptr;
}

TEST(Resources, AreFrenchWithTheManifestBeside) {
    EXPECT_EQ(kFrench, 0x040C);
    EXPECT_TRUE(HasResource(RT_DIALOG, MAKEINTRESOURCEA(102), kFrench));
    EXPECT_TRUE(HasResource(RT_MENU, MAKEINTRESOURCEA(130), kFrench));
    EXPECT_TRUE(HasResource(RT_GROUP_ICON, MAKEINTRESOURCEA(128), kFrench));
    // String 101 lives in block 101 / 16 + 1.
    EXPECT_TRUE(HasResource(RT_STRING, MAKEINTRESOURCEA(101 / 16 + 1), kFrench));
    EXPECT_TRUE(HasResource(RT_MANIFEST, MAKEINTRESOURCEA(1), MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL)));

    char text[64] = {};
    LoadStringA(GetModuleHandleA(nullptr), 101, text, sizeof text);
    EXPECT_STREQ(text, "&A propos de Velunda...");
}

TEST(Resources, IconHas16And32PixelImagesIn24Bits) {
    for (int size : {16, 32}) {
        SCOPED_TRACE(size);
        const HRSRC group = FindResourceA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(128), RT_GROUP_ICON);
        const auto* dir = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, group)));
        ASSERT_NE(dir, nullptr);
        const int id = LookupIconIdFromDirectoryEx(const_cast<BYTE*>(dir), TRUE, size, size, 0);
        const HRSRC image = FindResourceA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), RT_ICON);
        const auto* header = static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(nullptr, image)));
        ASSERT_NE(header, nullptr);
        EXPECT_EQ(header->biWidth, size);
        EXPECT_EQ(header->biHeight, 2 * size);  // colour and mask
        EXPECT_EQ(header->biBitCount, 24);
    }
}

}  // namespace
