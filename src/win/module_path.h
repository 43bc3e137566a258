#pragma once

#include <string>

namespace win {

// The running program's full path, however long; empty when the system gives none.
std::wstring ModulePath();

}  // namespace win
