#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <atomic>
#include <chrono>

namespace plenfox::client::ui {

// Notes when the player last pressed a mouse button or a key inside one
// widget (the "Web" tab, page and toolbar): a download the page starts
// shortly after counts as started by the player. Scripts cannot make such
// events; they come from the window system only. Watches every event of the
// program (an application event filter) but looks at input events alone.
class PlayerInputWatch : public QObject {
public:
    // How long after the player's last input a download still counts as
    // asked for: long enough for a slow server to answer a click, short
    // enough that a page cannot wait for an old click to start its own.
    static constexpr std::chrono::milliseconds Recent{5000};

    explicit PlayerInputWatch(QWidget* watched);
    ~PlayerInputWatch() override;

    // Any thread.
    bool actedRecently() const;

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override;

private:
    static qint64 nowMs();

    QPointer<QWidget> watched;
    std::atomic<qint64> lastInputMs;
};

} // namespace plenfox::client::ui
