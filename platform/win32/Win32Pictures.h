// Pictures through OLE's picture loader (BMP, JPEG, GIF, icons, metafiles). This folder must
// hold code for Win32 alone.
#pragma once
#include <string>

#include "platform/Picture.h"
#include "platform/win32/WinApi.h"
#include <ole2.h>
#include <olectl.h>

namespace platform::win32 {

using ScopedPicture = ScopedCom<IPicture>;

// Returns the picture in the file, or an empty one when the file cannot be read or holds no
// picture OLE can decode. COM must be initialised on the calling thread.
ScopedPicture LoadPictureFile(const std::string& path);

// Returns the picture's size in pixels at 96 DPI.
PictureSize PixelSize(IPicture& picture);

class OlePictures : public PicturePort {
public:
    std::optional<PictureSize> Load(const std::string& path) override;
};

}  // namespace platform::win32
