#pragma once

#include <optional>
#include <string>

// A shell link's properties as the shell reads them back, on one line:
// target|arguments|description|icon,index. Nothing when the file is not a readable shell link.
std::optional<std::wstring> ReadShellLink(const std::wstring& file);
