// Finding the font files: fontconfig's answer for "Arial" when it really is Liberation Sans,
// else the files where Debian's packages put them. A build without fontconfig (KORVA_NO_FONTCONFIG:
// the web page, whose files are embedded at those paths) takes the paths only.
#include "platform/gdi/text/font_files.h"

#ifndef KORVA_NO_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

#include <sys/stat.h>

namespace text {

namespace {

const char kSansFamily[] = "Liberation Sans";

std::string missing_font_error(const std::string &what, const std::string &package) {
    return "font " + what + " is missing or unusable; install the Debian package " + package +
           " (apt-get install " + package + ")";
}

#ifndef KORVA_NO_FONTCONFIG
// fontconfig's configuration, loaded on first use and released when the process ends.
struct LoadedConfig {
    FcConfig *config = FcInitLoadConfigAndFonts();
    LoadedConfig() = default;
    LoadedConfig(const LoadedConfig &) = delete;
    LoadedConfig &operator=(const LoadedConfig &) = delete;
    ~LoadedConfig() {
        if (config) FcConfigDestroy(config);
    }
};

// Asks fontconfig which file it would use for `family`. fontconfig always answers with some
// face, so the caller checks what it got. Its configuration is loaded once, for both weights:
// loading it takes milliseconds of the program's start-up.
bool fontconfig_match(const std::string &family, bool bold, std::string &file,
                      std::string &matched_family, bool &matched_bold) {
    static const LoadedConfig loaded;
    FcConfig *const config = loaded.config;
    if (!config) return false;
    FcPattern *pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8 *>(family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, FC_SLANT_ROMAN);
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern *match = FcFontMatch(config, pattern, &result);
    bool found = false;
    if (match) {
        FcChar8 *path = nullptr, *name = nullptr;
        int weight = 0, slant = 0;
        if (FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch &&
            FcPatternGetString(match, FC_FAMILY, 0, &name) == FcResultMatch &&
            FcPatternGetInteger(match, FC_WEIGHT, 0, &weight) == FcResultMatch &&
            FcPatternGetInteger(match, FC_SLANT, 0, &slant) == FcResultMatch &&
            slant == FC_SLANT_ROMAN) {
            file = reinterpret_cast<const char *>(path);
            matched_family = reinterpret_cast<const char *>(name);
            matched_bold = weight >= FC_WEIGHT_DEMIBOLD;
            found = true;
        }
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    return found;
}
#endif

bool file_exists(const std::string &path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// The Liberation Sans file of one weight: fontconfig's file for "Arial" if that is Liberation
// Sans of this weight (another Arial-metric face may be installed and preferred), else the
// first of the known paths that exists.
bool find_sans(const FontLookup &lookup, bool bold, const std::vector<std::string> &paths,
               std::string &file) {
    std::string matched, family;
    bool matched_bold = false;
    if (lookup.match && lookup.match("Arial", bold, matched, family, matched_bold) &&
        family == kSansFamily && matched_bold == bold && lookup.exists(matched)) {
        file = matched;
        return true;
    }
    for (const std::string &path : paths) {
        if (lookup.exists(path)) {
            file = path;
            return true;
        }
    }
    return false;
}

} // namespace

FontLookup system_font_lookup() {
    FontLookup lookup;
#ifndef KORVA_NO_FONTCONFIG
    lookup.match = fontconfig_match;
#endif
    for (const char *dir :
         {"/usr/share/fonts/truetype/liberation/", "/usr/share/fonts/truetype/liberation2/"}) {
        lookup.sans_regular_paths.push_back(std::string(dir) + "LiberationSans-Regular.ttf");
        lookup.sans_bold_paths.push_back(std::string(dir) + "LiberationSans-Bold.ttf");
    }
    lookup.fixed_paths.push_back("/usr/share/fonts/X11/misc/8x13-ISO8859-1.pcf.gz");
    lookup.exists = file_exists;
    return lookup;
}

std::string sans_font_error(bool bold) {
    return missing_font_error(bold ? "Liberation Sans Bold (LiberationSans-Bold.ttf)"
                                   : "Liberation Sans (LiberationSans-Regular.ttf)",
                              "fonts-liberation");
}

std::string fixed_font_error() {
    return missing_font_error("misc-fixed 8x13 (8x13-ISO8859-1.pcf.gz)", "xfonts-base");
}

bool find_font_files(const FontLookup &lookup, FontFiles &files, std::string &error) {
    if (!find_sans(lookup, false, lookup.sans_regular_paths, files.sans_regular)) {
        error = sans_font_error(false);
        return false;
    }
    if (!find_sans(lookup, true, lookup.sans_bold_paths, files.sans_bold)) {
        error = sans_font_error(true);
        return false;
    }
    files.fixed.clear();
    for (const std::string &path : lookup.fixed_paths) {
        if (lookup.exists(path)) {
            files.fixed = path;
            break;
        }
    }
    if (files.fixed.empty()) {
        error = fixed_font_error();
        return false;
    }
    return true;
}

} // namespace text
