// The package as a user gets it: installed into a temporary prefix, the examples copied to a
// clean directory and built against it with find_package and with pkg-config, then run headless
// with action files. Their logs must read as expected and their shots must equal those kept in
// the source tree, or those of the same examples built in the source tree. The README shows
// some of these examples: it must show them as they are.
#include "gfx/state.h"
#include "platform/png_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

const char BALL_LOG[] = "bounce at (282,15)\n";
const char PAD_LOG[] = "point (-197,140)\npoint (3,90)\npoint (53,-60)\npoint (203,-160)\n"
                       "point (153,140)\nnew page\npoint (-197,140)\npoint (3,90)\n"
                       "point (53,-60)\npoint (203,-160)\npoint (153,140)\n"
                       "EOF encountered in script file KORVA.SCR\n";
const uint32_t ORANGE_PIXEL = 0xFF6600, ICE_BLUE_PIXEL = 0x99FFFF, RED_PIXEL = 0xFF0000;

// An example program: NAME and NAME-headless, built by the project in examples/PROJECT.
struct Program {
    std::string name;
    std::string project;
    std::string actions; // its action file, under the source tree
    std::string log;     // the log its actions give; empty: checked on its own
    std::vector<std::string> shots;
    std::string kept; // the folder, under the source tree, of the shots to compare with; empty:
                      // compared with the run of the example built in the source tree
    std::vector<std::string> gifs = {}; // animated GIFs, compared with those of the source tree
};

const std::vector<Program> PROGRAMS = {
    {"ball", "ball", "tests/install/ball.actions", BALL_LOG, {"ball.png"}, "", {"ball.gif"}},
    {"pad", "pad", "tests/install/pad.actions", PAD_LOG, {"drawn.png", "replayed.png"}, ""},
    {"hello",
     "readme",
     "tests/install/hello.actions",
     "sun at (103,140)\n",
     {"sun.png"},
     "tests/install/expected"},
    {"clock",
     "readme",
     "tests/install/clock.actions",
     "stopped at 1.0 s\nstarted at 1.0 s\n",
     {"clock-stopped.png", "clock-restarted.png"},
     "tests/install/expected"},
    {"palette", "readme", "docs/palette.actions", "", {"palette.png"}, "docs"},
};

std::string read_file(const std::string &path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// A path for the shell, whatever characters it holds.
std::string quote(const std::string &path) {
    std::string quoted = "'";
    for (char c : path) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// Runs a shell command; returns its exit status, or -1 if it did not exit.
int shell(const std::string &command) {
    int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

struct Image {
    std::vector<uint32_t> pixels;
    int width = 0, height = 0;
    // A canvas point: the shot holds the client area at its bottom, 481 rows with the origin at
    // (297, 240), below whatever the window draws above it (its menu bar).
    uint32_t at(int x, int y) const {
        int row = height - 481 + 240 - y, column = 297 + x;
        if (row < 0 || row >= height || column < 0 || column >= width) return 0;
        return pixels[size_t(row) * size_t(width) + size_t(column)];
    }
    size_t count(uint32_t color) const {
        size_t found = 0;
        for (uint32_t pixel : pixels) found += pixel == color;
        return found;
    }
};

Image read_image(const std::string &path) {
    Image image;
    std::string error;
    EXPECT_TRUE(platform::read_png(path, image.pixels, image.width, image.height, error)) << error;
    return image;
}

void expect_same_image(const std::string &path, const std::string &reference) {
    Image got = read_image(path), want = read_image(reference);
    ASSERT_EQ(got.width, want.width) << path;
    ASSERT_EQ(got.height, want.height) << path;
    size_t differing = 0;
    for (size_t i = 0; i < got.pixels.size(); i++) differing += got.pixels[i] != want.pixels[i];
    EXPECT_EQ(differing, 0u) << path << " differs from " << reference;
}

class Install : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        char pattern[] = "/tmp/korva-install-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        root = pattern;
        prefix = root + "/prefix";
        install_status = shell(quote(CMAKE_COMMAND) + " --install " + quote(BUILD_DIR) +
                               " --prefix " + prefix + " > " + root + "/install.log 2>&1");
        // The examples built in the source tree give the reference runs.
        for (const Program &program : PROGRAMS)
            reference_status[program.name] =
                run_example(quote(std::string(PROGRAMS_DIR) + "/" + program.name + "-headless"),
                            program, root + "/reference-" + program.name);
    }
    static void TearDownTestSuite() { fs::remove_all(root); }

    void SetUp() override { ASSERT_EQ(install_status, 0) << read_file(root + "/install.log"); }

    // Copies an example's folder to a clean place, where a user would start from it.
    static std::string copy_example(const std::string &project, const std::string &directory) {
        fs::create_directories(directory);
        fs::copy(std::string(SOURCE_DIR) + "/examples/" + project, directory + "/src");
        return directory + "/src";
    }

    // Runs a headless program with the example's actions in a directory of its own.
    static int run_example(const std::string &executable, const Program &program,
                           const std::string &directory) {
        fs::create_directories(directory);
        return shell("cd " + directory + " && " + executable + " --log log.txt " +
                     quote(std::string(SOURCE_DIR) + "/" + program.actions) + " 2> errors.txt");
    }

    // The program on real windows starts at the real display's entry, which without a display
    // says so and ends with status 1.
    static void expect_real_display_entry(const std::string &program) {
        std::string errors = program + ".errors";
        EXPECT_EQ(
            shell("env -u DISPLAY -u WAYLAND_DISPLAY timeout 10 " + program + " 2> " + errors), 1);
        EXPECT_NE(read_file(errors).find("cannot open a display"), std::string::npos)
            << read_file(errors);
    }

    // The run's log and shots must equal the expected log and the kept shots, or the reference
    // run's (the example run in the source tree).
    static void expect_like_reference(const Program &program, const std::string &directory) {
        std::string log = read_file(directory + "/log.txt");
        if (program.log.empty())
            EXPECT_EQ(log, read_file(root + "/reference-" + program.name + "/log.txt"));
        else
            EXPECT_EQ(log, program.log);
        std::string reference = program.kept.empty() ? root + "/reference-" + program.name
                                                     : std::string(SOURCE_DIR) + "/" + program.kept;
        for (const std::string &shot : program.shots)
            expect_same_image(directory + "/" + shot, reference + "/" + shot);
        for (const std::string &gif : program.gifs) {
            std::string written = read_file(directory + "/" + gif);
            EXPECT_GT(written.size(), 1000u) << gif;
            EXPECT_EQ(written, read_file(root + "/reference-" + program.name + "/" + gif)) << gif;
        }
    }

    static std::string root, prefix;
    static int install_status;
    static std::map<std::string, int> reference_status;
};

std::string Install::root, Install::prefix;
int Install::install_status = -1;
std::map<std::string, int> Install::reference_status;

TEST_F(Install, PutsTheHeaderLibrariesAndPackageFilesUnderThePrefix) {
    std::string lib = prefix + "/" + INSTALL_LIBDIR;
    std::vector<std::string> text_files = {
        prefix + "/include/korva/gfx.h",         prefix + "/include/korva/platform/win_entry.h",
        lib + "/cmake/korva/korvaConfig.cmake",  lib + "/cmake/korva/korvaConfigVersion.cmake",
        lib + "/cmake/korva/korvaTargets.cmake", lib + "/pkgconfig/korva.pc",
        lib + "/pkgconfig/korva-headless.pc"};
    for (const std::string &file : text_files) {
        ASSERT_TRUE(fs::exists(file)) << file;
        // Nothing installed may lead back to the source or build tree.
        std::string text = read_file(file);
        EXPECT_EQ(text.find(SOURCE_DIR), std::string::npos) << file;
        EXPECT_EQ(text.find(BUILD_DIR), std::string::npos) << file;
    }
    // Of the stand-in, only WinMain's argument types go with the header.
    EXPECT_FALSE(fs::exists(prefix + "/include/korva/platform/win.h"));
    for (const char *library : {"korva_gfx", "korva_platform", "korva_entry", "korva_headless"})
        EXPECT_TRUE(fs::exists(lib + "/lib" + library + ".a")) << library;
    // The pkg-config files name the prefix chosen when installing.
    std::string flags = root + "/flags.txt";
    ASSERT_EQ(shell("PKG_CONFIG_PATH=" + lib + "/pkgconfig " + quote(PKG_CONFIG) +
                    " --cflags --libs korva > " + flags),
              0);
    EXPECT_NE(read_file(flags).find("-I" + prefix + "/include "), std::string::npos);
    EXPECT_NE(read_file(flags).find("-L" + lib + " "), std::string::npos);
}

TEST_F(Install, ExamplesInTheSourceTreeDrawWhatTheirActionsAskFor) {
    for (const Program &program : PROGRAMS)
        ASSERT_EQ(reference_status[program.name], 0)
            << program.name << ": "
            << read_file(root + "/reference-" + program.name + "/errors.txt");
    std::string ball = root + "/reference-ball", pad = root + "/reference-pad";
    EXPECT_EQ(read_file(ball + "/log.txt"), BALL_LOG);
    EXPECT_EQ(read_file(pad + "/log.txt"), PAD_LOG);

    // The ball stopped at (268, 25) after its bounce.
    Image shot = read_image(ball + "/ball.png");
    EXPECT_EQ(shot.at(268, 25), ORANGE_PIXEL);
    EXPECT_EQ(shot.at(228, 25), ICE_BLUE_PIXEL);

    // The red stroke runs from (3, 90) to (53, -60); the new page has none; the playback draws
    // the page again as it was.
    Image drawn = read_image(pad + "/drawn.png");
    EXPECT_EQ(drawn.at(28, 15), RED_PIXEL);
    EXPECT_EQ(read_image(pad + "/cleared.png").count(RED_PIXEL), 0u);
    expect_same_image(pad + "/replayed.png", pad + "/drawn.png");

    // The README's programs and its picture of the palette draw what was kept.
    for (const Program &program : PROGRAMS)
        if (!program.kept.empty())
            expect_like_reference(program, root + "/reference-" + program.name);
}

// The enumerator of a colour from its name in log lines: "forest green" is FOREST_GREEN,
// "50% gray" GRAY_50.
std::string enumerator_of(std::string name) {
    size_t percent = name.find("% gray");
    if (percent != std::string::npos) return "GRAY_" + name.substr(0, percent);
    for (char &c : name) c = c == ' ' ? '_' : char(std::toupper(static_cast<unsigned char>(c)));
    return name;
}

// The palette's picture lists each colour with its index, name and values, and draws its swatch
// in it: all must be the package's own.
TEST_F(Install, ThePalettePictureTellsEachColoursNameAndValues) {
    std::string run = root + "/reference-palette";
    Image shot = read_image(run + "/palette.png");
    std::istringstream lines(read_file(run + "/log.txt"));
    int index = 0, red = 0, green = 0, blue = 0, listed = 0;
    std::string name;
    while (lines >> index >> name >> red >> green >> blue) {
        ASSERT_EQ(index, listed);
        ASSERT_LT(index, NUM_COLORS);
        EXPECT_EQ(name, enumerator_of(palette_names[index]));
        EXPECT_EQ(palette[index], RGB(red, green, blue)) << name;
        // The swatch's inside, within its black outline, is 42 x 42 pixels.
        uint32_t pixel = uint32_t(red) << 16 | uint32_t(green) << 8 | uint32_t(blue);
        EXPECT_GE(shot.count(pixel), 42u * 42u) << name;
        listed++;
    }
    EXPECT_EQ(listed, NUM_COLORS);
}

// The README shows its programs and the first one's action file as the examples hold them, so
// that what it shows is what these tests build and run.
TEST(Readme, ShowsItsProgramsAsTheExamplesHoldThem) {
    std::string readme = read_file(std::string(SOURCE_DIR) + "/README.md");
    for (const char *name : {"hello", "clock"}) {
        std::string source =
            read_file(std::string(SOURCE_DIR) + "/examples/readme/" + name + ".cpp");
        ASSERT_FALSE(source.empty()) << name;
        EXPECT_NE(readme.find("```cpp\n" + source + "```\n"), std::string::npos) << name;
    }
    std::istringstream actions(read_file(std::string(SOURCE_DIR) + "/tests/install/hello.actions"));
    std::string block, line;
    while (std::getline(actions, line)) block += "    " + line + "\n";
    EXPECT_NE(readme.find(block), std::string::npos) << block;
}

TEST_F(Install, ExamplesBuildWithFindPackageAndRunHeadless) {
    for (std::string project : {"ball", "pad", "readme"}) {
        std::string directory = root + "/cmake-" + project;
        std::string source = copy_example(project, directory);
        std::string build = directory + "/build";
        ASSERT_EQ(shell(quote(CMAKE_COMMAND) + " -S " + source + " -B " + build +
                        " -DCMAKE_PREFIX_PATH=" + prefix +
                        " -DCMAKE_CXX_COMPILER=" + quote(CXX_COMPILER) +
                        " '-DCMAKE_CXX_FLAGS=-Wall -Wextra -Wpedantic -Werror'" + " > " +
                        directory + "/configure.log 2>&1"),
                  0)
            << read_file(directory + "/configure.log");
        EXPECT_NE(read_file(build + "/CMakeCache.txt")
                      .find("korva_DIR:PATH=" + prefix + "/" + INSTALL_LIBDIR + "/cmake/korva"),
                  std::string::npos);
        ASSERT_EQ(shell(quote(CMAKE_COMMAND) + " --build " + build + " -j2 > " + directory +
                        "/build.log 2>&1"),
                  0)
            << read_file(directory + "/build.log");
        for (const Program &program : PROGRAMS) {
            if (program.project != project) continue;
            expect_real_display_entry(build + "/" + program.name);
            std::string run = directory + "/run-" + program.name;
            ASSERT_EQ(run_example(build + "/" + program.name + "-headless", program, run), 0)
                << read_file(run + "/errors.txt");
            expect_like_reference(program, run);
        }
    }
}

// Compiles one source file against the installed package with pkg-config, as `cd DIRECTORY &&
// c++ SOURCE $(pkg-config --cflags --libs MODULE) -o OUTPUT` would; returns the status.
int compile_with_pkg_config(const std::string &directory, const std::string &source,
                            const std::string &module, const std::string &output,
                            const std::string &prefix) {
    return shell("cd " + directory + " && export PKG_CONFIG_PATH=" + prefix + "/" + INSTALL_LIBDIR +
                 "/pkgconfig && " + quote(CXX_COMPILER) + " -Wall -Wextra -Wpedantic -Werror " +
                 quote(source) + " $(" + quote(PKG_CONFIG) + " --cflags --libs " + module +
                 ") -o " + output + " > build.log 2>&1");
}

TEST_F(Install, ExamplesBuildWithPkgConfigAndRunHeadless) {
    for (const Program &program : PROGRAMS) {
        std::string directory = root + "/pkg-config-" + program.name;
        std::string source = copy_example(program.project, directory) + "/" + program.name + ".cpp";
        ASSERT_EQ(compile_with_pkg_config(directory, source, "korva", program.name, prefix), 0)
            << read_file(directory + "/build.log");
        ASSERT_EQ(compile_with_pkg_config(directory, source, "korva-headless",
                                          program.name + "-headless", prefix),
                  0)
            << read_file(directory + "/build.log");

        expect_real_display_entry(directory + "/" + program.name);

        std::string run = directory + "/run";
        ASSERT_EQ(run_example(directory + "/" + program.name + "-headless", program, run), 0)
            << read_file(run + "/errors.txt");
        expect_like_reference(program, run);
    }
}

// The header brings only what a client needs: a program may name its own things SIZE, POINT or
// RECT. The same program forgets gfx_open; its wait ends at once and says why.
TEST_F(Install, ClientsKeepTheirOwnNamesAndAWaitWithoutOpenEndsAtOnce) {
    std::string directory = root + "/own-names";
    fs::create_directories(directory);
    std::string source = std::string(SOURCE_DIR) + "/tests/install/own_names.cpp";
    for (const char *module : {"korva", "korva-headless"})
        ASSERT_EQ(compile_with_pkg_config(directory, source, module, module, prefix), 0)
            << read_file(directory + "/build.log");
    std::ofstream(directory + "/none.actions").close();
    EXPECT_EQ(
        shell("cd " + directory + " && ./korva-headless none.actions > output.txt 2> errors.txt"),
        0);
    EXPECT_EQ(read_file(directory + "/output.txt"),
              "event 4 at (0,0), key 0; box (-10,10) to (10,-10)\n");
    EXPECT_EQ(read_file(directory + "/errors.txt"),
              "gfx_await_event: gfx_open was not called (or gfx_close was); returning "
              "EVENT_QUIT\n");
}

// A client on a machine without one of the package's dependencies learns which one is missing.
TEST_F(Install, FindPackageNamesMissingDependencies) {
    std::string directory = root + "/missing";
    std::string source = copy_example("ball", directory);
    fs::create_directories(directory + "/no-modules");
    std::string output = directory + "/configure.log";
    EXPECT_NE(shell("PKG_CONFIG_LIBDIR=" + directory + "/no-modules PKG_CONFIG_PATH= " +
                    quote(CMAKE_COMMAND) + " -S " + source + " -B " + directory + "/build" +
                    " -DCMAKE_PREFIX_PATH=" + prefix + " > " + output + " 2>&1"),
              0);
    for (const char *module :
         {"sdl2 (Debian: libsdl2-dev)", "freetype2 (Debian: libfreetype-dev)",
          "fontconfig (Debian: libfontconfig-dev)",
          "xkbcommon xkbcommon-x11 xcb x11 (Debian: libxkbcommon-x11-dev libx11-dev)"})
        EXPECT_NE(read_file(output).find(module), std::string::npos) << read_file(output);
}

} // namespace
