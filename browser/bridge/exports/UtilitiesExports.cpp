#include "browser/bridge/ExportSupport.h"
#include "browser/bridge/ShellThread.h"

#include "ComApartment.h"
#include "DesktopLauncher.h"
#include "FolderRevealer.h"
#include "ShellRequest.h"

#include <optional>

using namespace viewlink;

namespace {

// Converts an optional part: null is none; a text that cannot be read fails.
bool optionalText(JNIEnv* env, jstring text, std::optional<std::u16string>& out) {
    if (!text)
        return true;
    CefString converted;
    if (!JavaStrings::toEngine(env, text, converted))
        return false;
    out = converted.ToString16();
    return true;
}

} // namespace

// The shell work runs on a thread of its own with its own COM apartment, and
// the caller waits for it; the shell's answer is not reported.
VIEWLINK_EXPORT(void, CefUtilities, browseInShell)(JNIEnv* env, jclass, jstring path) {
    CefString converted;
    if (!JavaStrings::toEngine(env, path, converted))
        return;
    const std::u16string item = converted.ToString16();
    ShellThread::run([&item] {
        ComApartment apartment;
        if (apartment.joined())
            FolderRevealer::showInFolder(item);
    });
}

VIEWLINK_EXPORT(void, CefUtilities, shellExecute)
(JNIEnv* env, jclass, jstring operation, jstring file, jstring parameters, jstring directory,
 jint showCommand) {
    ShellRequest request;
    CefString target;
    if (!JavaStrings::toEngine(env, file, target))
        return;
    request.file = target.ToString16();
    request.showCommand = showCommand;
    if (!optionalText(env, operation, request.operation) ||
        !optionalText(env, parameters, request.parameters) ||
        !optionalText(env, directory, request.directory))
        return;
    ShellThread::run([&request] {
        ComApartment apartment;
        if (apartment.joined())
            DesktopLauncher::execute(request);
    });
}
