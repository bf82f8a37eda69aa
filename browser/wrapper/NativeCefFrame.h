#pragma once

#include "browser/boundary/BoundaryNames.h"
#include "browser/wrapper/CefFrame.h"
#include <QString>

#include <atomic>
#include <cstdint>
#include <string_view>

namespace plenfox::cef {

// A frame of the engine.
class NativeCefFrame final : public CefFrame {
public:
    static constexpr std::string_view JavaName = boundary::Kinds::Frame.className;

    void copy() override;
    void cut() override;
    void deleteSelection() override;
    void dispose() override;
    void executeJavaScript(const QString& code, const QString& scriptUrl,
                           std::int32_t startLine) override;
    QString getName() override;
    QString getSource() override;
    QString getText() override;
    QString getURL() override;
    bool isFocused() override;
    bool isMain() override;
    void loadRequest(std::shared_ptr<CefRequest> request) override;
    void loadStream(std::shared_ptr<CefStreamReader> stream, const QString& url) override;
    void loadString(const QString& content, const QString& url) override;
    void loadURL(const QString& url) override;
    void paste() override;
    void print() override;
    void redo() override;
    void selectAll() override;
    void undo() override;
    void viewSource() override;

    // The native object's address ("n_handleCefFrame"); only the bridge reads and writes it.
    std::atomic<std::int64_t> handle{0};
};

} // namespace plenfox::cef
