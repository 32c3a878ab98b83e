#pragma once
// The picture formats the platform knows beyond its built-in ones: the JPEG
// format, registered before any window is built from its description and
// removed again at shutdown.

namespace platform {

void RegisterPictureFormats();
void UnregisterPictureFormats();

}  // namespace platform
