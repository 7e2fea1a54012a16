// The gauge picture DrawElements composes, and the PNG files the bench
// writes of pictures, read back through the platform's own decoder.
#include <windows.h>

#include <wincodec.h>

#include <gtest/gtest.h>

#include "gauge_under_test.h"
#include "png_file.h"
#include "test_files.h"

namespace {

// The first pixel of `bitmap`, placed at (left, top) of `picture`, that is not
// black and not the colour the picture already holds there: where drawing the
// bitmap changes what is seen.
bool changing_pixel(const panel_host::Bitmap &bitmap, const panel_host::Picture &picture, int left,
                    int top, int &x, int &y, uint32_t &colour) {
    for (y = 0; y < bitmap.height; ++y)
        for (x = 0; x < bitmap.width; ++x) {
            colour = bitmap.palette[bitmap.pixels[static_cast<size_t>(y) * bitmap.width + x]];
            if (colour == 0 || left + x >= picture.width || top + y >= picture.height)
                continue;
            colour |= PICTURE_OPAQUE;
            if (picture.at(left + x, top + y) != colour)
                return true;
        }
    return false;
}

std::vector<uint32_t> read_png(const std::string &path, int &width, int &height) {
    std::vector<uint32_t> pixels;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IWICImagingFactory *factory = nullptr;
    IWICBitmapDecoder *decoder = nullptr;
    IWICBitmapFrameDecode *frame = nullptr;
    IWICFormatConverter *converter = nullptr;
    std::wstring wide(path.begin(), path.end());
    UINT w = 0, h = 0;
    if (SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_IWICImagingFactory, reinterpret_cast<void **>(&factory))) &&
        SUCCEEDED(factory->CreateDecoderFromFilename(wide.c_str(), nullptr, GENERIC_READ,
                                                     WICDecodeMetadataCacheOnDemand, &decoder)) &&
        SUCCEEDED(decoder->GetFrame(0, &frame)) && SUCCEEDED(frame->GetSize(&w, &h)) &&
        SUCCEEDED(factory->CreateFormatConverter(&converter)) &&
        SUCCEEDED(converter->Initialize(frame, GUID_WICPixelFormat32bppBGRA,
                                        WICBitmapDitherTypeNone, nullptr, 0,
                                        WICBitmapPaletteTypeCustom))) {
        pixels.resize(static_cast<size_t>(w) * h);
        if (FAILED(converter->CopyPixels(nullptr, w * 4, static_cast<UINT>(pixels.size() * 4),
                                         reinterpret_cast<BYTE *>(pixels.data()))))
            pixels.clear();
    }
    for (IUnknown *held : std::initializer_list<IUnknown *>{converter, frame, decoder, factory})
        if (held != nullptr)
            held->Release();
    CoUninitialize();
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    return pixels;
}

TEST(GaugePicture, CrankingPictureDrawnOverTheBackgroundOnlyWhileCranking) {
    GaugeUnderTest gauge;
    ASSERT_TRUE(gauge.load("Delvarotine.gau"));
    gauge.start();
    ElementRecord *head = gauge.head();
    ElementRecord *cranking_picture = gauge.child(head, 2);
    gauge.update();
    gauge.draw();
    const panel_host::Picture *picture = gauge.host.picture(head);
    ASSERT_NE(picture, nullptr);
    const panel_host::Bitmap &background = gauge.host.image(head)->bitmap;
    EXPECT_EQ(picture->width, background.width);
    EXPECT_EQ(picture->height, background.height);

    int x = 0, y = 0;
    uint32_t colour = 0;
    ASSERT_TRUE(changing_pixel(gauge.host.image(cranking_picture)->bitmap, *picture,
                               cranking_picture->x, cranking_picture->y, x, y, colour))
        << "the cranking picture looks like the background it covers";
    const int px = cranking_picture->x + x, py = cranking_picture->y + y;
    const uint32_t under =
        PICTURE_OPAQUE | background.palette[background.pixels[static_cast<size_t>(py) * background.width + px]];
    EXPECT_EQ(picture->at(px, py), under) << "idle: the background shows";

    ASSERT_TRUE(gauge.click(60, 30).has_value());
    gauge.update();
    gauge.draw();
    picture = gauge.host.picture(head);
    EXPECT_EQ(picture->at(px, py), colour) << "cranking: the cranking picture shows";
    gauge.kill();
    EXPECT_EQ(gauge.host.picture(head), nullptr) << "kill releases the picture";
}

TEST(GaugePicture, LeverShownFollowsTheSwitch) {
    GaugeUnderTest gauge;
    ASSERT_TRUE(gauge.load("Brennovalux.gau"));
    gauge.start();
    ElementRecord *off_lever = gauge.child(gauge.head(), 0);
    ElementRecord *on_lever = gauge.child(off_lever, 0);
    gauge.update();
    gauge.draw();
    int x = 0, y = 0;
    uint32_t colour = 0;
    ASSERT_TRUE(changing_pixel(gauge.host.image(on_lever)->bitmap, *gauge.host.picture(gauge.head()),
                               on_lever->x, on_lever->y, x, y, colour))
        << "the on lever looks like the off picture";
    const int px = on_lever->x + x, py = on_lever->y + y;
    ASSERT_TRUE(gauge.click(10, 10).has_value());
    gauge.update();
    gauge.draw();
    EXPECT_EQ(gauge.host.picture(gauge.head())->at(px, py), colour);
    gauge.kill();
}

// The picture is what the last DrawElements found, however late it is asked
// for: a click, an update or a moved or hidden element after it changes
// nothing until the next DrawElements.
TEST(GaugePicture, AskedLateIsWhatTheLastDrawFound) {
    GaugeUnderTest gauge;
    ASSERT_TRUE(gauge.load("Brennovalux.gau"));
    gauge.start();
    ElementRecord *off_lever = gauge.child(gauge.head(), 0);
    ElementRecord *on_lever = gauge.child(off_lever, 0);
    gauge.update();
    gauge.draw();
    const panel_host::Picture off = *gauge.host.picture(gauge.head());
    int x = 0, y = 0;
    uint32_t colour = 0;
    ASSERT_TRUE(changing_pixel(gauge.host.image(on_lever)->bitmap, off, on_lever->x, on_lever->y, x, y, colour));
    const int px = on_lever->x + x, py = on_lever->y + y;

    gauge.update();
    gauge.draw();  // the same elements: not asked for, not composed
    ASSERT_TRUE(gauge.click(10, 10).has_value());
    gauge.update();
    ASSERT_TRUE(gauge.host.shown(on_lever)) << "the click turned the switch on";
    EXPECT_EQ(off.pixels, gauge.host.picture(gauge.head())->pixels) << "no DrawElements since the click";
    gauge.draw();
    EXPECT_EQ(colour, gauge.host.picture(gauge.head())->at(px, py)) << "drawn on";

    const panel_host::Picture on = *gauge.host.picture(gauge.head());
    on_lever->x += 3;
    off_lever->draw_flags |= DRAW_HIDDEN;
    EXPECT_EQ(on.pixels, gauge.host.picture(gauge.head())->pixels) << "moved and hidden after the draw";
    gauge.draw();
    EXPECT_NE(on.pixels, gauge.host.picture(gauge.head())->pixels) << "drawn moved and hidden";
    on_lever->x -= 3;
    off_lever->draw_flags &= ~DRAW_HIDDEN;
    gauge.draw();
    EXPECT_EQ(on.pixels, gauge.host.picture(gauge.head())->pixels) << "drawn back as it was";
    gauge.kill();
}

TEST(PngFile, ReadsBackAsWritten) {
    panel_host::Picture picture;
    picture.resize(7, 5, PICTURE_OPAQUE);
    for (int i = 0; i < 35; ++i)
        picture.pixels[i] = PICTURE_OPAQUE | (uint32_t(i * 7) << 16) | (uint32_t(255 - i) << 8) | uint32_t(i);
    TestFolder folder;
    const std::string path = folder.path() + "\\picture.png";
    std::string error;
    ASSERT_TRUE(bench::write_png(picture, path, error)) << error;
    int width = 0, height = 0;
    std::vector<uint32_t> pixels = read_png(path, width, height);
    DeleteFileA(path.c_str());
    EXPECT_EQ(width, 7);
    EXPECT_EQ(height, 5);
    EXPECT_EQ(pixels, picture.pixels);
}

TEST(PngFile, UnwritablePathSaysWhich) {
    panel_host::Picture picture;
    picture.resize(2, 2, PICTURE_OPAQUE);
    std::string error;
    EXPECT_FALSE(bench::write_png(picture, "Q:\\no\\such\\folder\\x.png", error));
    EXPECT_NE(error.find("Q:\\no\\such\\folder\\x.png: "), std::string::npos) << error;
}

}  // namespace
