// The conformance check of the stand-in against Wine's GDI. The same program is built natively
// and for Windows; each build renders the same corpus, and the native one compares the dumps.
//   conformance render DIR                   render the corpus into DIR's pixel dumps
//   conformance compare WINE_DIR NATIVE_DIR shapes|text
//                                            compare two builds' dumps and report
//   conformance record-script DIR            record the fixed events into DIR/KORVA.SCR
//   conformance play-script DIR crlf|lf      play DIR/KORVA.SCR back and check the events
// Directories are best given relative to the working directory: under Wine an absolute Unix
// path is not a Windows path.
#include "gfx/observe.h"
#include "tools/conformance/canvas.h"
#include "tools/conformance/render_corpus.h"
#include "tools/conformance/script_check.h"

#include <cstdio>
#include <cstring>
#include <filesystem>

static int usage() {
    fprintf(stderr, "usage: conformance render DIR\n"
                    "       conformance compare WINE_DIR NATIVE_DIR shapes|text\n"
                    "       conformance record-script DIR\n"
                    "       conformance play-script DIR crlf|lf\n");
    return 2;
}

static int render(const std::string &directory) {
    std::string error;
    std::error_code failure;
    std::filesystem::create_directories(directory, failure);
    if (failure) error = "cannot create " + directory + ": " + failure.message();
    if (error.empty() && open_canvas(error)) {
        bool rendered = render_corpus(build_corpus(), directory, error);
        close_canvas();
        if (rendered) return 0;
    }
    fprintf(stderr, "conformance: %s\n", error.c_str());
    return 1;
}

static int compare(const std::string &wine_directory, const std::string &native_directory,
                   const std::string &part) {
    // The corpus names the records; the comparison renders nothing.
    origin_x = CANVAS_ORIGIN_X;
    origin_y = CANVAS_ORIGIN_Y;
    Corpus corpus = build_corpus();
    std::string error;
    bool agree = part == "text" ? compare_texts(corpus, wine_directory, native_directory, error)
                                : compare_shapes(corpus, wine_directory, native_directory, error);
    if (!error.empty()) fprintf(stderr, "conformance: %s\n", error.c_str());
    return agree && error.empty() ? 0 : 1;
}

// A log observer: each line to the stream.
static void print_line(const char *line, void *stream) {
    fputs(line, static_cast<FILE *>(stream));
}

int main(int argc, char **argv) {
    // The package's messages (script problems, the end of a script) go to the output.
    observe_log(print_line, stdout);
    if (argc == 3 && strcmp(argv[1], "render") == 0) return render(argv[2]);
    if (argc == 5 && strcmp(argv[1], "compare") == 0 &&
        (strcmp(argv[4], "shapes") == 0 || strcmp(argv[4], "text") == 0))
        return compare(argv[2], argv[3], argv[4]);
    std::string error;
    bool done = false;
    if (argc == 3 && strcmp(argv[1], "record-script") == 0)
        done = record_script(argv[2], error);
    else if (argc == 4 && strcmp(argv[1], "play-script") == 0)
        done = play_script(argv[2], argv[3], error);
    else
        return usage();
    if (!done) fprintf(stderr, "conformance: %s\n", error.c_str());
    return done ? 0 : 1;
}
