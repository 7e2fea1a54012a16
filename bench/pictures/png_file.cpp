#include "png_file.h"

#include <windows.h>

#include <wincodec.h>

#include <vector>

namespace bench {

namespace {

// Releases a COM interface when it goes out of scope.
template <typename Interface>
struct Held {
    Interface *pointer = nullptr;
    ~Held() {
        if (pointer != nullptr)
            pointer->Release();
    }
    Interface *operator->() const { return pointer; }
};

std::string failed(const char *step, HRESULT result) {
    char text[96];
    snprintf(text, sizeof text, "%s failed (0x%08lX)", step, static_cast<unsigned long>(result));
    return text;
}

}  // namespace

bool write_png(const panel_host::Picture &picture, const std::string &path, std::string &error) {
    HRESULT result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const bool initialized = SUCCEEDED(result);
    bool written = false;
    {
        Held<IWICImagingFactory> factory;
        Held<IWICStream> stream;
        Held<IWICBitmapEncoder> encoder;
        Held<IWICBitmapFrameEncode> frame;
        std::vector<wchar_t> wide(path.size() + 1);
        MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
        // 24-bit BGR rows, top row first.
        const UINT stride = (static_cast<UINT>(picture.width) * 3 + 3) & ~3u;
        std::vector<BYTE> rows(static_cast<size_t>(stride) * picture.height);
        for (int y = 0; y < picture.height; ++y)
            for (int x = 0; x < picture.width; ++x) {
                const uint32_t pixel = picture.at(x, y);
                BYTE *out = &rows[static_cast<size_t>(y) * stride + x * 3];
                out[0] = pixel & 0xFF;
                out[1] = (pixel >> 8) & 0xFF;
                out[2] = (pixel >> 16) & 0xFF;
            }
        WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
        if (FAILED(result = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                             IID_IWICImagingFactory,
                                             reinterpret_cast<void **>(&factory.pointer))))
            error = failed("creating the imaging factory", result);
        else if (FAILED(result = factory->CreateStream(&stream.pointer)) ||
                 FAILED(result = stream->InitializeFromFilename(wide.data(), GENERIC_WRITE)))
            error = failed("creating the file", result);
        else if (FAILED(result = factory->CreateEncoder(GUID_ContainerFormatPng, nullptr,
                                                        &encoder.pointer)) ||
                 FAILED(result = encoder->Initialize(stream.pointer, WICBitmapEncoderNoCache)) ||
                 FAILED(result = encoder->CreateNewFrame(&frame.pointer, nullptr)) ||
                 FAILED(result = frame->Initialize(nullptr)) ||
                 FAILED(result = frame->SetSize(picture.width, picture.height)) ||
                 FAILED(result = frame->SetPixelFormat(&format)))
            error = failed("starting the PNG encoder", result);
        else if (!IsEqualGUID(format, GUID_WICPixelFormat24bppBGR))
            error = "the PNG encoder refuses 24-bit pixels";
        else if (FAILED(result = frame->WritePixels(picture.height, stride,
                                                    static_cast<UINT>(rows.size()), rows.data())) ||
                 FAILED(result = frame->Commit()) || FAILED(result = encoder->Commit()))
            error = failed("encoding the PNG", result);
        else
            written = true;
    }
    if (initialized)
        CoUninitialize();
    if (!written)
        error = path + ": " + error;
    return written;
}

}  // namespace bench
