// A sample of text at the package's sizes, in the faces the package uses, with accented
// letters of code page 1252: compared with the picture kept beside this file.
#include "tests/platform/kept_image.h"
#include "text_test_support.h"

namespace {

using TextSampleTest = TextTest;

TEST_F(TextSampleTest, DrawsAsThePictureKept) {
    Canvas canvas(420, 190);
    const char sample[] = "Korva bugs: 0123456789 \xc5ngstr\xf6m caf\xe9 +-*/";
    int y = 4;
    SetBkMode(canvas.dc, TRANSPARENT);
    for (int size : {8, 12, 16, 32}) {
        HFONT font = canvas_font(-size);
        HGDIOBJ previous = SelectObject(canvas.dc, font);
        ASSERT_TRUE(TextOutA(canvas.dc, 4, y, sample, int(sizeof sample - 1)));
        TEXTMETRICA tm;
        GetTextMetricsA(canvas.dc, &tm);
        y += tm.tmHeight + 4;
        SelectObject(canvas.dc, previous);
        DeleteObject(font);
    }
    SelectObject(canvas.dc, GetStockObject(ANSI_FIXED_FONT));
    SetBkMode(canvas.dc, OPAQUE);
    SetBkColor(canvas.dc, RGB(255, 255, 192));
    ASSERT_TRUE(TextOutA(canvas.dc, 4, y, sample, int(sizeof sample - 1)));
    y += 17;

    // The menu face, drawn through the window layer's entry.
    platform::Surface &s = canvas.surface();
    const char menu[] = "Run  Pause  Step  Record...";
    text::draw_text(s, text::menu_face(), 4, y, menu, int(sizeof menu - 1), 0x000000);

    expect_kept_image(s, TEXT_SAMPLE_PNG, KEPT_DIR "/text_sample.png");
}

} // namespace
