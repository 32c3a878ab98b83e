#include "platform/picture_formats.h"

#include <memory>

#include "platform/jpeg_image.h"
#include "platform/picture.h"

namespace {

constexpr const char* kJpegDescription = "JPEG イメージファイル";

std::unique_ptr<TGraphic> MakeJpegImage() { return std::make_unique<TJPEGImage>(); }

}  // namespace

void RegisterPictureFormats() {
  // Registering twice would list the format twice; start from a clean slate.
  TPicture::UnregisterFileFormat(TJPEGImage::kClassName);
  TPicture::RegisterFileFormat("jpeg", kJpegDescription, TJPEGImage::kClassName, MakeJpegImage);
  TPicture::RegisterFileFormat("jpg", kJpegDescription, TJPEGImage::kClassName, MakeJpegImage);
}

void UnregisterPictureFormats() { TPicture::UnregisterFileFormat(TJPEGImage::kClassName); }
