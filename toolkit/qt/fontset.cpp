#include "toolkit/qt/fontset.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace toolkit {

namespace {

// Where the distributions put each face's file. The first one found wins.
struct Face {
    std::vector<const char*> files;
};

const Face kFaces[] = {
    {{"/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf", "/usr/share/fonts/ipa-gothic/ipag.ttf",
      "/usr/share/fonts/TTF/ipag.ttf"}},
    {{"/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf", "/usr/share/fonts/ipa-pgothic/ipagp.ttf",
      "/usr/share/fonts/TTF/ipagp.ttf"}},
    {{"/usr/share/fonts/truetype/liberation/LiberationSerif-Regular.ttf",
      "/usr/share/fonts/liberation-serif/LiberationSerif-Regular.ttf",
      "/usr/share/fonts/liberation/LiberationSerif-Regular.ttf",
      "/usr/share/fonts/TTF/LiberationSerif-Regular.ttf"}},
};

// The folder of the first file of the face that exists, or "".
std::string folderOf(const Face& face)
{
    std::error_code error;
    for (const char* file : face.files)
        if (std::filesystem::is_regular_file(file, error))
            return std::filesystem::path(file).parent_path().string();
    return {};
}

// XML text as fontconfig reads it inside an element.
std::string escaped(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '&')
            out += "&amp;";
        else if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else
            out += c;
    }
    return out;
}

// The system's rules that say how any face is drawn, by their names in
// fontconfig's conf.d: hinting, antialiasing, sub-pixel order and LCD
// filter (10-, 11-), the user's own files (50-user, 51-local), bitmap faces
// (70-no-, 70-yes-, 70-force-bitmaps) and synthetic bold and italic
// (90-synthetic). The others name families: aliases, generic families and
// tweaks for fonts the program never shows (its own faces' names Qt
// substitutes itself). Applied to every font request, they cost a fifth of
// the start-up, and the windows are drawn the same without them.
bool drawsAnyFace(const std::string& name)
{
    const bool conf = name.size() > 5 && name.compare(name.size() - 5, 5, ".conf") == 0;
    for (const char* prefix : {"10-", "11-", "50-user", "51-local", "70-no-bitmaps", "70-yes-bitmaps",
                               "70-force-bitmaps", "90-synthetic"})
        if (name.rfind(prefix, 0) == 0)
            return conf;
    return false;
}

// Those rules of the system's conf.d, in the order fontconfig reads them.
// The main file's name is asked of the new, empty configuration: asked of
// none, fontconfig would first load the system's whole configuration and
// every font cache, only for the program to set them aside.
std::vector<std::string> drawingRules(FcConfig* config)
{
    std::vector<std::string> rules;
    FcChar8* main = FcConfigGetFilename(config, nullptr);
    if (!main)
        return rules;
    const auto folder = std::filesystem::path(reinterpret_cast<const char*>(main)).parent_path() / "conf.d";
    FcStrFree(main);
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error))
        if (drawsAnyFace(entry.path().filename().string()))
            rules.push_back(entry.path().string());
    std::sort(rules.begin(), rules.end());
    return rules;
}

} // namespace

void lookOnlyAtTheProgramsFaces()
{
    if (std::getenv("FONTCONFIG_FILE") || std::getenv("FONTCONFIG_PATH"))
        return;
    std::vector<std::string> folders;
    for (const Face& face : kFaces) {
        const std::string folder = folderOf(face);
        if (folder.empty())
            return;
        if (std::find(folders.begin(), folders.end(), folder) == folders.end())
            folders.push_back(folder);
    }
    // The rules are the system's that say how faces are drawn (the user's
    // own file among them); the system's caches are used as they are, so
    // nothing is scanned.
    FcConfig* config = FcConfigCreate();
    if (!config)
        return;
    std::string text = "<?xml version=\"1.0\"?>\n<fontconfig>\n";
    for (const std::string& folder : folders)
        text += "  <dir>" + escaped(folder) + "</dir>\n";
    for (const std::string& rules : drawingRules(config))
        text += "  <include ignore_missing=\"yes\">" + escaped(rules) + "</include>\n";
    text += "  <cachedir>/var/cache/fontconfig</cachedir>\n"
            "  <cachedir prefix=\"xdg\">fontconfig</cachedir>\n"
            "</fontconfig>\n";
    if (FcConfigParseAndLoadFromMemory(config, reinterpret_cast<const FcChar8*>(text.c_str()), FcTrue)
        && FcConfigBuildFonts(config))
        FcConfigSetCurrent(config);
    FcConfigDestroy(config);
}

} // namespace toolkit
