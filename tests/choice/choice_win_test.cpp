// The draw's probe against files that other programs hold open.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>

#include "choice/choice_win.h"
#include "win/handles.h"

// A viewer's and an editor's share modes leave the picture readable; one sharing nothing does not.
TEST(ChoiceWin, PicturesHeldOpenByAViewerOrAnEditorStayReadable) {
    const char* path = "velunda-held.bmp";
    std::ofstream(path) << "BM";
    const std::tuple<DWORD, DWORD, bool> holders[] = {
        {GENERIC_READ, FILE_SHARE_READ, true},
        {GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, true},
        {GENERIC_READ, 0, false}};
    for (const auto& [access, share, readable] : holders) {
        const win::UniqueFile holder(
            CreateFileW(L"velunda-held.bmp", access, share, nullptr, OPEN_EXISTING, 0, 0));
        EXPECT_EQ(OpensForReading(path), readable) << access << ' ' << share;
    }
    EXPECT_FALSE(OpensForReading("velunda-missing.bmp"));
    DeleteFileW(L"velunda-held.bmp");
}
