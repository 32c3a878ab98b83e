#pragma once
// The picture formats this build knows, made known to TPicture at start-up
// and withdrawn at shutdown.

// Registers the JPEG format: class "TJPEGImage", extensions "jpeg" and
// "jpg". Called once at start-up, before any form is built.
void RegisterPictureFormats();
// Removes what RegisterPictureFormats registered. Called at shutdown.
void UnregisterPictureFormats();
