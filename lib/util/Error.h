#pragma once

#include <QString>
#include <QStringList>
#include <exception>
#include <string>

namespace plenfox::util {

// Base of the project's own errors. It records the call stack where it was
// constructed, so the log can show where a failure was raised. Its text form
// is "TypeName: message" (just "TypeName" when there is no message).
class Error : public std::exception {
public:
    Error(QString typeName, QString message);

    const QString& typeName() const { return type; }
    const QString& message() const { return text; }
    QString toString() const;
    // Stack entries from innermost to outermost, without the error's own frames.
    const QStringList& stackTrace() const { return stack; }
    const char* what() const noexcept override { return whatText.c_str(); }

private:
    QString type;
    QString text;
    QStringList stack;
    std::string whatText;
};

// A failed file or stream operation.
class IoError : public Error {
public:
    explicit IoError(QString message) : Error(QStringLiteral("IOException"), std::move(message)) {}

protected:
    IoError(QString type, QString message) : Error(std::move(type), std::move(message)) {}
};

// Malformed content of an object stream (unknown tag, wrong type, truncated).
class StreamCorruptedError : public IoError {
public:
    explicit StreamCorruptedError(QString message)
        : IoError(QStringLiteral("StreamCorruptedException"), std::move(message)) {}
};

// Malformed content of a zip archive (not a zip, bad checksum, broken data).
class ZipFormatError : public IoError {
public:
    explicit ZipFormatError(QString message)
        : IoError(QStringLiteral("ZipException"), std::move(message)) {}
};

// An operation called when the object is not in a state that allows it.
class IllegalStateError : public Error {
public:
    explicit IllegalStateError(QString message)
        : Error(QStringLiteral("IllegalStateException"), std::move(message)) {}
};

// An argument the operation does not accept (for example a null name).
class IllegalArgumentError : public Error {
public:
    explicit IllegalArgumentError(QString message)
        : Error(QStringLiteral("IllegalArgumentException"), std::move(message)) {}
};

// An operation the object does not support.
class UnsupportedOperationError : public Error {
public:
    explicit UnsupportedOperationError(QString message = {})
        : Error(QStringLiteral("UnsupportedOperationException"), std::move(message)) {}
};

// A task handed to a queue that no longer accepts tasks.
class RejectedExecutionError : public Error {
public:
    explicit RejectedExecutionError(QString message)
        : Error(QStringLiteral("RejectedExecutionException"), std::move(message)) {}
};

} // namespace plenfox::util
