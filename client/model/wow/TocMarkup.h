#pragma once

#include <QString>

namespace plenfox::client::wow {

// The game's text markup as addons use it in their titles and notes:
// "|cAARRGGBB" ... "|r" colours, "|T...|t" textures, "|A...|a" atlases,
// "|H...|h" links, "|n" line breaks and "||" for a bar.
class TocMarkup {
public:
    // The text a player reads: colours and links dropped with their codes,
    // textures and atlases dropped whole, a line break as a blank, "||" as
    // "|". Bars that start no markup stay.
    static QString strip(const QString& text);
    // Whether a version text is a placeholder the packager fills in
    // ("@project-version@"): the addon is an unpackaged development copy.
    static bool isDevelopmentVersion(const QString& version);
};

} // namespace plenfox::client::wow
