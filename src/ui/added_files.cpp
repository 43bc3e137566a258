#include "ui/added_files.h"

#include "choice/weighted_choice.h"

namespace {

template <class Char>
std::basic_string_view<Char> Extension(std::basic_string_view<Char> path) {
    const Char separators[] = {Char('\\'), Char('/'), Char(':'), Char(0)};
    const auto name = path.find_last_of(separators);
    const auto dot = path.rfind(Char('.'));
    if (dot == path.npos || (name != path.npos && dot < name)) return {};
    return path.substr(dot + 1);
}

// "0 nom", "1 nom", "2 noms": French counts 0 and 1 in the singular.
std::wstring Count(int n, const wchar_t* one, const wchar_t* many) {
    return std::to_wstring(n) + L" " + (n > 1 ? many : one);
}

}  // namespace

bool IsPictureName(std::wstring_view path, int32_t formats) {
    std::string ext;
    for (const wchar_t c : Extension(path)) {
        // The kinds of picture have ASCII names: anything else is another kind.
        if (c < 0x20 || c > 0x7E) return false;
        ext += static_cast<char>(c);
    }
    return !ext.empty() && IsAppliedExtension(ext, formats);
}

std::string FileExtension(std::string_view path) { return std::string(Extension(path)); }

std::wstring AddedFilesMessage(const AddedFiles& files) {
    const int leftOut = files.tooLong + files.notAnsi + files.notApplied;
    if (leftOut == 0 && !files.stopped) return {};
    std::wstring text = Count(files.added, L"fond d'écran ajouté", L"fonds d'écran ajoutés");
    if (leftOut == 0) {
        text += L".";
    } else {
        text += L", " + Count(leftOut, L"laissé de côté :", L"laissés de côté :");
        if (files.tooLong > 0)
            text += L"\n- " + Count(files.tooLong, L"chemin trop long", L"chemins trop longs") +
                    L" (plus de 259 caractères)";
        if (files.notAnsi > 0)
            text += L"\n- " + Count(files.notAnsi, L"nom", L"noms") +
                    L" avec des caractères que la liste ne peut pas enregistrer";
        if (files.notApplied > 0)
            text += L"\n- " + Count(files.notApplied, L"image JPEG ou PNG", L"images JPEG ou PNG") +
                    L" (à activer dans Préférences > Affichage...)";
    }
    if (files.stopped) text += L"\n\nSeuls les 10 000 premiers fichiers déposés ont été lus.";
    return text;
}
