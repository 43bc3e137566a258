#include "ui_test_util.h"

#include <fstream>
#include <iterator>

#include "app/wallpaper_app.h"
#include "res/resource.h"

std::string TempDir() {
    static const std::string dir = [] {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        std::string d = std::string(temp) + "velunda-ui-" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(d.c_str(), nullptr);
        return d + "\\";
    }();
    return dir;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

bool FileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string Int32(int32_t value) {
    const auto v = static_cast<uint32_t>(value);
    return {static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16),
            static_cast<char>(v >> 24)};
}

std::string Str(const std::string& value) {
    return static_cast<char>(value.size()) + value;
}

bool SaveListWorks() {
    static const bool works = [] {
        CWallpaperApp probe;
        const std::string path = TempDir() + "probe-save.vdl";
        const bool ok = probe.SaveList(path) && FileExists(path);
        DeleteFileA(path.c_str());
        return ok;
    }();
    return works;
}

bool LoadListWorks() {
    static const bool works = [] {
        const std::string path = TempDir() + "probe-load.vdl";
        WriteBytes(path, Str("1.0") + Int32(1) + Int32(3) + Str("C:\\a.bmp") + Str("bmp") +
                             Int32(3));
        CWallpaperApp probe;
        const bool ok = probe.LoadList(path) && probe.wallpaperList.GetCount() == 1;
        DeleteFileA(path.c_str());
        return ok;
    }();
    return works;
}

std::vector<CWallpaperEntry*> Items(HWND mainDlg) {
    const HWND list = GetDlgItem(mainDlg, IDC_WALLPAPER_LIST);
    std::vector<CWallpaperEntry*> items;
    const auto count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i)
        items.push_back(reinterpret_cast<CWallpaperEntry*>(SendMessageA(list, LB_GETITEMDATA, i, 0)));
    return items;
}

std::vector<CWallpaperEntry*> Entries(CWallpaperApp& app) {
    std::vector<CWallpaperEntry*> entries;
    for (CWallpaperEntry& e : app.wallpaperList) entries.push_back(&e);
    return entries;
}
