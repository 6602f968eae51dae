#include "ui/jpeg.h"

#include <jpeglib.h>

#include <csetjmp>
#include <cstdio>

#include "workspace/error.h"

namespace bw {
namespace {

struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];  // libjpeg's English texts, plain ASCII
};

void OnError(j_common_ptr info) {
  auto* manager = reinterpret_cast<ErrorManager*>(info->err);
  (*info->err->format_message)(info, manager->message);
  std::longjmp(manager->jump, 1);
}

void OnMessage(j_common_ptr) {}  // warnings stay quiet

}  // namespace

QImage DecodeJpeg(const QByteArray& bytes, const QString& name) {
  jpeg_decompress_struct info{};
  ErrorManager errors{};
  info.err = jpeg_std_error(&errors.pub);
  errors.pub.error_exit = OnError;
  errors.pub.output_message = OnMessage;
  // Objects with destructors must not live across the setjmp: the picture is created below.
  QImage* volatile image = nullptr;
  if (setjmp(errors.jump)) {
    jpeg_destroy_decompress(&info);
    delete image;
    throw Error(QStringLiteral("Das Bild „%1“ ist beschädigt: %2").arg(name, QString::fromLatin1(errors.message)));
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.constData()), static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&info, TRUE);
#ifdef JCS_EXTENSIONS
  // Straight into the layout the screen uses, saving a conversion of the whole picture.
  info.out_color_space = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRX : JCS_EXT_XRGB;
  const QImage::Format format = QImage::Format_RGB32;
#else
  info.out_color_space = JCS_RGB;
  const QImage::Format format = QImage::Format_RGB888;
#endif
  jpeg_start_decompress(&info);
  image = new QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height), format);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = image->scanLine(static_cast<int>(info.output_scanline));
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  QImage result = std::move(*image);
  delete image;
  return result;
}

}  // namespace bw
