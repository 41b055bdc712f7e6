// The package as a user gets it: installed into a temporary prefix, the examples copied to a
// clean directory and built against it with find_package and with pkg-config, then run headless
// with action files. Their logs must read as expected and their shots must equal those of the
// same examples built in the source tree.
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
const uint32_t ORANGE = 0xFF6600, ICE_BLUE = 0x99FFFF, RED = 0xFF0000;

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
    bool has(uint32_t color) const {
        for (uint32_t pixel : pixels)
            if (pixel == color) return true;
        return false;
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
        for (const char *name : {"ball", "pad"})
            reference_status[name] =
                run_example(quote(std::string(PROGRAMS_DIR) + "/" + name + "-headless"), name,
                            root + "/reference-" + name);
    }
    static void TearDownTestSuite() { fs::remove_all(root); }

    void SetUp() override { ASSERT_EQ(install_status, 0) << read_file(root + "/install.log"); }

    // Copies an example's folder to a clean place, where a user would start from it.
    static std::string copy_example(const std::string &name, const std::string &directory) {
        fs::create_directories(directory);
        fs::copy(std::string(SOURCE_DIR) + "/examples/" + name, directory + "/src");
        return directory + "/src";
    }

    // Runs a headless program with the example's actions in a directory of its own.
    static int run_example(const std::string &program, const std::string &name,
                           const std::string &directory) {
        fs::create_directories(directory);
        return shell("cd " + directory + " && " + program + " --log log.txt " +
                     quote(std::string(SOURCE_DIR) + "/tests/install/" + name + ".actions") +
                     " 2> errors.txt");
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

    // The run's log and shots must equal the reference run's (the example run in the source
    // tree).
    static void expect_like_reference(const std::string &name, const std::string &directory) {
        bool ball = name == "ball";
        EXPECT_EQ(read_file(directory + "/log.txt"), ball ? BALL_LOG : PAD_LOG);
        std::vector<std::string> shots =
            ball ? std::vector<std::string>{"ball.png"}
                 : std::vector<std::string>{"drawn.png", "replayed.png"};
        for (const std::string &shot : shots)
            expect_same_image(directory + "/" + shot, root + "/reference-" + name + "/" + shot);
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
        prefix + "/include/korva/gfx.h",         prefix + "/include/korva/platform/win.h",
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
    ASSERT_EQ(reference_status["ball"], 0);
    ASSERT_EQ(reference_status["pad"], 0);
    std::string ball = root + "/reference-ball", pad = root + "/reference-pad";
    EXPECT_EQ(read_file(ball + "/log.txt"), BALL_LOG);
    EXPECT_EQ(read_file(pad + "/log.txt"), PAD_LOG);

    // The ball stopped at (268, 25) after its bounce.
    Image shot = read_image(ball + "/ball.png");
    EXPECT_EQ(shot.at(268, 25), ORANGE);
    EXPECT_EQ(shot.at(228, 25), ICE_BLUE);

    // The red stroke runs from (3, 90) to (53, -60); the new page has none; the playback draws
    // the page again as it was.
    Image drawn = read_image(pad + "/drawn.png");
    EXPECT_EQ(drawn.at(28, 15), RED);
    EXPECT_FALSE(read_image(pad + "/cleared.png").has(RED));
    expect_same_image(pad + "/replayed.png", pad + "/drawn.png");
}

TEST_F(Install, ExamplesBuildWithFindPackageAndRunHeadless) {
    for (std::string name : {"ball", "pad"}) {
        std::string directory = root + "/cmake-" + name;
        std::string source = copy_example(name, directory);
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
        expect_real_display_entry(build + "/" + name);

        std::string run = directory + "/run";
        ASSERT_EQ(run_example(build + "/" + name + "-headless", name, run), 0)
            << read_file(run + "/errors.txt");
        expect_like_reference(name, run);
    }
}

TEST_F(Install, ExamplesBuildWithPkgConfigAndRunHeadless) {
    for (std::string name : {"ball", "pad"}) {
        std::string directory = root + "/pkg-config-" + name;
        std::string source = copy_example(name, directory);
        std::string environment = "cd " + directory + " && export PKG_CONFIG_PATH=" + prefix + "/" +
                                  INSTALL_LIBDIR + "/pkgconfig && ";
        std::string compile = quote(CXX_COMPILER) + " -Wall -Wextra -Wpedantic -Werror " + "src/" +
                              name + ".cpp $(" + quote(PKG_CONFIG) + " --cflags --libs ";
        ASSERT_EQ(shell(environment + compile + "korva) -o " + name + " > build.log 2>&1"), 0)
            << read_file(directory + "/build.log");
        ASSERT_EQ(shell(environment + compile + "korva-headless) -o " + name +
                        "-headless > build.log 2>&1"),
                  0)
            << read_file(directory + "/build.log");

        expect_real_display_entry(directory + "/" + name);

        std::string run = directory + "/run";
        ASSERT_EQ(run_example(directory + "/" + name + "-headless", name, run), 0)
            << read_file(run + "/errors.txt");
        expect_like_reference(name, run);
    }
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
