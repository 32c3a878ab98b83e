#include "platform/picture_formats.h"

namespace platform {

// TODO(lead): call RegisterJpegFormat() / UnregisterJpegFormat() once the
// picture support lands.
void RegisterPictureFormats() {}
void UnregisterPictureFormats() {}

}  // namespace platform
