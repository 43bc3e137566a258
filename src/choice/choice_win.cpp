#include "choice/choice_win.h"

#include <windows.h>

#include "choice/crt_random.h"
#include "choice/weighted_choice.h"
#include "win/handles.h"

bool OpensForReading(const std::string& path) {
    // Sharing everything: a picture that a viewer or an editor holds open is
    // still readable, and must not drop out of the draw.
    const win::UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return static_cast<bool>(file);
}

RandomSource& ProgramGenerator() {
    static CrtRandom generator;
    return generator;
}

void ApplyWallpaper(const std::string& path, const std::string& ext) {
    if (!IsBmpExtension(ext)) return;
    // The call takes a writable buffer; it does not change it. Flags 1: the
    // profile is updated, no change notice is broadcast. The result is not
    // examined: a failure goes unnoticed, as the user sees it anyway.
    std::string buffer = path;
    SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, buffer.data(), SPIF_UPDATEINIFILE);
}
