#include <gtest/gtest.h>

#include "win/file_dialog.h"
#include "win/seams.h"

namespace {

TEST(FileDialog, FilterBarsBecomeNulsAndTheExtensionIsAsTyped) {
    EXPECT_EQ(win::ToOfnFilter("Images (.bmp)|*.bmp||"), std::string("Images (.bmp)\0*.bmp\0\0", 21));
    EXPECT_EQ(win::ToOfnFilter("a|b|c|d||"), std::string("a\0b\0c\0d\0\0", 9));
    EXPECT_EQ(win::ToOfnFilter("a|b"), std::string("a\0b\0\0", 5)) << "ended without the closing ||";
    for (const auto& [chosen, ext] : {std::pair{"C:\\Images\\Plage.BMP", "BMP"}, {"C:\\Images\\archive.tar.bmp", "bmp"},
                                      {"C:\\Images.old\\plage", ""}, {"C:\\Images\\plage.", ""}}) {
        win::SetFileDialogHandler([&](const win::FileDialog&, std::string& path) { return !(path = chosen).empty(); });
        win::FileDialog dialog(true, "", "", 0, "a|*.a||", nullptr);
        EXPECT_EQ(dialog.DoModal(), IDOK);
        EXPECT_EQ(dialog.GetPathName(), chosen);
        EXPECT_EQ(dialog.GetFileExt(), ext);
    }
    win::SetFileDialogHandler(nullptr);
}

}  // namespace
