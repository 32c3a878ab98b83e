/* Encodes the logo drawn by draw_logo.py as the JPEG file the program
 * carries: baseline JFIF 1.02 at 72 dots per inch, 8-bit YCbCr with every
 * component sampled 1 x 1 (no chroma subsampling, so the pink face keeps its
 * edges), and a restart marker after every 13 MCUs, one row of blocks.
 *
 * Usage: encode_logo QUALITY IN.ppm OUT.jpg    (IN is a binary P6 PPM, maxval 255)
 * Build: cc -O2 -o encode_logo encode_logo.c -ljpeg
 */
#include <stdio.h>
#include <stdlib.h>

#include <jpeglib.h>

static int read_number(FILE* in) {
  int c, value = 0, digits = 0;
  /* Skip blanks and comments between the header's fields. */
  for (;;) {
    c = getc(in);
    if (c == '#') {
      while (c != '\n' && c != EOF) c = getc(in);
    } else if (c != ' ' && c != '\t' && c != '\r' && c != '\n') {
      break;
    }
  }
  while (c >= '0' && c <= '9' && value < 100000) {
    value = value * 10 + (c - '0');
    ++digits;
    c = getc(in);
  }
  return digits ? value : -1;
}

int main(int argc, char** argv) {
  if (argc != 4) {
    fprintf(stderr, "usage: %s QUALITY IN.ppm OUT.jpg\n", argv[0]);
    return 2;
  }
  const int quality = atoi(argv[1]);
  FILE* in = fopen(argv[2], "rb");
  if (!in) {
    perror(argv[2]);
    return 1;
  }
  if (getc(in) != 'P' || getc(in) != '6') {
    fprintf(stderr, "%s: not a binary PPM\n", argv[2]);
    return 1;
  }
  const int width = read_number(in), height = read_number(in), maxval = read_number(in);
  if (width <= 0 || height <= 0 || maxval != 255) {
    fprintf(stderr, "%s: unsupported PPM header\n", argv[2]);
    return 1;
  }
  /* read_number consumed the single blank that ends the header. */
  const size_t row_bytes = (size_t)width * 3;
  unsigned char* pixels = malloc(row_bytes * (size_t)height);
  if (!pixels || fread(pixels, row_bytes, (size_t)height, in) != (size_t)height) {
    fprintf(stderr, "%s: short pixel data\n", argv[2]);
    return 1;
  }
  fclose(in);

  FILE* out = fopen(argv[3], "wb");
  if (!out) {
    perror(argv[3]);
    return 1;
  }

  struct jpeg_compress_struct cinfo;
  struct jpeg_error_mgr jerr;
  cinfo.err = jpeg_std_error(&jerr);
  jpeg_create_compress(&cinfo);
  jpeg_stdio_dest(&cinfo, out);

  cinfo.image_width = (JDIMENSION)width;
  cinfo.image_height = (JDIMENSION)height;
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_colorspace(&cinfo, JCS_YCbCr);
  jpeg_set_quality(&cinfo, quality, TRUE /* baseline quantisation tables */);
  for (int i = 0; i < cinfo.num_components; ++i) {
    cinfo.comp_info[i].h_samp_factor = 1;
    cinfo.comp_info[i].v_samp_factor = 1;
  }
  cinfo.write_JFIF_header = TRUE;
  cinfo.JFIF_major_version = 1;
  cinfo.JFIF_minor_version = 2;
  cinfo.density_unit = 1; /* dots per inch */
  cinfo.X_density = 72;
  cinfo.Y_density = 72;
  cinfo.restart_interval = 13;
  cinfo.dct_method = JDCT_ISLOW;

  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = pixels + (size_t)cinfo.next_scanline * row_bytes;
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  free(pixels);
  if (fclose(out) != 0) {
    perror(argv[3]);
    return 1;
  }
  return 0;
}
