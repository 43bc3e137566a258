#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

class CWallpaperApp;
class CWallpaperEntry;

// A fresh folder for this test program's files, ending in "\".
std::string TempDir();
void WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);
bool FileExists(const std::string& path);

// List file pieces, as the format lays them out.
std::string Int32(int32_t value);
std::string Str(const std::string& value);  // one-byte length prefix

// Whether LoadList and SaveList really read and write files yet.
bool SaveListWorks();
bool LoadListWorks();

// The main window's list box items (their item data), top to bottom.
std::vector<CWallpaperEntry*> Items(HWND mainDlg);
// The list's entries, head to tail.
std::vector<CWallpaperEntry*> Entries(CWallpaperApp& app);
