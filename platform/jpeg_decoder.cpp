#include "platform/jpeg_decoder.h"

#include <csetjmp>
#include <cstdio>  // jpeglib.h needs FILE and size_t declared first

#include <jerror.h>
#include <jpeglib.h>

namespace platform {
namespace {

// Everything libjpeg's callbacks reach, kept in one object that outlives the
// jump back out of libjpeg. The functions that call setjmp hold nothing with
// a destructor of its own, so the jump skips no cleanup.
struct Decompressor {
  jpeg_decompress_struct cinfo{};
  jpeg_error_mgr errors{};
  jpeg_source_mgr source{};
  std::jmp_buf failed{};
  std::span<const std::uint8_t> bytes;

  explicit Decompressor(std::span<const std::uint8_t> data);
  ~Decompressor() { jpeg_destroy_decompress(&cinfo); }
  Decompressor(const Decompressor&) = delete;
  Decompressor& operator=(const Decompressor&) = delete;
};

Decompressor& Owner(j_common_ptr cinfo) { return *static_cast<Decompressor*>(cinfo->client_data); }

// libjpeg's own error_exit prints and calls exit(); ours abandons the
// decoding and lets the caller clean up.
[[noreturn]] void ErrorExit(j_common_ptr cinfo) { std::longjmp(Owner(cinfo).failed, 1); }

// Level -1 is a warning (corrupt or missing data), which fails the
// decoding; higher levels are trace messages, which are dropped.
void EmitMessage(j_common_ptr cinfo, int level) {
  if (level < 0) std::longjmp(Owner(cinfo).failed, 1);
}

// Nothing of libjpeg's goes to standard error.
void OutputMessage(j_common_ptr) {}

// The source is the whole file in memory, handed over at once.
void InitSource(j_decompress_ptr) {}

const JOCTET kEndOfImage[2] = {0xFF, JPEG_EOI};

boolean FillInputBuffer(j_decompress_ptr cinfo) {
  // Asked for more after the end: the data is cut short. The warning fails
  // the decoding; should it ever return, a made-up end-of-image marker
  // stops libjpeg from reading on.
  WARNMS(cinfo, JWRN_JPEG_EOF);
  cinfo->src->next_input_byte = kEndOfImage;
  cinfo->src->bytes_in_buffer = sizeof kEndOfImage;
  return TRUE;
}

void SkipInputData(j_decompress_ptr cinfo, long count) {
  if (count <= 0) return;
  jpeg_source_mgr* source = cinfo->src;
  if (static_cast<unsigned long>(count) > source->bytes_in_buffer) {
    FillInputBuffer(cinfo);
    return;
  }
  source->next_input_byte += count;
  source->bytes_in_buffer -= static_cast<std::size_t>(count);
}

void TermSource(j_decompress_ptr) {}

Decompressor::Decompressor(std::span<const std::uint8_t> data) : bytes(data) {
  cinfo.err = jpeg_std_error(&errors);
  cinfo.client_data = this;
  errors.error_exit = ErrorExit;
  errors.emit_message = EmitMessage;
  errors.output_message = OutputMessage;
  source.init_source = InitSource;
  source.fill_input_buffer = FillInputBuffer;
  source.skip_input_data = SkipInputData;
  source.resync_to_restart = jpeg_resync_to_restart;
  source.term_source = TermSource;
  source.next_input_byte = bytes.data();
  source.bytes_in_buffer = bytes.size();
}

// Creates the decompressor and reads the headers. Must be called within the
// setjmp of the caller. The create call keeps err and client_data and clears
// the rest, so a failure inside it still leaves cinfo safe to destroy.
bool Start(Decompressor& d) {
  jpeg_create_decompress(&d.cinfo);
  d.cinfo.src = &d.source;
  if (jpeg_read_header(&d.cinfo, TRUE) != JPEG_HEADER_OK) return false;
  const JDIMENSION w = d.cinfo.image_width, h = d.cinfo.image_height;
  return w > 0 && h > 0 && w <= static_cast<JDIMENSION>(kMaxJpegSide) &&
         h <= static_cast<JDIMENSION>(kMaxJpegSide) &&
         std::int64_t{w} * std::int64_t{h} <= kMaxJpegPixels;
}

bool ReadHeaderInto(Decompressor& d, JpegHeader& header) {
  if (setjmp(d.failed)) return false;
  if (!Start(d)) return false;
  header.width = static_cast<int>(d.cinfo.image_width);
  header.height = static_cast<int>(d.cinfo.image_height);
  header.components = d.cinfo.num_components;
  return true;
}

bool DecodeInto(Decompressor& d, int displayBitsPerPixel, QImage& image) {
  if (setjmp(d.failed)) return false;
  if (!Start(d)) return false;

  jpeg_decompress_struct& c = d.cinfo;
  c.scale_num = 1;
  c.scale_denom = 1;
  c.do_block_smoothing = TRUE;
  c.dct_method = JDCT_FLOAT;
  c.out_color_space = JCS_RGB;
  const bool quantize = displayBitsPerPixel <= 8;
  if (quantize) {
    c.quantize_colors = TRUE;
    c.desired_number_of_colors = 236;
  }
  if (!jpeg_start_decompress(&c)) return false;

  const int width = static_cast<int>(c.output_width), height = static_cast<int>(c.output_height);
  if (quantize) {
    if (c.output_components != 1 || c.out_color_components != 3 || !c.colormap ||
        c.actual_number_of_colors <= 0 || c.actual_number_of_colors > 256) {
      return false;
    }
    image = QImage(width, height, QImage::Format_Indexed8);
    if (image.isNull()) return false;
    QList<QRgb> colours(c.actual_number_of_colors);
    // The map holds one row each of red, green and blue.
    for (int i = 0; i < c.actual_number_of_colors; ++i) {
      colours[i] = qRgb(c.colormap[0][i], c.colormap[1][i], c.colormap[2][i]);
    }
    image.setColorTable(colours);
  } else {
    if (c.output_components != 3) return false;
    image = QImage(width, height, QImage::Format_RGB888);
    if (image.isNull()) return false;
  }

  while (c.output_scanline < c.output_height) {
    JSAMPROW row = image.scanLine(static_cast<int>(c.output_scanline));
    if (jpeg_read_scanlines(&c, &row, 1) != 1) return false;
  }
  return jpeg_finish_decompress(&c) == TRUE;
}

}  // namespace

std::optional<JpegHeader> ReadJpegHeader(std::span<const std::uint8_t> bytes) noexcept {
  if (bytes.empty()) return std::nullopt;
  Decompressor d(bytes);
  JpegHeader header;
  if (!ReadHeaderInto(d, header)) return std::nullopt;
  return header;
}

QImage DecodeJpeg(std::span<const std::uint8_t> bytes, int displayBitsPerPixel) noexcept {
  if (bytes.empty()) return {};
  Decompressor d(bytes);
  QImage image;
  if (!DecodeInto(d, displayBitsPerPixel, image)) return {};
  return image;
}

}  // namespace platform
