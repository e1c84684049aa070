#pragma once
// Decodes a JPEG held in memory with libjpeg into a QImage.
#include "platform/rtl/exceptions.h"
#include <QByteArray>
#include <QImage>

class EJpegError : public Exception { public: using Exception::Exception; };

// RGB image of the picture; EJpegError naming the fault when the data is not
// a whole, readable JPEG picture (a damaged file never yields half a picture).
QImage DecodeJpeg(const QByteArray& data);
