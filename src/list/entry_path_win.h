#pragma once

#include <optional>
#include <string>
#include <string_view>

// A list entry keeps its path as bytes in the ANSI code page, as the list file
// stores it; Windows is given wide text. These two convert between them, with
// one policy: no best-fit stand-in and nothing replaced silently, so that a
// path converted either way names the same file or is refused.

// The entry's bytes as wide text; nothing when they are not valid in the code page.
std::optional<std::wstring> EntryPathToWide(std::string_view bytes);

// The wide path as an entry's bytes; nothing when the code page cannot hold
// every character exactly.
std::optional<std::string> EntryPathFromWide(std::wstring_view wide);
