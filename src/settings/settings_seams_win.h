#pragma once

#include <windows.h>

// Test seams of the registry store; the program itself never sets them.
namespace settings {

// Gives the 4-byte block that receives a key's disposition, to be freed with
// delete, or null when the heap is exhausted. Null restores the default.
using BlockAllocator = DWORD* (*)();
void SetBlockAllocator(BlockAllocator allocate);

// Writes one value (RegSetValueExW without its reserved argument). Null
// restores the default.
using ValueWriter = LSTATUS (*)(HKEY key, const wchar_t* name, DWORD type, const BYTE* data,
                                DWORD size);
void SetValueWriter(ValueWriter write);

}  // namespace settings
