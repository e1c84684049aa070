#include "app/jpeg_image.h"
#include <csetjmp>
#include <cstdio>
// jpeglib.h needs FILE and size_t declared before it.
#include <jpeglib.h>

namespace {

// libjpeg reports a fatal error through error_exit, which must not return:
// it jumps back to Decompress with the message kept for the exception.
// Warnings (corrupt or truncated data) are kept too and refuse the picture.
struct JpegErrorManager {
    jpeg_error_mgr Base;
    std::jmp_buf Jump;
    char Message[JMSG_LENGTH_MAX];
    bool Warned;
};

void KeepMessage(j_common_ptr info)
{
    auto* errors = reinterpret_cast<JpegErrorManager*>(info->err);
    (*info->err->format_message)(info, errors->Message);
}

[[noreturn]] void ErrorExit(j_common_ptr info)
{
    KeepMessage(info);
    std::longjmp(reinterpret_cast<JpegErrorManager*>(info->err)->Jump, 1);
}

void EmitMessage(j_common_ptr info, int level)
{
    // Level -1 is a warning about the data; higher levels are trace output.
    auto* errors = reinterpret_cast<JpegErrorManager*>(info->err);
    if (level < 0 && !errors->Warned) {
        errors->Warned = true;
        KeepMessage(info);
    }
}

// Makes the image the decoder writes into; a picture too large to hold gives
// a null image.
void AllocateImage(QImage* image, JDIMENSION width, JDIMENSION height)
{
    *image = QImage(int(width), int(height), QImage::Format_RGB888);
}

// Holds no object with a destructor, so that the jump from ErrorExit skips
// nothing that needs cleaning up; the caller owns the decompressor and image.
bool Decompress(jpeg_decompress_struct* info, JpegErrorManager* errors, const QByteArray* data,
                QImage* image)
{
    if (setjmp(errors->Jump))
        return false;
    jpeg_mem_src(info, reinterpret_cast<const unsigned char*>(data->constData()),
                 static_cast<unsigned long>(data->size()));
    jpeg_read_header(info, TRUE);
    info->out_color_space = JCS_RGB;
    jpeg_start_decompress(info);
    AllocateImage(image, info->output_width, info->output_height);
    if (image->isNull()) {
        std::snprintf(errors->Message, sizeof errors->Message, "picture of %u x %u pixels is too large",
                      unsigned(info->output_width), unsigned(info->output_height));
        return false;
    }
    while (info->output_scanline < info->output_height) {
        JSAMPROW row = image->scanLine(int(info->output_scanline));
        jpeg_read_scanlines(info, &row, 1);
    }
    jpeg_finish_decompress(info);
    return !errors->Warned;
}

} // namespace

QImage DecodeJpeg(const QByteArray& data)
{
    jpeg_decompress_struct info;
    JpegErrorManager errors{};
    info.err = jpeg_std_error(&errors.Base);
    errors.Base.error_exit = ErrorExit;
    errors.Base.emit_message = EmitMessage;
    jpeg_create_decompress(&info);
    QImage image;
    const bool decoded = Decompress(&info, &errors, &data, &image);
    jpeg_destroy_decompress(&info);
    if (!decoded)
        throw EJpegError(QStringLiteral("Cannot read the JPEG picture: %1")
                             .arg(QString::fromLocal8Bit(errors.Message)));
    return image;
}
