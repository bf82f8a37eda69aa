#include "DesktopLauncher.h"

#ifdef _WIN32
#include <windows.h>

#include <shellapi.h>
#else
#include <QProcess>
#include <QString>
#endif

namespace {

#ifdef _WIN32
const wchar_t* wide(const std::optional<std::u16string>& text) {
    return text ? reinterpret_cast<const wchar_t*>(text->c_str()) : nullptr;
}
#else
QString toQString(const std::u16string& text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

bool isOpenOperation(const std::optional<std::u16string>& operation) {
    return !operation || operation->empty() || *operation == u"open" || *operation == u"explore";
}
#endif

} // namespace

bool DesktopLauncher::execute(const ShellRequest& request) {
    if (request.file.empty())
        return false;
#ifdef _WIN32
    const auto result = reinterpret_cast<INT_PTR>(ShellExecuteW(
        nullptr, wide(request.operation), reinterpret_cast<LPCWSTR>(request.file.c_str()),
        wide(request.parameters), wide(request.directory), request.showCommand));
    // Values above 32 mean success.
    return result > 32;
#else
    if (!isOpenOperation(request.operation))
        return false;
    // Arguments for a program to run are a Windows shell feature; the desktop
    // opener takes the target alone.
    const QString directory = request.directory ? toQString(*request.directory) : QString();
    return QProcess::startDetached(QStringLiteral("xdg-open"), {toQString(request.file)},
                                   directory);
#endif
}

bool DesktopLauncher::open(const std::u16string& target) {
    ShellRequest request;
    request.file = target;
    return execute(request);
}
