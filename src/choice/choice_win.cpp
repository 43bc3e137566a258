#include "choice/choice_win.h"

#include <windows.h>

#include <cstring>

#include "choice/crt_random.h"
#include "choice/weighted_choice.h"
#include "win/handles.h"

bool OpensForReading(const std::string& path) {
    // Sharing everything: a picture that a viewer or an editor holds open is
    // still readable, and must not drop out of the draw.
    const win::UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return static_cast<bool>(file);
}

RandomSource& ProgramGenerator() {
    static CrtRandom generator;
    return generator;
}

namespace {

// Where the system reads the wallpaper's position when the wallpaper is set.
void WriteDesktopPosition(int32_t position) {
    // WallpaperStyle for centre, tile, stretch, fit, fill and span; tile is
    // the centred style with TileWallpaper on.
    static constexpr const char* kStyles[] = {"0", "0", "2", "6", "10", "22"};
    const char* const style = kStyles[position];
    const char* const tile = position == 1 ? "1" : "0";
    // Results not examined: the wallpaper is set all the same.
    RegSetKeyValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "WallpaperStyle", REG_SZ, style,
                    static_cast<DWORD>(std::strlen(style) + 1));
    RegSetKeyValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "TileWallpaper", REG_SZ, tile, 2);
}

}  // namespace

void ApplyWallpaper(const std::string& path, const std::string& ext, int32_t formats,
                    int32_t position) {
    if (!IsAppliedExtension(ext, formats)) return;
    if (position >= 0 && position <= 5) WriteDesktopPosition(position);
    // The call takes a writable buffer; it does not change it. Flags 1: the
    // profile is updated, no change notice is broadcast. The result is not
    // examined: a failure goes unnoticed, as the user sees it anyway.
    std::string buffer = path;
    SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, buffer.data(), SPIF_UPDATEINIFILE);
}
