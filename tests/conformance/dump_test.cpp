// Pixel dumps: what is written is read back, and a damaged file is an error, never a canvas.
#include "tools/conformance/dump.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

class Dumps : public ::testing::Test {
  protected:
    void SetUp() override {
        path_ =
            (std::filesystem::temp_directory_path() /
             ("korva-dump-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
              "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name()))
                .string();
    }
    void TearDown() override { std::remove(path_.c_str()); }
    std::string path_;
};

TEST_F(Dumps, CanvasesComeBackAsWritten) {
    std::vector<uint32_t> blank(6 * 4, 0x123456), pattern(6 * 4);
    for (size_t i = 0; i < pattern.size(); i++) pattern[i] = uint32_t(i % 3) * 0x10101;
    pattern.back() = 0xFF000000 | 0xABCDEF; // the top byte is not part of a pixel
    DumpWriter writer(path_, 6, 4);
    writer.add(blank.data());
    writer.add(pattern.data());
    ASSERT_TRUE(writer.finish());

    DumpReader reader(path_);
    ASSERT_EQ(reader.error(), "");
    EXPECT_EQ(reader.count(), 2u);
    std::vector<uint32_t> pixels;
    ASSERT_TRUE(reader.next(pixels));
    EXPECT_EQ(pixels, blank);
    ASSERT_TRUE(reader.next(pixels));
    pattern.back() = 0xABCDEF;
    EXPECT_EQ(pixels, pattern);
    EXPECT_FALSE(reader.next(pixels));
    EXPECT_NE(reader.error(), "");
}

TEST_F(Dumps, DamagedFilesAreErrors) {
    std::vector<uint32_t> canvas(6 * 4, 7);
    DumpWriter writer(path_, 6, 4);
    writer.add(canvas.data());
    ASSERT_TRUE(writer.finish());
    // A run made longer than the canvas.
    FILE *file = fopen(path_.c_str(), "r+b");
    ASSERT_NE(file, nullptr);
    fseek(file, 24, SEEK_SET);
    uint8_t too_long[4] = {25, 0, 0, 0};
    fwrite(too_long, 1, 4, file);
    fclose(file);
    DumpReader reader(path_);
    std::vector<uint32_t> pixels;
    EXPECT_FALSE(reader.next(pixels));
    EXPECT_NE(reader.error().find("runs do not cover"), std::string::npos);

    std::filesystem::resize_file(path_, 26);
    DumpReader truncated(path_);
    EXPECT_FALSE(truncated.next(pixels));

    DumpReader missing(path_ + ".none");
    EXPECT_NE(missing.error(), "");
    EXPECT_FALSE(missing.next(pixels));
}

} // namespace
