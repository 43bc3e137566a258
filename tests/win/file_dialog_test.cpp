#include <gtest/gtest.h>

#include "win/file_dialog.h"

namespace {

TEST(FileDialogFilter, BarsBecomeNulsEndingInTwo) {
    EXPECT_EQ(win::ToOfnFilter("Images (.bmp)|*.bmp||"),
              std::string("Images (.bmp)\0*.bmp\0\0", 21));
    EXPECT_EQ(win::ToOfnFilter("a|b|c|d||"), std::string("a\0b\0c\0d\0\0", 9));
    // Without the closing "||" the list is still ended.
    EXPECT_EQ(win::ToOfnFilter("a|b"), std::string("a\0b\0\0", 5));
}

std::string ExtensionOf(const std::string& chosen) {
    win::SetFileDialogHandler([&](const win::FileDialog&, std::string& path) {
        path = chosen;
        return true;
    });
    win::FileDialog dialog(true, "", "", 0, "a|*.a||", nullptr);
    EXPECT_EQ(dialog.DoModal(), IDOK);
    win::SetFileDialogHandler(nullptr);
    EXPECT_EQ(dialog.GetPathName(), chosen);
    return dialog.GetFileExt();
}

TEST(FileDialogResult, ExtensionWithoutTheDotAsTyped) {
    EXPECT_EQ(ExtensionOf("C:\\Images\\Plage.BMP"), "BMP");
    EXPECT_EQ(ExtensionOf("C:\\Images\\archive.tar.bmp"), "bmp");
    EXPECT_EQ(ExtensionOf("C:\\Images.old\\plage"), "");
    EXPECT_EQ(ExtensionOf("C:\\Images\\plage."), "");
}

TEST(FileDialogResult, CancelledByTheHandler) {
    win::SetFileDialogHandler([](const win::FileDialog&, std::string&) { return false; });
    win::FileDialog dialog(false, ".vdl", "Velunda.vdl", 0, "a|*.a||", nullptr);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    win::SetFileDialogHandler(nullptr);
}

}  // namespace
