#include "choice/choice_win.h"

#include <windows.h>

#include <cwchar>
#include <vector>

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

constexpr wchar_t kDesktopKey[] = L"Control Panel\\Desktop";

// A desktop value as it was, to be put back; absent ones are deleted again.
class SavedDesktopValue {
public:
    explicit SavedDesktopValue(const wchar_t* name) : name_(name) {
        HKEY opened = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, kDesktopKey, 0, KEY_QUERY_VALUE, &opened)) return;
        const win::UniqueHKey key(opened);
        DWORD size = 0;
        if (RegQueryValueExW(opened, name, nullptr, &type_, nullptr, &size)) return;
        data_.resize(size);
        present_ = !RegQueryValueExW(opened, name, nullptr, &type_, data_.data(), &size);
        data_.resize(size);
    }
    void Restore() const {
        if (present_)
            RegSetKeyValueW(HKEY_CURRENT_USER, kDesktopKey, name_, type_, data_.data(),
                            static_cast<DWORD>(data_.size()));
        else
            RegDeleteKeyValueW(HKEY_CURRENT_USER, kDesktopKey, name_);
    }

private:
    const wchar_t* name_;
    bool present_ = false;
    DWORD type_ = 0;
    std::vector<BYTE> data_;
};

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

// Makes the file the wallpaper, stored in the user's profile; false when the
// system refuses it. The call takes a writable buffer; it does not change it.
// Flags 1: the profile is updated, no change notice is broadcast.
bool SetWallpaper(std::wstring& path) {
    return SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, path.data(), SPIF_UPDATEINIFILE);
}

}  // namespace

bool ApplyWallpaper(const std::string& path, const std::string& ext, int32_t formats,
                    int32_t position) {
    if (!IsAppliedExtension(ext, formats)) return false;
    // A pick that was opened converts; one that cannot is not applied.
    auto wide = EntryPathToWide(path);
    if (!wide) return false;
    if (position < 0 || position > 5) return SetWallpaper(*wide);
    const SavedDesktopValue style(L"WallpaperStyle"), tile(L"TileWallpaper");
    WriteDesktopPosition(position);
    if (SetWallpaper(*wide)) return true;
    // The position must not apply to the wallpaper that stays.
    style.Restore();
    tile.Restore();
    return false;
}

std::string CurrentWallpaper() {
    wchar_t shown[MAX_PATH] = {};
    if (!SystemParametersInfoW(SPI_GETDESKWALLPAPER, MAX_PATH, shown, 0)) return {};
    shown[MAX_PATH - 1] = L'\0';
    return EntryPathFromWide(shown).value_or(std::string());
}
