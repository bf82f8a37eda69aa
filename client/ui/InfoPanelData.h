#pragma once

#include <QString>
#include <array>

namespace plenfox::client::ui {

// What the addons panel's three information lines are made of. A value:
// each change makes a new copy that the GUI thread shows.
struct InfoPanelData {
    QString installPath = QStringLiteral("<not installed>");
    QString flavour; // the flavour worked on ("Retail 12.1.0.69382"), or empty
    int addons = 0;
    bool runningQuery = false;
    bool haveUpdateData = false;
    bool updatesDisabled = false;
    int outOfDateAddons = 0;
    int availableUpdates = 0;
    int learnedPackages = 0;
    int learnedAddons = 0;
    QString serverMessage; // null when the service sent none

    InfoPanelData copy() const { return *this; }
    // The install path line, the update summary line and the server message line.
    std::array<QString, 3> lines() const;
};

} // namespace plenfox::client::ui
