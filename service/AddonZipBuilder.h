#pragma once

#include "service/UpdateCatalog.h"

#include <QByteArray>

namespace plenfox::service {

// Builds the zip file of a catalog package: one top-level folder per addon,
// holding "<Name>/<Name>.toc" (title, version, interface number) and a small
// code file the TOC names.
class AddonZipBuilder {
public:
    static inline const QString Interface = QStringLiteral("50400");

    // Throws IoError when the archive cannot be built.
    static QByteArray build(const UpdateCatalog::Package& package);
    static QByteArray tocText(const UpdateCatalog::Addon& addon);
};

} // namespace plenfox::service
