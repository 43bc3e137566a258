// One picture per monitor, through the real program against a stand-in for the system's
// per-monitor object (support/wallpaper_stub_win.cpp), with real pictures read by WIC.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/wallpaper_app.h"
#include "support/registry.h"

using namespace reg;
using namespace std::string_literals;

namespace {

// Registered machine-wide: Wine reads no per-user classes.
const std::wstring kClass = L"Software\\Classes\\CLSID\\{C2CF3110-460E-4FC1-B9D0-8A1C0C9CC4BD}";

void RegisterStub(bool on) {
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, kClass.c_str());
    const Raw dll = Sz(std::filesystem::path(_wpgmptr).replace_filename("wallpaper_stub.dll"));
    if (on)
        RegSetKeyValueW(HKEY_LOCAL_MACHINE, (kClass + L"\\InprocServer32").c_str(), nullptr, REG_SZ,
                        dll.second.data(), DWORD(dll.second.size()));
}

// A 24-bit bitmap, w x h black pixels of rows of 12 bytes at most.
void WriteBmp(const std::string& name, int32_t w, int32_t h) {
    const int32_t header[] = {54 + 12 * h, 0, 54, 40, w, h, 1 | 24 << 16, 0, 12 * h, 0, 0, 0, 0};
    std::ofstream out(name, std::ios::binary);
    out.write("BM", 2).write(reinterpret_cast<const char*>(header), sizeof header);
    out << std::string(12 * h, '\0');
}

struct PerMonitor : Clean {
    void TearDown() override { RegisterStub(false), Clean::TearDown(); }

    // The calls that the stand-in recorded, and the one picture set as before. The pictures are
    // rated 1 but the first, 5; the clock is fixed, so the draws are the same at every run.
    std::pair<std::wstring, Raw> Run(const wchar_t* args, const wchar_t* monitors,
                                     const std::vector<const char*>& pictures, const Raw& setting,
                                     const Raw& position = {}, bool registered = true) {
        std::string list = listbytes::Header(uint32_t(pictures.size()), 0);
        for (const char* name : pictures) {
            WriteBmp(name + ".bmp"s, name[0] == 'l' ? 4 : 2, name[0] == 'l' ? 2 : 4);
            list += listbytes::Record(name + ".bmp"s, "bmp", name == pictures[0] ? 5 : 1);
        }
        std::ofstream("list.dat", std::ios::binary) << list;
        SaveSettings({0, 0, 1, 1, L"days", false, L"list.dat"});
        Put(kVelunda, L"Monitors", setting), Put(kVelunda, L"Position", position);
        Put(kDesktop, L"Wallpaper", Sz(L"x"));
        RegisterStub(registered);
        SetEnvironmentVariableW(L"VELUNDA_STUB_MONITORS", monitors);
        SetEnvironmentVariableW(L"VELUNDA_STUB_CALLS", nullptr);
        CWallpaperApp app({[] { return std::time_t(1784041200); }});
        app.m_lpCmdLine = args;
        app.InitInstance();
        wchar_t calls[200] = {};
        GetEnvironmentVariableW(L"VELUNDA_STUB_CALLS", calls, 200);
        return {calls, Get(kDesktop, L"Wallpaper")};
    }
};

}  // namespace

TEST_F(PerMonitor, EachMonitorGetsItsShapeAndItsOwnPicture) {
    const Raw x = Sz(L"x");
    EXPECT_EQ(Run(L"/startup", L"2", {"p1", "l1"}, Dw(1), Dw(0)),
              std::pair(L"M0 l1.bmp;M1 p1.bmp;pos 0;"s, x));
    // /next puts back neither monitor's picture.
    SetEnvironmentVariableW(L"VELUNDA_STUB_SHOWN0", L"l1.bmp");
    SetEnvironmentVariableW(L"VELUNDA_STUB_SHOWN1", L"p1.bmp");
    EXPECT_EQ(Run(L"/next", L"2", {"l2", "l1", "p1", "p2"}, Dw(1)),
              std::pair(L"M0 l2.bmp;M1 p2.bmp;"s, x));
}

// One monitor, no stand-in, or Monitors 0: one picture for all, through the desktop.
TEST_F(PerMonitor, OtherwiseOnePictureForAllAsBefore) {
    const std::pair none(L""s, Sz(L"l1.bmp"));
    EXPECT_EQ(Run(L"/startup", L"1", {"l1"}, Dw(1)), none);
    EXPECT_EQ(Run(L"/startup", L"2", {"l1"}, Dw(1), {}, false), none);
    EXPECT_EQ(Run(L"/next", L"2", {"l1"}, Dw(0)), none);
}
