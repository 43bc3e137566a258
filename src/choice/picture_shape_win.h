#pragma once

#include <optional>
#include <string>

#include "choice/monitor_choice.h"

// A picture's shape by the pixel size of its first frame, read through the
// system's imaging component (COM must be initialised); for a JPEG, an EXIF
// orientation of 5 to 8 (turned a quarter) swaps width and height. Nothing
// when the file cannot be decoded.
std::optional<Orientation> PictureShape(const std::wstring& path);
