#pragma once
// The runtime's exception classes. Every error the system raises on purpose
// derives from Exception; EAbort is the silent abort that no box ever shows.
#include <QString>
#include <QByteArray>
#include <exception>

class Exception : public std::exception {
public:
    explicit Exception(QString message = {}) : Message(std::move(message)), utf8_(Message.toUtf8()) {}
    const char* what() const noexcept override { return utf8_.constData(); }
    QString Message;

private:
    QByteArray utf8_;
};

// Raised to leave an operation without a message (a refused post, a "No").
class EAbort : public Exception { public: using Exception::Exception; };
class EDatabaseError : public Exception { public: using Exception::Exception; };
class EConvertError : public Exception { public: using Exception::Exception; };
class ERangeError : public Exception { public: using Exception::Exception; };
class EListError : public Exception { public: using Exception::Exception; };
class EInvalidOperation : public Exception { public: using Exception::Exception; };
class EInOutError : public Exception { public: using Exception::Exception; };

// Raises the silent abort.
[[noreturn]] void Abort();

// A text the user gave, as an error message quotes it: in single quotes, cut
// to its first 40 characters and an ellipsis, so that a pasted page makes a
// box of one line.
QString QuotedInput(const QString& text);
