#include "platform/win32/Win32Pictures.h"

namespace platform::win32 {

namespace {

struct GlobalTraits {
    using Handle = HGLOBAL;
    static Handle Invalid() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { ::GlobalFree(h); }
};

// HIMETRIC (hundredths of a millimetre) to pixels at 96 DPI.
int Pixels(long himetric) { return ::MulDiv(static_cast<int>(himetric), 96, 2540); }

}  // namespace

ScopedPicture LoadPictureFile(const std::string& path) {
    ScopedFileHandle file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return {};
    const DWORD size = ::GetFileSize(file.get(), nullptr);
    if (size == INVALID_FILE_SIZE || size == 0) return {};
    ScopedHandle<GlobalTraits> memory(::GlobalAlloc(GMEM_MOVEABLE, size));
    if (!memory) return {};
    void* bytes = ::GlobalLock(memory.get());
    if (bytes == nullptr) return {};
    DWORD read = 0;
    const bool whole = ::ReadFile(file.get(), bytes, size, &read, nullptr) && read == size;
    ::GlobalUnlock(memory.get());
    if (!whole) return {};

    IStream* stream = nullptr;
    if (FAILED(::CreateStreamOnHGlobal(memory.get(), TRUE, &stream))) return {};
    memory.release();  // the stream frees it
    ScopedCom<IStream> ownStream(stream);
    IPicture* picture = nullptr;
    if (FAILED(::OleLoadPicture(stream, static_cast<LONG>(size), FALSE, IID_IPicture,
                                reinterpret_cast<void**>(&picture))))
        return {};
    return ScopedPicture(picture);
}

PictureSize PixelSize(IPicture& picture) {
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    picture.get_Width(&width);
    picture.get_Height(&height);
    return {Pixels(width), Pixels(height)};
}

std::optional<PictureSize> OlePictures::Load(const std::string& path) {
    // The loader decodes through COM objects; a thread that has COM already keeps it.
    const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    std::optional<PictureSize> size;
    if (ScopedPicture picture = LoadPictureFile(path)) size = PixelSize(*picture.get());
    if (SUCCEEDED(com)) ::CoUninitialize();
    return size;
}

}  // namespace platform::win32
