// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/bitmap.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <jpeglib.h>
#include <jerror.h>
#include <png.h>

#include "media/colour.h"

namespace plumix {
namespace {

struct PngReadState {
  std::span<const uint8_t> bytes;
  size_t pos = 0;
};

void PngRead(png_structp png, png_bytep out, png_size_t count) {
  auto* state = static_cast<PngReadState*>(png_get_io_ptr(png));
  if (state->pos + count > state->bytes.size()) {
    png_error(png, "truncated PNG");
  }
  std::memcpy(out, state->bytes.data() + state->pos, count);
  state->pos += count;
}

void PngWrite(png_structp png, png_bytep data, png_size_t count) {
  auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + count);
}

void PngFlush(png_structp) {}

struct JpegError {
  jpeg_error_mgr mgr;  // first, so that libjpeg's pointer to it is one to this
  jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
  jpeg_progress_mgr progress;
  void (*defaultMessage)(j_common_ptr, int) = nullptr;
};

// libjpeg's own handler would end the program; this one returns to the decoder.
void JpegErrorExit(j_common_ptr info) {
  auto* err = reinterpret_cast<JpegError*>(info->err);
  (*info->err->format_message)(info, err->message);
  longjmp(err->jump, 1);
}

// A file whose data ends before its picture does (at the end of the file or
// at a marker) would be shown with grey rows; it is damaged like any other, so
// the old picture stays. Other warnings are about bytes the decoder could
// skip, and the picture is whole.
void JpegMessage(j_common_ptr info, int level) {
  const int code = info->err->msg_code;
  if (level == -1 && (code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER)) {
    auto* err = reinterpret_cast<JpegError*>(info->err);
    (*info->err->format_message)(info, err->message);
    longjmp(err->jump, 1);
  }
  reinterpret_cast<JpegError*>(info->err)->defaultMessage(info, level);
}

constexpr int kMaxJpegScans = 100;

void JpegProgress(j_common_ptr info) {
  auto* cinfo = reinterpret_cast<j_decompress_ptr>(info);
  if (cinfo->input_scan_number <= kMaxJpegScans) return;
  auto* err = reinterpret_cast<JpegError*>(info->err);
  std::snprintf(err->message, sizeof err->message, "too many scans");
  longjmp(err->jump, 1);
}

// Far beyond any picture of the game, well short of what would exhaust memory.
constexpr size_t kMaxImagePixels = size_t{4096} * 4096;

bool TooLarge(size_t width, size_t height) { return width * height > kMaxImagePixels; }

}  // namespace

Parsed<RgbImage> DecodePng(std::span<const uint8_t> bytes) {
  if (bytes.size() < 8 || png_sig_cmp(bytes.data(), 0, 8) != 0) {
    return Parsed<RgbImage>::Fail("not a PNG file");
  }
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!png || !info) {
    png_destroy_read_struct(&png, &info, nullptr);
    return Parsed<RgbImage>::Fail("out of memory");
  }
  PngReadState state{bytes, 0};
  RgbImage image;
  std::vector<png_bytep> rows;
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    return Parsed<RgbImage>::Fail("corrupt PNG");
  }
  png_set_read_fn(png, &state, PngRead);
  png_read_info(png, info);
  if (TooLarge(png_get_image_width(png, info), png_get_image_height(png, info))) {
    png_destroy_read_struct(&png, &info, nullptr);
    return Parsed<RgbImage>::Fail("the PNG picture is too large");
  }
  png_set_expand(png);
  png_set_strip_16(png);
  png_set_strip_alpha(png);
  png_set_gray_to_rgb(png);
  png_set_packing(png);
  png_read_update_info(png, info);
  image.Width = static_cast<int>(png_get_image_width(png, info));
  image.Height = static_cast<int>(png_get_image_height(png, info));
  if (png_get_rowbytes(png, info) != static_cast<size_t>(image.Width) * 3) {
    png_destroy_read_struct(&png, &info, nullptr);
    return Parsed<RgbImage>::Fail("unsupported PNG layout");
  }
  image.Rgb.resize(static_cast<size_t>(image.Width) * image.Height * 3);
  rows.resize(image.Height);
  for (int y = 0; y < image.Height; ++y) rows[y] = image.Rgb.data() + static_cast<size_t>(y) * image.Width * 3;
  png_read_image(png, rows.data());
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
  return Parsed<RgbImage>::Ok(std::move(image));
}

std::vector<uint8_t> EncodePngPixels(int width, int height, int channels,
                                    std::span<const uint8_t> samples) {
  std::vector<uint8_t> out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!png || !info) {
    png_destroy_write_struct(&png, &info);
    return {};
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return {};
  }
  png_set_write_fn(png, &out, PngWrite, PngFlush);
  const int type = channels == 4 ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB;
  png_set_IHDR(png, info, width, height, 8, type, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_set_compression_level(png, 9);
  png_write_info(png, info);
  for (int y = 0; y < height; ++y) {
    png_write_row(png, const_cast<png_bytep>(samples.data() + static_cast<size_t>(y) * width * channels));
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

std::vector<uint8_t> EncodePng(const RgbImage& image) {
  return EncodePngPixels(image.Width, image.Height, 3, image.Rgb);
}

Parsed<RgbImage> DecodeJpeg(std::span<const uint8_t> bytes) {
  jpeg_decompress_struct cinfo;
  JpegError err;
  cinfo.err = jpeg_std_error(&err.mgr);
  err.mgr.error_exit = JpegErrorExit;
  err.defaultMessage = err.mgr.emit_message;
  err.mgr.emit_message = JpegMessage;
  RgbImage image;
  if (setjmp(err.jump)) {
    jpeg_destroy_decompress(&cinfo);
    return Parsed<RgbImage>::Fail(std::string("corrupt JPEG: ") + err.message);
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, bytes.data(), static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&cinfo, TRUE);
  if (TooLarge(cinfo.image_width, cinfo.image_height)) {
    jpeg_destroy_decompress(&cinfo);
    return Parsed<RgbImage>::Fail("the JPEG picture is too large");
  }
  // A damaged progressive file can ask for endless scans; real pictures have a dozen.
  err.progress.progress_monitor = JpegProgress;
  cinfo.progress = &err.progress;
  cinfo.out_color_space = JCS_RGB;
  jpeg_start_decompress(&cinfo);
  image.Width = static_cast<int>(cinfo.output_width);
  image.Height = static_cast<int>(cinfo.output_height);
  image.Rgb.resize(static_cast<size_t>(image.Width) * image.Height * 3);
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = image.Rgb.data() + static_cast<size_t>(cinfo.output_scanline) * image.Width * 3;
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return Parsed<RgbImage>::Ok(std::move(image));
}

std::vector<uint8_t> EncodeJpeg(const RgbImage& image, int quality) {
  jpeg_compress_struct cinfo;
  JpegError err;
  cinfo.err = jpeg_std_error(&err.mgr);
  err.mgr.error_exit = JpegErrorExit;
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  if (setjmp(err.jump)) {
    jpeg_destroy_compress(&cinfo);
    free(buffer);
    return {};
  }
  jpeg_create_compress(&cinfo);
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = static_cast<JDIMENSION>(image.Width);
  cinfo.image_height = static_cast<JDIMENSION>(image.Height);
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(image.Rgb.data() + static_cast<size_t>(cinfo.next_scanline) * image.Width * 3);
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  std::vector<uint8_t> out(buffer, buffer + size);
  free(buffer);
  return out;
}

Parsed<RgbImage> DecodeImage(std::span<const uint8_t> bytes) {
  if (bytes.size() >= 8 && png_sig_cmp(bytes.data(), 0, 8) == 0) return DecodePng(bytes);
  if (bytes.size() >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF) {
    return DecodeJpeg(bytes);
  }
  return Parsed<RgbImage>::Fail("unknown image format");
}

Bitmap ToBitmap(const RgbImage& image) {
  Bitmap bitmap(image.Width, image.Height);
  const uint8_t* src = image.Rgb.data();
  for (auto& pixel : bitmap.Pixels) {
    pixel = Rgb565(src[0], src[1], src[2]);
    src += 3;
  }
  return bitmap;
}

RgbImage ToRgb(const Bitmap& bitmap) {
  RgbImage image;
  image.Width = bitmap.Width;
  image.Height = bitmap.Height;
  image.Rgb.reserve(bitmap.Pixels.size() * 3);
  for (uint16_t p : bitmap.Pixels) {
    image.Rgb.push_back(static_cast<uint8_t>(Red8(p)));
    image.Rgb.push_back(static_cast<uint8_t>(Green8(p)));
    image.Rgb.push_back(static_cast<uint8_t>(Blue8(p)));
  }
  return image;
}

}  // namespace plumix
