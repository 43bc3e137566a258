// The draw's probe against files that other programs hold open.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>

#include "choice/choice_win.h"
#include "win/handles.h"

TEST(ChoiceWin, PicturesHeldOpenByAViewerOrAnEditorStayReadable) {
    const std::string path = "velunda-held.bmp";
    std::ofstream(path) << "BM";
    const struct {
        DWORD access, share;
        bool readable;
    } holders[] = {
        {GENERIC_READ, FILE_SHARE_READ, true},                                     // a viewer
        {GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, true},  // an editor
        {GENERIC_READ, 0, false},                                                  // nothing shared
    };
    for (const auto& h : holders) {
        const win::UniqueFile holder(
            CreateFileA(path.c_str(), h.access, h.share, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(holder);
        EXPECT_EQ(OpensForReading(path), h.readable) << h.access << " " << h.share;
    }
    EXPECT_FALSE(OpensForReading("velunda-missing.bmp"));
    DeleteFileA(path.c_str());
}
