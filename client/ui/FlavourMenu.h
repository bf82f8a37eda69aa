#pragma once

#include "client/model/wow/WowFlavour.h"

#include <QList>
#include <QObject>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

class QAction;
class QActionGroup;
class QMenu;

namespace plenfox::client::ui {

// The installed flavours as items of a menu, after a separator: one per
// flavour (its name and version), the current one checked. Choosing another
// one hands its folder name to the action. GUI thread only.
class FlavourMenu : public QObject {
public:
    // Items are named "flavour:" + the flavour's folder name.
    static inline const QString ObjectNamePrefix = QStringLiteral("flavour:");

    FlavourMenu(QMenu* menu, std::function<void(const QString& folderName)> choose,
                QObject* parent);

    // Replaces the items by these flavours.
    void show(const std::vector<wow::WowFlavour>& flavours, const std::optional<QString>& current);
    void setEnabled(bool enabled);
    QList<QAction*> items() const;

private:
    QMenu* menu;
    std::function<void(const QString&)> choose;
    QAction* separator = nullptr;
    QActionGroup* group = nullptr;
    bool enabled = true;
};

} // namespace plenfox::client::ui
