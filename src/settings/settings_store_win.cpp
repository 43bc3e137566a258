#include "settings/settings_store_win.h"

#include <array>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "settings/local_midnight.h"
#include "settings/registry_value.h"
#include "settings/settings_seams_win.h"
#include "win/handles.h"
#include "win/message_box.h"

namespace settings {
namespace {

// HKCU\Software\Zarnovell Software\Velunda\1.0, one level at a time.
constexpr const wchar_t* kLevels[] = {L"Software", L"Zarnovell Software", L"Velunda", L"1.0"};
constexpr DWORD kPathBuffer = 261;     // characters: 260 and the zero
constexpr DWORD kTimeTypeBuffer = 30;  // 29 characters and the zero

DWORD* AllocateBlock() { return new (std::nothrow) DWORD; }

LSTATUS WriteValue(HKEY key, const wchar_t* name, DWORD type, const BYTE* data, DWORD size) {
    return RegSetValueExW(key, name, 0, type, data, size);
}

BlockAllocator g_allocate = AllocateBlock;
ValueWriter g_write = WriteValue;

// The four levels, outermost first. An array destroys its elements last to
// first, so the levels close innermost first on every path.
using KeyLevels = std::array<win::UniqueHKey, 4>;

std::optional<KeyLevels> OpenForReading() {
    KeyLevels keys;
    HKEY parent = HKEY_CURRENT_USER;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        HKEY key = nullptr;
        if (RegOpenKeyExW(parent, kLevels[i], 0, KEY_READ, &key) != ERROR_SUCCESS)
            return std::nullopt;
        keys[i].reset(key);
        parent = key;
    }
    return keys;
}

// "Software" must exist; the levels under it are created when missing.
std::optional<KeyLevels> OpenForWriting(DWORD* disposition) {
    KeyLevels keys;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kLevels[0], 0, KEY_WRITE, &key) != ERROR_SUCCESS)
        return std::nullopt;
    keys[0].reset(key);
    for (std::size_t i = 1; i < keys.size(); ++i) {
        key = nullptr;
        if (RegCreateKeyExW(keys[i - 1].get(), kLevels[i], 0, nullptr, REG_OPTION_NON_VOLATILE,
                            KEY_WRITE, nullptr, &key, disposition) != ERROR_SUCCESS)
            return std::nullopt;
        keys[i].reset(key);
    }
    return keys;
}

// The write path's disposition block, with the out-of-memory message when
// the heap has none to give.
std::unique_ptr<DWORD> DispositionBlock() {
    std::unique_ptr<DWORD> block(g_allocate());
    if (!block) win::AppMessageBox(L"Erreur d'allocation mémoire", MB_OK | MB_ICONERROR);
    return block;
}

std::optional<std::wstring> ReadString(HKEY key, const wchar_t* name, DWORD bufferChars) {
    std::vector<BYTE> buffer(bufferChars * sizeof(wchar_t));
    DWORD size = static_cast<DWORD>(buffer.size());
    if (RegQueryValueExW(key, name, nullptr, nullptr, buffer.data(), &size) != ERROR_SUCCESS)
        return std::nullopt;
    return StringFromRegistry(buffer.data(), size, bufferChars);
}

// A value added in 1.1: read only as a REG_DWORD of exactly 4 bytes within
// [min, max]; anything else means the 1.0 behaviour, `fallback`.
int32_t ReadNewDword(HKEY key, const wchar_t* name, int32_t min, int32_t max, int32_t fallback) {
    std::array<unsigned char, 4> buffer{};
    DWORD type = 0, size = buffer.size();
    if (RegQueryValueExW(key, name, nullptr, &type, buffer.data(), &size) != ERROR_SUCCESS ||
        type != REG_DWORD)
        return fallback;
    const auto value = Int32FromRegistry(buffer.data(), size);
    return value && *value >= min && *value <= max ? *value : fallback;
}

// The main window's placement: a REG_BINARY of one WINDOWPLACEMENT, else none.
std::optional<win::WindowPlacement> ReadPlacement(HKEY key) {
    std::array<unsigned char, win::kPlacementSize + 1> buffer{};  // one more: too long shows
    DWORD type = 0, size = buffer.size();
    if (RegQueryValueExW(key, L"Placement", nullptr, &type, buffer.data(), &size) !=
            ERROR_SUCCESS ||
        type != REG_BINARY)
        return std::nullopt;
    return win::PlacementFromBytes(buffer.data(), size);
}

std::optional<int32_t> ReadInt32(HKEY key, const wchar_t* name) {
    std::array<unsigned char, 4> buffer{};
    DWORD size = buffer.size();
    if (RegQueryValueExW(key, name, nullptr, nullptr, buffer.data(), &size) != ERROR_SUCCESS)
        return std::nullopt;
    return Int32FromRegistry(buffer.data(), size);
}

bool WriteString(HKEY key, const wchar_t* name, const std::wstring& text) {
    return g_write(key, name, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

bool WriteInt32(HKEY key, const wchar_t* name, int32_t value) {
    const DWORD data = static_cast<DWORD>(value);
    return g_write(key, name, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data) ==
           ERROR_SUCCESS;
}

// A position 0..5 is written; any other means "leave the system's own
// position alone", which a missing value says to 1.0 and 1.1 alike.
bool WritePosition(HKEY key, int32_t position) {
    if (position >= 0 && position <= 5) return WriteInt32(key, L"Position", position);
    const LSTATUS status = RegDeleteValueW(key, L"Position");
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

// Written once the window has been moved or resized; never deleted.
bool WritePlacement(HKEY key, const std::optional<win::WindowPlacement>& placement) {
    if (!placement) return true;
    const auto bytes = win::PlacementBytes(*placement);
    return g_write(key, L"Placement", REG_BINARY, bytes.data(), bytes.size()) == ERROR_SUCCESS;
}

// The pane's state is stored only while it is on: a setup that never showed
// it keeps exactly the values it had.
bool WritePreview(HKEY key, int32_t preview) {
    if (preview == 1) return WriteInt32(key, L"Preview", 1);
    const LSTATUS status = RegDeleteValueW(key, L"Preview");
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

}  // namespace

void SetBlockAllocator(BlockAllocator allocate) {
    g_allocate = allocate ? allocate : AllocateBlock;
}
void SetValueWriter(ValueWriter write) { g_write = write ? write : WriteValue; }

}  // namespace settings

using namespace settings;

bool LoadSettings(Settings& s, std::time_t now) {
    const auto keys = OpenForReading();
    if (!keys) return false;
    const HKEY key = keys->back().get();

    // Each field takes its value as soon as it is read.
    const auto path = ReadString(key, L"FilelistPath", kPathBuffer);
    if (!path) return false;
    s.FilelistPath = *path;
    const auto startup = ReadInt32(key, L"Startup");
    if (!startup) return false;
    s.Startup = *startup != 0;
    const auto timeType = ReadString(key, L"TimeType", kTimeTypeBuffer);
    if (!timeType) return false;
    s.TimeType = *timeType;
    const auto numDays = ReadInt32(key, L"NumDays");
    if (!numDays) return false;
    s.NumDays = *numDays;
    const auto numStartup = ReadInt32(key, L"NumStartup");
    if (!numStartup) return false;
    s.NumStartup = *numStartup;

    const auto lastDays = ReadInt32(key, L"LastDays");
    s.LastDays = lastDays ? *lastDays : static_cast<int32_t>(LocalMidnight(now));
    s.LastStartup = ReadInt32(key, L"LastStartup").value_or(0);

    // The 1.1 values never fail the load: a bad one just means "as 1.0".
    s.Formats = ReadNewDword(key, L"Formats", 0, 1, 0);
    s.Position = ReadNewDword(key, L"Position", 0, 5, -1);
    s.Monitors = ReadNewDword(key, L"Monitors", 0, 1, 0);
    s.Placement = ReadPlacement(key);
    s.Preview = ReadNewDword(key, L"Preview", 0, 1, 0);
    return true;
}

bool SaveSettings(const Settings& s) {
    auto disposition = DispositionBlock();
    if (!disposition) return false;
    const auto keys = OpenForWriting(disposition.get());
    disposition.reset();
    if (!keys) return false;

    // In order, stopping at the first failure; what was written stays.
    const HKEY key = keys->back().get();
    // clang-format off
    return WriteString(key, L"FilelistPath", s.FilelistPath) &&
           WriteInt32(key, L"Startup", s.Startup ? 1 : 0) &&
           WriteString(key, L"TimeType", s.TimeType) &&
           WriteInt32(key, L"NumDays", s.NumDays) &&
           WriteInt32(key, L"NumStartup", s.NumStartup) &&
           WriteInt32(key, L"LastDays", s.LastDays) &&
           WriteInt32(key, L"LastStartup", s.LastStartup) &&
           WriteInt32(key, L"Formats", s.Formats == 1 ? 1 : 0) &&
           WritePosition(key, s.Position) &&
           WriteInt32(key, L"Monitors", s.Monitors == 1 ? 1 : 0) &&
           WritePlacement(key, s.Placement) &&
           WritePreview(key, s.Preview);
    // clang-format on
}

void SaveChangeMarker(const Settings& s, bool startupKind, std::time_t now) {
    // Without a block the keys still open; they just report no disposition.
    auto disposition = DispositionBlock();
    const auto keys = OpenForWriting(disposition.get());
    disposition.reset();
    if (!keys) return;

    const HKEY key = keys->back().get();
    if (startupKind)
        WriteInt32(key, L"LastStartup", s.LastStartup);
    else
        WriteInt32(key, L"LastDays", static_cast<int32_t>(LocalMidnight(now)));
}
