#pragma once

#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <string>
#include <vector>

// Files that the shell hands to the main window, and the paths that a list
// file can hold.

// The full paths of the files and folders dropped. The drop is finished.
std::vector<std::wstring> TakeDroppedPaths(HDROP drop);

// Calls `visit` for each file among `paths` and for each file in the folders
// among them, subfolders included (links to other folders are not followed),
// at most `limit` files in all. False when the limit stopped the walk.
bool ForEachFile(const std::vector<std::wstring>& paths, int limit,
                 const std::function<void(const std::wstring&)>& visit);

enum class ListPath { Ok, TooLong, NotAnsi };

// The path in the ANSI code page, as a list file stores it. A path with a
// character that the code page lacks is stored by its short (8.3) alias when
// the file system gives one that the code page holds; refused when there is
// none (a best-fit stand-in would name another file), or when the path needs
// more than kListPathBytes.
ListPath ToListPath(const std::wstring& path, std::string& ansi);

// Opens the file's folder in Explorer with the file selected; the folder
// alone when the file is gone.
void ShowInFolder(const std::wstring& path);
