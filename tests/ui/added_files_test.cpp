#include "ui/added_files.h"

#include <gtest/gtest.h>

#include <tuple>

// The extension's own matching is in the draw's table; here, finding it in a wide path.
TEST(AddedFiles, PicturesByExtensionAndFormats) {
    const std::tuple<const wchar_t*, int32_t, bool> rows[] = {
        {L"C:\\A.BmP", 0, true},      {L"C:\\a.jpg", 0, false},    {L"C:\\a.JPEG", 1, true},
        {L"C:\\a.bmp.txt", 1, false}, {L"C:\\d.bmp\\a", 1, false}, {L"C:\\a", 1, false},
        {L"C:\\é.bmp", 0, true},      {L"C:\\a.bmé", 1, false},    {L"C:\\a.bmp\u0100", 1, false}};
    for (const auto& [path, formats, picture] : rows)
        EXPECT_EQ(IsPictureName(path, formats), picture) << formats;
    EXPECT_EQ(FileExtension("C:\\d.x\\a.Bmp"), "Bmp");
    EXPECT_EQ(FileExtension("C:\\d.x\\a"), "");
}

TEST(AddedFiles, OneMessageSaysWhatWasLeftOutAndWhy) {
    const std::pair<AddedFiles, const wchar_t*> rows[] = {
        {{5, 0, 0, false}, L""},
        {{2, 0, 0, true},
         L"2 fonds d'écran ajoutés.\n\nSeuls les 10 000 premiers fichiers déposés ont été lus."},
        {{1, 1, 0, false},
         L"1 fond d'écran ajouté, 1 laissé de côté :\n- 1 chemin trop long (plus de 259 "
         L"caractères)"},
        {{0, 2, 1, false},
         L"0 fond d'écran ajouté, 3 laissés de côté :\n- 2 chemins trop longs (plus de 259 "
         L"caractères)\n- 1 nom avec des caractères que la liste ne peut pas enregistrer"}};
    for (const auto& [files, text] : rows) EXPECT_EQ(AddedFilesMessage(files), text);
}
