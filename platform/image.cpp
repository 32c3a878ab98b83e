#include "platform/image.h"

TImage::TImage(QWidget* parent) : QWidget(parent) { setFocusPolicy(Qt::NoFocus); }

void TImage::LoadPictureFromTaggedData(std::span<const std::uint8_t>) {}
