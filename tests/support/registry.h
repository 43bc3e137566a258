#pragma once

// Registry values under HKEY_CURRENT_USER as their type and bytes, and the
// settings' fields side by side, for tests that look at what was stored.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>

#include "settings/settings.h"
#include "support/list_bytes.h"
#include "win/seams.h"

namespace reg {

constexpr wchar_t kCompany[] = L"Software\\Zarnovell Software";
constexpr wchar_t kVelunda[] = L"Software\\Zarnovell Software\\Velunda\\1.0";
constexpr wchar_t kDesktop[] = L"Control Panel\\Desktop";

using Raw = std::pair<DWORD, std::string>;  // type 0: no value
inline Raw Dw(uint32_t v) { return {REG_DWORD, listbytes::Le32(v)}; }
// A string as the registry stores it: UTF-16, little-endian.
inline std::string Utf16(std::wstring_view text) {
    return {reinterpret_cast<const char*>(text.data()), text.size() * 2};
}
// ASCII text as wide text.
inline std::wstring Wide(std::string_view ascii) { return {ascii.begin(), ascii.end()}; }
inline Raw Sz(const std::wstring& text) { return {REG_SZ, Utf16(text) + std::string(2, '\0')}; }

inline Raw Get(const wchar_t* key, const wchar_t* name) {
    char data[1024];
    DWORD type = 0, size = sizeof data;
    if (RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_ANY, &type, data, &size)) return {};
    return {type, std::string(data, size)};
}

// Writes the value, or deletes it when the type is 0.
inline void Put(const wchar_t* key, const wchar_t* name, const Raw& raw) {
    const auto& [type, bytes] = raw;
    type ? RegSetKeyValueW(HKEY_CURRENT_USER, key, name, type, bytes.data(), bytes.size())
         : RegDeleteKeyValueW(HKEY_CURRENT_USER, key, name);
}

inline void DeleteSettings() { RegDeleteTreeW(HKEY_CURRENT_USER, kCompany); }

inline auto Fields(const Settings& s) {
    return std::tie(s.LastStartup, s.LastDays, s.NumStartup, s.NumDays, s.TimeType, s.Startup,
                    s.FilelistPath, s.Formats, s.Position, s.Monitors);
}

// Starts and ends with no settings stored, and keeps the texts of message boxes instead of
// showing them (each answers OK).
struct Clean : testing::Test {
    void SetUp() override {
        DeleteSettings();
        win::SetMessageBoxHandler(
            [this](HWND, const std::wstring& text, auto&&...) { return boxes.push_back(text), 1; });
    }
    void TearDown() override { win::SetMessageBoxHandler({}), DeleteSettings(); }
    std::vector<std::wstring> boxes;
};

}  // namespace reg
