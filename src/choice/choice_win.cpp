#include "choice/choice_win.h"

#include <windows.h>

#include <cwchar>

#include "choice/crt_random.h"
#include "choice/weighted_choice.h"
#include "list/entry_path_win.h"
#include "win/handles.h"

bool OpensForReading(const std::string& path) {
    const auto wide = EntryPathToWide(path);
    if (!wide) return false;
    // Sharing everything: a picture that a viewer or an editor holds open is
    // still readable, and must not drop out of the draw.
    const win::UniqueFile file(CreateFileW(wide->c_str(), GENERIC_READ,
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
    static constexpr const wchar_t* kStyles[] = {L"0", L"0", L"2", L"6", L"10", L"22"};
    const wchar_t* const style = kStyles[position];
    const wchar_t* const tile = position == 1 ? L"1" : L"0";
    // Results not examined: the wallpaper is set all the same.
    RegSetKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"WallpaperStyle", REG_SZ, style,
                    static_cast<DWORD>((std::wcslen(style) + 1) * sizeof(wchar_t)));
    RegSetKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"TileWallpaper", REG_SZ, tile,
                    2 * sizeof(wchar_t));
}

}  // namespace

void ApplyWallpaper(const std::string& path, const std::string& ext, int32_t formats,
                    int32_t position) {
    if (!IsAppliedExtension(ext, formats)) return;
    // A pick that was opened converts; one that cannot is not applied.
    auto wide = EntryPathToWide(path);
    if (!wide) return;
    if (position >= 0 && position <= 5) WriteDesktopPosition(position);
    // The call takes a writable buffer; it does not change it. Flags 1: the
    // profile is updated, no change notice is broadcast. The result is not
    // examined: a failure goes unnoticed, as the user sees it anyway.
    SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, wide->data(), SPIF_UPDATEINIFILE);
}
