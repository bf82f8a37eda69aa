#include "lib/util/Error.h"

#if defined(__GLIBC__)
#include <cstdlib>
#include <cxxabi.h>
#include <execinfo.h>
#include <memory>
#endif

namespace plenfox::util {
namespace {

#if defined(__GLIBC__)
// Turns "binary(mangled+0x12) [0xaddr]" into "demangled+0x12 (binary)" where possible.
QString describeFrame(const char* symbol) {
    const QString raw = QString::fromLocal8Bit(symbol);
    const qsizetype open = raw.indexOf(QLatin1Char('('));
    const qsizetype plus = raw.indexOf(QLatin1Char('+'), open);
    if (open < 0 || plus < 0 || plus == open + 1)
        return raw;
    const QByteArray mangled = raw.mid(open + 1, plus - open - 1).toLocal8Bit();
    int status = 0;
    std::unique_ptr<char, decltype(&std::free)> name(
        abi::__cxa_demangle(mangled.constData(), nullptr, nullptr, &status), &std::free);
    if (status != 0 || !name)
        return raw;
    return QString::fromLocal8Bit(name.get()) + QStringLiteral(" (") + raw.left(open) +
           QLatin1Char(')');
}
#endif

QStringList captureStack() {
    QStringList frames;
#if defined(__GLIBC__)
    constexpr int MaxFrames = 48;
    void* addresses[MaxFrames];
    const int count = backtrace(addresses, MaxFrames);
    std::unique_ptr<char*, decltype(&std::free)> symbols(backtrace_symbols(addresses, count),
                                                         &std::free);
    if (!symbols)
        return frames;
    // Skip captureStack and the Error constructor themselves.
    for (int i = 2; i < count; ++i)
        frames << describeFrame(symbols.get()[i]);
#endif
    return frames;
}

} // namespace

Error::Error(QString typeName, QString message)
    : type(std::move(typeName)), text(std::move(message)), stack(captureStack()),
      whatText(toString().toStdString()) {}

QString Error::toString() const {
    return text.isEmpty() ? type : type + QStringLiteral(": ") + text;
}

} // namespace plenfox::util
