// Font start-up and the faces in use: the font files, read once and checked, and one realized
// face per file and size, kept for the life of the process (a program uses a handful).
#include "platform/gdi/objects.h"
#include "platform/gdi/text/face.h"
#include "platform/gdi/text/font_files.h"
#include "platform/gdi/text/text.h"

#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>

namespace text {

namespace {

// Larger requests are drawn at this character height: a glyph's image grows with the square of
// the size, and nothing legible needs more.
const int kMaxEm = 1024;

// What GDI draws for a height of 0: a 16-pixel cell.
const int kDefaultCellHeight = 16;

const int kMenuEm = 12;

// A font file read into memory; faces are opened from these bytes, so a file that changes or
// goes away after start-up changes nothing.
struct FontFile {
    std::vector<FT_Byte> bytes;
    long units_per_em = 0, win_ascent = 0, win_descent = 0;
};

struct State {
    FontLookup lookup = system_font_lookup();
    bool ready = false;
    FT_Library library = nullptr;
    FontFile sans[2]; // regular, bold
    FontFile fixed_file;
    std::unique_ptr<Face> fixed;
    std::map<std::pair<bool, int>, std::unique_ptr<Face>> sans_faces; // by (bold, em)

    ~State() {
        sans_faces.clear();
        fixed.reset();
        if (library) FT_Done_FreeType(library);
    }
};

State &state() {
    static State s;
    return s;
}

// In one read: the files are read at start-up, where every millisecond shows.
bool read_file(const std::string &path, std::vector<FT_Byte> &bytes) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) return false;
    std::streamoff size = in.tellg();
    if (size <= 0) return false;
    bytes.resize(size_t(size));
    in.seekg(0);
    in.read(reinterpret_cast<char *>(bytes.data()), size);
    return bool(in);
}

FT_Face open_face(FT_Library library, const std::vector<FT_Byte> &bytes) {
    FT_Face ft = nullptr;
    if (FT_New_Memory_Face(library, bytes.data(), FT_Long(bytes.size()), 0, &ft) != 0)
        return nullptr;
    if (FT_Select_Charmap(ft, FT_ENCODING_UNICODE) != 0) {
        FT_Done_Face(ft);
        return nullptr;
    }
    return ft;
}

// Reads a Liberation Sans file and checks that it is that face, of the expected weight, with the
// tables GDI's metrics come from.
bool load_sans(FT_Library library, const std::string &path, bool bold, FontFile &file) {
    if (!read_file(path, file.bytes)) return false;
    FT_Face ft = open_face(library, file.bytes);
    if (!ft) return false;
    const TT_OS2 *os2 = static_cast<const TT_OS2 *>(FT_Get_Sfnt_Table(ft, FT_SFNT_OS2));
    bool usable = FT_IS_SCALABLE(ft) && ft->family_name &&
                  std::strcmp(ft->family_name, "Liberation Sans") == 0 &&
                  bool(ft->style_flags & FT_STYLE_FLAG_BOLD) == bold && os2 &&
                  os2->usWinAscent + os2->usWinDescent > 0 && ft->units_per_EM > 0 &&
                  FT_Get_Sfnt_Table(ft, FT_SFNT_HHEA);
    if (usable) {
        file.units_per_em = ft->units_per_EM;
        file.win_ascent = os2->usWinAscent;
        file.win_descent = os2->usWinDescent;
    }
    FT_Done_Face(ft);
    return usable;
}

// Reads the fixed bitmap font and checks that it draws 8x13 cells with the baseline 11 rows
// down, as the text window's line height depends on it.
std::unique_ptr<Face> load_fixed(FT_Library library, const std::string &path, FontFile &file) {
    if (!read_file(path, file.bytes)) return nullptr;
    FT_Face ft = open_face(library, file.bytes);
    if (!ft) return nullptr;
    std::unique_ptr<Face> face = bitmap_face(ft);
    if (!face) return nullptr;
    const Metrics &m = face->metrics;
    if (m.height != 13 || m.ascent != 11 || m.average_char_width != 8) return nullptr;
    return face;
}

State &ready_state() {
    State &s = state();
    if (!s.ready) {
        std::string error;
        if (!init(error)) {
            std::fprintf(stderr, "%s\n", error.c_str());
            std::abort();
        }
    }
    return s;
}

// The character height (em) in pixels for CreateFontA's height: negative is the character
// height itself; positive is the cell height, turned into a character height as GDI does
// (rounded like MulDiv); zero is the default cell.
int em_for_height(const FontFile &file, int height) {
    int64_t h = height == 0 ? kDefaultCellHeight : height;
    int64_t em;
    if (h < 0) {
        em = -h;
    } else {
        int64_t cell_units = file.win_ascent + file.win_descent;
        em = (h * file.units_per_em + cell_units / 2) / cell_units;
    }
    return int(std::clamp<int64_t>(em, 1, kMaxEm));
}

const Face &sans_face(State &s, bool bold, int em) {
    std::unique_ptr<Face> &slot = s.sans_faces[{bold, em}];
    if (!slot) {
        FT_Face ft = open_face(s.library, s.sans[bold].bytes);
        if (ft) slot = scalable_face(ft, em, bold ? FW_BOLD : FW_NORMAL);
        if (!slot) {
            // The file was checked at start-up, so only a lack of memory gets here.
            std::fprintf(stderr, "cannot realize Liberation Sans at %d pixels\n", em);
            std::abort();
        }
    }
    return *slot;
}

bool is_fixed_stock_font(int stock_index) {
    return stock_index == OEM_FIXED_FONT || stock_index == ANSI_FIXED_FONT ||
           stock_index == SYSTEM_FIXED_FONT;
}

} // namespace

bool init(std::string &error) {
    State &s = state();
    if (s.ready) return true;
    FontFiles files;
    if (!find_font_files(s.lookup, files, error)) return false;
    if (!s.library && FT_Init_FreeType(&s.library) != 0) {
        error = "FreeType could not be started";
        return false;
    }
    FontFile regular, bold, fixed_file;
    if (!load_sans(s.library, files.sans_regular, false, regular)) {
        error = sans_font_error(false) + " [" + files.sans_regular + " is not usable]";
        return false;
    }
    if (!load_sans(s.library, files.sans_bold, true, bold)) {
        error = sans_font_error(true) + " [" + files.sans_bold + " is not usable]";
        return false;
    }
    std::unique_ptr<Face> fixed = load_fixed(s.library, files.fixed, fixed_file);
    if (!fixed) {
        error = fixed_font_error() + " [" + files.fixed + " is not an 8x13 font]";
        return false;
    }
    // Moving a vector keeps its buffer, so the fixed face opened from it stays valid.
    s.sans[0] = std::move(regular);
    s.sans[1] = std::move(bold);
    s.fixed_file = std::move(fixed_file);
    s.fixed = std::move(fixed);
    s.ready = true;
    return true;
}

void set_font_lookup(const FontLookup &lookup) {
    state().lookup = lookup;
}

const Face &face_for(gdi::FontObject &font) {
    if (font.face) return *font.face;
    State &s = ready_state();
    if (is_fixed_stock_font(font.stock_index)) {
        font.face = s.fixed.get();
    } else {
        bool bold = font.weight >= 600;
        font.face = &sans_face(s, bold, em_for_height(s.sans[bold], font.height));
    }
    return *font.face;
}

const Face &menu_face() {
    return sans_face(ready_state(), false, kMenuEm);
}

const Metrics &metrics(const Face &face) {
    return face.metrics;
}

} // namespace text
