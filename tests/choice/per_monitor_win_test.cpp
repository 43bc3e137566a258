// One picture per monitor, through the real program against a stand-in for the system's
// per-monitor object (tests/support/wallpaper_stub_win.cpp), with real pictures read by WIC.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "app/wallpaper_app.h"
#include "support/registry.h"

using namespace reg;
using namespace std::string_literals;

namespace {

constexpr wchar_t kClass[] = L"Software\\Classes\\CLSID\\{C2CF3110-460E-4FC1-B9D0-8A1C0C9CC4BD}";

// Registered machine-wide: Wine reads no per-user classes.
void RegisterStub(bool on) {
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, kClass);
    if (!on) return;
    std::wstring dll(MAX_PATH, L'\0');
    dll.resize(GetModuleFileNameW(nullptr, dll.data(), MAX_PATH));
    dll = dll.substr(0, dll.rfind(L'\\') + 1) + L"wallpaper_stub.dll";
    const std::wstring key = kClass + std::wstring(L"\\InprocServer32");
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, key.c_str(), nullptr, REG_SZ, dll.c_str(),
                    DWORD((dll.size() + 1) * 2));
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, key.c_str(), L"ThreadingModel", REG_SZ, L"Both", 10);
}

// A 24-bit bitmap of w x h black pixels.
void WriteBmp(const std::string& name, int32_t w, int32_t h) {
    const int32_t row = (w * 3 + 3) & ~3, size = 54 + row * h;
    const int32_t header[] = {size, 0, 54, 40, w, h, 1 | 24 << 16, 0, row * h, 0, 0, 0, 0};
    std::ofstream out(name, std::ios::binary);
    out << "BM";
    out.write(reinterpret_cast<const char*>(header), sizeof header);
    out << std::string(row * h, '\0');
}

std::wstring Env(const wchar_t* name) {
    wchar_t value[1024] = {};
    GetEnvironmentVariableW(name, value, 1024);
    return value;
}

struct PerMonitor : Clean {
    void SetUp() override {
        Clean::SetUp();
        for (const char* name : {"l1.bmp", "l2.bmp"}) WriteBmp(name, 4, 2);
        for (const char* name : {"p1.bmp", "p2.bmp"}) WriteBmp(name, 2, 4);
    }
    void TearDown() override { RegisterStub(false), Clean::TearDown(); }

    // The calls that the stand-in recorded, and the one picture set as before. The list's
    // pictures are rated 1 but the first, 5; the clock is fixed, so the draws are the same at
    // every run.
    std::pair<std::wstring, Raw> Run(const char* args, const wchar_t* monitors,
                                     const std::vector<const char*>& pictures, const Raw& setting,
                                     const Raw& position = {}, bool registered = true) {
        std::string list = listbytes::Header(uint32_t(pictures.size()), 0);
        for (const char* name : pictures)
            list +=
                listbytes::Record(name + std::string(".bmp"), "bmp", name == pictures[0] ? 5 : 1);
        std::ofstream("list.dat", std::ios::binary) << list;
        SaveSettings({0, 0, 1, 1, "days", false, "list.dat"});
        Put(kVelunda, "Monitors", setting), Put(kVelunda, "Position", position);
        Put(kDesktop, "Wallpaper", Sz("x"));
        RegisterStub(registered);
        SetEnvironmentVariableW(L"VELUNDA_STUB_MONITORS", monitors);
        SetEnvironmentVariableW(L"VELUNDA_STUB_CALLS", nullptr);
        CWallpaperApp app({[] { return std::time_t(1784041200); }});
        app.m_lpCmdLine = args;
        app.InitInstance();
        return {Env(L"VELUNDA_STUB_CALLS"), Get(kDesktop, "Wallpaper")};
    }
};

const wchar_t kTwo[] = L"1920x1080 1080x1920";

}  // namespace

TEST_F(PerMonitor, EachMonitorGetsItsShapeAndItsOwnPicture) {
    const Raw x = Sz("x");
    EXPECT_EQ(Run("/startup", kTwo, {"p1", "l1"}, Dw(1)), std::pair(L"M0 l1.bmp;M1 p1.bmp;"s, x));
    EXPECT_EQ(Run("/startup", kTwo, {"l1", "p1"}, Dw(1), Dw(4)),
              std::pair(L"M0 l1.bmp;M1 p1.bmp;pos 4;"s, x));
    // One shape only: still a picture each.
    EXPECT_EQ(Run("/startup", kTwo, {"l2", "l1"}, Dw(1)), std::pair(L"M0 l2.bmp;M1 l1.bmp;"s, x));
    EXPECT_EQ(Run("/startup", kTwo, {"p1", "p2"}, Dw(1)), std::pair(L"M0 p1.bmp;M1 p2.bmp;"s, x));
    // /next puts back neither monitor's picture.
    SetEnvironmentVariableW(L"VELUNDA_STUB_SHOWN0", L"l1.bmp");
    SetEnvironmentVariableW(L"VELUNDA_STUB_SHOWN1", L"p1.bmp");
    EXPECT_EQ(Run("/next", kTwo, {"l2", "l1", "p1", "p2"}, Dw(1)),
              std::pair(L"M0 l2.bmp;M1 p2.bmp;"s, x));
}

// One monitor, no stand-in, Monitors 0 or invalid: one picture for all, through the desktop.
TEST_F(PerMonitor, OtherwiseOnePictureForAllAsBefore) {
    const std::pair none(L""s, Sz("l1.bmp"));
    EXPECT_EQ(Run("/startup", L"1920x1080", {"l1"}, Dw(1)), none);
    EXPECT_EQ(Run("/startup", kTwo, {"l1"}, Dw(1), {}, false), none);
    EXPECT_EQ(Run("/startup", kTwo, {"l1"}, Dw(0)), none);
    EXPECT_EQ(Run("/next", kTwo, {"l1"}, Dw(2)), none);
}
