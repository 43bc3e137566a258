// The settings store against the real registry (run under Wine).
#include "settings/settings_store_win.h"

#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>
#include <ctime>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "app/wallpaper_app.h"
#include "win/handles.h"
#include "win/message_box.h"

namespace {

const char kVendorKey[] = "Software\\Zarnovell Software";
const char kKey[] = "Software\\Zarnovell Software\\Velunda\\1.0";
// 2026-07-14 15:00 UTC.
constexpr std::time_t kNow = 1784041200;

std::string Bytes(const char* text) { return std::string(text, std::strlen(text) + 1); }
std::string Dword(const char (&le)[5]) { return std::string(le, 4); }

void DeleteKey() { RegDeleteTreeA(HKEY_CURRENT_USER, kVendorKey); }

win::UniqueHKey OpenKey(REGSAM access) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, access, &key) != ERROR_SUCCESS) return nullptr;
    return win::UniqueHKey(key);
}

void Seed(const char* name, DWORD type, const std::string& bytes) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                              nullptr), ERROR_SUCCESS);
    win::UniqueHKey owner(key);
    ASSERT_EQ(RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                             static_cast<DWORD>(bytes.size())), ERROR_SUCCESS);
}

void Remove(const char* name) { RegDeleteValueA(OpenKey(KEY_WRITE).get(), name); }

// What the program itself writes on a typical day.
void SeedAll() {
    DeleteKey();
    Seed("FilelistPath", REG_SZ, Bytes("C:\\Listes\\\xE9t\xE9.dat"));
    Seed("Startup", REG_DWORD, Dword("\x01\0\0\0"));
    Seed("TimeType", REG_SZ, Bytes("startup"));
    Seed("NumDays", REG_DWORD, Dword("\x00\x7d\0\0"));
    Seed("NumStartup", REG_DWORD, Dword("\x03\0\0\0"));
    Seed("LastDays", REG_DWORD, Dword("\xe0\x5f\x55\x6a"));
    Seed("LastStartup", REG_DWORD, Dword("\xf9\xff\xff\xff"));
}

struct Stored {
    DWORD type;
    std::string bytes;
    bool operator==(const Stored&) const = default;
};

std::optional<Stored> Query(const char* name) {
    const auto key = OpenKey(KEY_READ);
    if (!key) return std::nullopt;
    std::string buffer(1024, '\0');
    DWORD type = 0, size = static_cast<DWORD>(buffer.size());
    if (RegQueryValueExA(key.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()),
                         &size) != ERROR_SUCCESS)
        return std::nullopt;
    buffer.resize(size);
    return Stored{type, buffer};
}

DWORD ValueCount() {
    DWORD values = 0;
    RegQueryInfoKeyA(OpenKey(KEY_READ).get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                     &values, nullptr, nullptr, nullptr, nullptr);
    return values;
}

// A local midnight on the same local day as kNow.
void ExpectMidnightOfNow(std::time_t value) {
    const std::tm day = *std::localtime(&kNow);
    const std::tm got = *std::localtime(&value);
    EXPECT_EQ(got.tm_year, day.tm_year);
    EXPECT_EQ(got.tm_yday, day.tm_yday);
    EXPECT_EQ(got.tm_hour * 3600 + got.tm_min * 60 + got.tm_sec, 0);
}

// The numbers that the next new handles get: they change when one was leaked.
std::vector<HANDLE> NextHandles() {
    std::vector<HANDLE> handles;
    for (int i = 0; i < 32; ++i) handles.push_back(CreateEventA(nullptr, FALSE, FALSE, nullptr));
    for (HANDLE h : handles) CloseHandle(h);
    return handles;
}

// The logon shortcut, which a successful save creates or removes.
std::string LinkPath() {
    char folder[MAX_PATH] = {};
    SHGetSpecialFolderPathA(nullptr, folder, CSIDL_STARTUP, TRUE);
    return std::string(folder) + "\\Velunda.lnk";
}

struct Box {
    std::string text, caption;
    UINT style;
};

class SettingsStore : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        // The first uses of HKEY_CURRENT_USER and of the shell keep handles
        // for the rest of the process: take them before counting.
        DeleteKey();
        CWallpaperApp warmUp;
        warmUp.Startup = true;
        warmUp.UpdateLogonShortcut();
        warmUp.Startup = false;
        warmUp.UpdateLogonShortcut();
    }
    void SetUp() override {
        DeleteKey();
        app.clock = [] { return kNow; };
        win::SetMessageBoxHandler([this](HWND, const std::string& text, const std::string& caption,
                                         UINT style) {
            boxes.push_back({text, caption, style});
            return IDOK;
        });
        handlesBefore = NextHandles();
    }
    void TearDown() override {
        EXPECT_EQ(NextHandles(), handlesBefore) << "a key level was left open";
        settings::SetBlockAllocator(nullptr);
        settings::SetValueWriter(nullptr);
        win::SetMessageBoxHandler({});
        DeleteKey();
        DeleteFileA(LinkPath().c_str());
    }

    CWallpaperApp app;
    std::vector<Box> boxes;
    std::vector<HANDLE> handlesBefore;
};

TEST_F(SettingsStore, NoKeyFailsTheLoadAndSaveCreatesEveryLevelAndValue) {
    EXPECT_FALSE(app.LoadSettings());
    app.FilelistPath = "C:\\users\\me\\Documents\\Velunda.dat";
    app.Startup = true;
    app.TimeType = "days";
    app.NumDays = 32000;
    app.NumStartup = 3;
    app.LastDays = 1783980000;
    app.LastStartup = -7;
    EXPECT_TRUE(app.SaveSettings());

    EXPECT_EQ(Query("FilelistPath"), (Stored{REG_SZ, Bytes("C:\\users\\me\\Documents\\Velunda.dat")}));
    EXPECT_EQ(Query("Startup"), (Stored{REG_DWORD, Dword("\x01\0\0\0")}));
    EXPECT_EQ(Query("TimeType"), (Stored{REG_SZ, Bytes("days")}));
    EXPECT_EQ(Query("NumDays"), (Stored{REG_DWORD, Dword("\x00\x7d\0\0")}));
    EXPECT_EQ(Query("NumStartup"), (Stored{REG_DWORD, Dword("\x03\0\0\0")}));
    EXPECT_EQ(Query("LastDays"), (Stored{REG_DWORD, Dword("\xe0\x5f\x55\x6a")}));
    EXPECT_EQ(Query("LastStartup"), (Stored{REG_DWORD, Dword("\xf9\xff\xff\xff")}));
    EXPECT_EQ(ValueCount(), 7u);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(SettingsStore, LoadReadsEveryValue) {
    SeedAll();
    ASSERT_TRUE(app.LoadSettings());
    EXPECT_EQ(app.FilelistPath, "C:\\Listes\\\xE9t\xE9.dat");
    EXPECT_TRUE(app.Startup);
    EXPECT_EQ(app.TimeType, "startup");
    EXPECT_EQ(app.NumDays, 32000);
    EXPECT_EQ(app.NumStartup, 3);
    EXPECT_EQ(app.LastDays, 1783980000);
    EXPECT_EQ(app.LastStartup, -7);
}

TEST_F(SettingsStore, MissingChangeMarkersAreTodaysMidnightAndZero) {
    SeedAll();
    Remove("LastDays");
    Remove("LastStartup");
    app.LastStartup = 9;
    ASSERT_TRUE(app.LoadSettings());
    ExpectMidnightOfNow(app.LastDays);
    EXPECT_EQ(app.LastStartup, 0);
}

TEST_F(SettingsStore, AnyRequiredValueMissingFailsTheLoad) {
    for (const char* name : {"FilelistPath", "Startup", "TimeType", "NumDays", "NumStartup"}) {
        SeedAll();
        Remove(name);
        CWallpaperApp fresh;
        EXPECT_FALSE(fresh.LoadSettings()) << name;
    }
}

TEST_F(SettingsStore, StartupTwoIsReadAsOneAndWrittenBackAsOne) {
    SeedAll();
    Seed("Startup", REG_DWORD, Dword("\x02\0\0\0"));
    ASSERT_TRUE(app.LoadSettings());
    EXPECT_TRUE(app.Startup);
    ASSERT_TRUE(app.SaveSettings());
    EXPECT_EQ(Query("Startup"), (Stored{REG_DWORD, Dword("\x01\0\0\0")}));
}

TEST_F(SettingsStore, StringsUpTo260And29CharactersAreRead) {
    SeedAll();
    Seed("FilelistPath", REG_SZ, Bytes(std::string(260, 'p').c_str()));
    Seed("TimeType", REG_SZ, Bytes(std::string(29, 't').c_str()));
    ASSERT_TRUE(app.LoadSettings());
    EXPECT_EQ(app.FilelistPath, std::string(260, 'p'));
    EXPECT_EQ(app.TimeType, std::string(29, 't'));

    Seed("FilelistPath", REG_SZ, Bytes(std::string(261, 'p').c_str()));
    EXPECT_FALSE(app.LoadSettings());
    SeedAll();
    Seed("TimeType", REG_SZ, Bytes(std::string(30, 't').c_str()));
    EXPECT_FALSE(app.LoadSettings());
}

TEST_F(SettingsStore, EmptyStringsAreOneZeroByte) {
    SeedAll();
    ASSERT_TRUE(app.LoadSettings());
    app.FilelistPath.clear();
    app.TimeType.clear();
    ASSERT_TRUE(app.SaveSettings());
    EXPECT_EQ(Query("FilelistPath"), (Stored{REG_SZ, std::string(1, '\0')}));
    EXPECT_EQ(Query("TimeType"), (Stored{REG_SZ, std::string(1, '\0')}));
    CWallpaperApp fresh;
    ASSERT_TRUE(fresh.LoadSettings());
    EXPECT_EQ(fresh.FilelistPath, "");
    EXPECT_EQ(fresh.TimeType, "");
}

std::vector<std::string> g_writes;
LSTATUS FailOnTimeType(HKEY key, const char* name, DWORD type, const BYTE* data, DWORD size) {
    g_writes.push_back(name);
    if (std::string(name) == "TimeType") return ERROR_ACCESS_DENIED;
    return RegSetValueExA(key, name, 0, type, data, size);
}

TEST_F(SettingsStore, FailedWriteStopsAndKeepsWhatWasWrittenAndTheShortcut) {
    // A shortcut that UpdateLogonShortcut would remove (Startup is off).
    const std::string link = LinkPath();
    std::ofstream(link, std::ios::binary) << "sentinel";

    g_writes.clear();
    settings::SetValueWriter(FailOnTimeType);
    app.FilelistPath = "C:\\a.dat";
    app.Startup = false;
    app.TimeType = "days";
    EXPECT_FALSE(app.SaveSettings());

    EXPECT_EQ(g_writes, (std::vector<std::string>{"FilelistPath", "Startup", "TimeType"}));
    EXPECT_EQ(Query("FilelistPath"), (Stored{REG_SZ, Bytes("C:\\a.dat")}));
    EXPECT_EQ(Query("Startup"), (Stored{REG_DWORD, Dword("\0\0\0\0")}));
    EXPECT_EQ(ValueCount(), 2u);
    EXPECT_NE(GetFileAttributesA(link.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(boxes.empty());

    // The same save without the failure removes it.
    settings::SetValueWriter(nullptr);
    EXPECT_TRUE(app.SaveSettings());
    EXPECT_EQ(GetFileAttributesA(link.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(SettingsStore, LevelThatCannotBeCreatedWritesNothing) {
    // A non-volatile "1.0" cannot be created under a volatile "Velunda".
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Zarnovell Software\\Velunda", 0,
                              nullptr, REG_OPTION_VOLATILE, KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
    app.TimeType = "days";
    EXPECT_FALSE(app.SaveSettings());
    app.SaveChangeMarker(true);
    app.SaveChangeMarker(false);
    EXPECT_FALSE(OpenKey(KEY_READ));
    EXPECT_TRUE(boxes.empty());
}

DWORD* NoBlock() { return nullptr; }

TEST_F(SettingsStore, OutOfMemoryShowsTheMessage) {
    settings::SetBlockAllocator(NoBlock);
    app.LastStartup = 4;
    EXPECT_FALSE(app.SaveSettings());
    HKEY key = nullptr;
    EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, kVendorKey, 0, KEY_READ, &key), ERROR_SUCCESS);

    // The change marker goes on without the block.
    app.SaveChangeMarker(true);
    EXPECT_EQ(Query("LastStartup"), (Stored{REG_DWORD, Dword("\x04\0\0\0")}));

    ASSERT_EQ(boxes.size(), 2u);
    for (const Box& box : boxes) {
        EXPECT_EQ(box.text, "Erreur d'allocation m\xE9moire");
        EXPECT_EQ(box.caption, "settings_store_tests");
        EXPECT_EQ(box.style, 16u);
    }
}

TEST_F(SettingsStore, ChangeMarkersWriteOneValue) {
    app.LastStartup = 2;
    app.SaveChangeMarker(true);
    EXPECT_EQ(Query("LastStartup"), (Stored{REG_DWORD, Dword("\x02\0\0\0")}));
    EXPECT_EQ(ValueCount(), 1u);

    app.LastDays = 5;
    app.SaveChangeMarker(false);
    EXPECT_EQ(app.LastDays, 5);
    const auto stored = Query("LastDays");
    ASSERT_TRUE(stored && stored->bytes.size() == 4);
    int32_t lastDays = 0;
    std::memcpy(&lastDays, stored->bytes.data(), 4);
    ExpectMidnightOfNow(lastDays);
    EXPECT_EQ(ValueCount(), 2u);
    // The same day again stores the same midnight.
    app.SaveChangeMarker(false);
    EXPECT_EQ(Query("LastDays"), stored);
}

TEST_F(SettingsStore, ShortOrTypelessValues) {
    // A 4-byte value stored with 2 bytes is not read: required ones fail the
    // load, the change markers fall back to their defaults.
    SeedAll();
    Seed("NumDays", REG_DWORD, "\x05\0");
    EXPECT_FALSE(app.LoadSettings());
    SeedAll();
    Seed("LastDays", REG_DWORD, "\x05\0");
    Seed("LastStartup", REG_DWORD, "\x05\0");
    ASSERT_TRUE(app.LoadSettings());
    ExpectMidnightOfNow(app.LastDays);
    EXPECT_EQ(app.LastStartup, 0);

    // The stored type is not examined: binary data of the right size is read.
    SeedAll();
    Seed("NumStartup", REG_BINARY, Dword("\x09\0\0\0"));
    Seed("TimeType", REG_BINARY, "days");  // no terminator
    Seed("FilelistPath", REG_BINARY, std::string("C:\\x.dat\0junk", 13));
    ASSERT_TRUE(app.LoadSettings());
    EXPECT_EQ(app.NumStartup, 9);
    EXPECT_EQ(app.TimeType, "days");
    EXPECT_EQ(app.FilelistPath, "C:\\x.dat");

    // Without a terminator, a string that fills its whole buffer is too long.
    Seed("TimeType", REG_BINARY, std::string(29, 't'));
    ASSERT_TRUE(app.LoadSettings());
    EXPECT_EQ(app.TimeType, std::string(29, 't'));
    Seed("TimeType", REG_BINARY, std::string(30, 't'));
    EXPECT_FALSE(app.LoadSettings());
    SeedAll();
    Seed("FilelistPath", REG_BINARY, std::string(261, 'p'));
    EXPECT_FALSE(app.LoadSettings());
}

}  // namespace
