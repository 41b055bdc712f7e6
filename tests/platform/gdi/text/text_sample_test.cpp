// A sample of text at the package's sizes, written to a PNG to be looked at.
#include "platform/png_file.h"
#include "text_test_support.h"

namespace {

using TextSampleTest = TextTest;

TEST_F(TextSampleTest, WritesASampleImage) {
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

    std::string error;
    ASSERT_TRUE(platform::write_png(TEXT_SAMPLE_PNG, s.data(), s.width, s.height, s.width, error))
        << error;
}

} // namespace
