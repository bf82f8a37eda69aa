#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QStringList>

#include <optional>
#include <vector>

namespace plenfox::platform {

// Finds the sections (the value lines) of given keys in a Wine registry text
// held whole: with one pass of WineHeaderSearch when every key has a plain
// header, otherwise header by header with WineSectionCollector.
class WineSectionFinder {
public:
    // The sections of the keys in text of whole lines (the last may lack its
    // end), in the order of the keys; absent for a key without a header. A
    // key written twice counts where it first appears.
    static std::vector<std::optional<QByteArray>> find(QByteArrayView text,
                                                       const QStringList& keys);

    // The header of `key` as Wine writes it, lower-cased ("[software\\x]"):
    // plain ASCII with "\\" and "\]" escaped. Absent for a key that a header
    // could also spell differently (a quote, "[", control or non-ASCII
    // characters).
    static std::optional<QByteArray> plainHeader(const QString& key);

private:
    static std::vector<std::optional<QByteArray>>
    plainSections(QByteArrayView text, const std::vector<QByteArray>& headers);
    // Where the lines of the section that starts at `from` end: at the next
    // line that opens a key, or at the end of the text.
    static qsizetype sectionEnd(QByteArrayView text, qsizetype from);
};

} // namespace plenfox::platform
