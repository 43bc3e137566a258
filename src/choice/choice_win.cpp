#include "app/wallpaper_app.h"
#include "choice/crt_random.h"
#include "choice/weighted_choice.h"
#include "win/handles.h"

namespace {

// Whether the file can be opened for reading; it is closed again at once.
bool OpensForReading(const std::string& path) {
    const win::UniqueHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file.get() != INVALID_HANDLE_VALUE;
}

}  // namespace

bool CWallpaperApp::ChooseWallpaper() {
    static CrtRandom ownGenerator;
    RandomSource& source = generator ? *generator : ownGenerator;
    const std::function<bool(const std::string&)> probe =
        canOpenForReading ? canOpenForReading : OpensForReading;
    return DrawWallpaper(wallpaperList, ratingSum, source, clock, probe, currentPath, currentExt);
}

void CWallpaperApp::ApplyWallpaper() {
    if (!IsBmpExtension(currentExt)) return;
    // The call takes a writable buffer; it does not change it. Flags 1: the
    // profile is updated, no change notice is broadcast. The result is not
    // examined: a failure goes unnoticed, as the user sees it anyway.
    std::string buffer = currentPath;
    SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, buffer.data(), SPIF_UPDATEINIFILE);
}
