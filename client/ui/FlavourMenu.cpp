#include "client/ui/FlavourMenu.h"

#include <QActionGroup>
#include <QMenu>

namespace plenfox::client::ui {

FlavourMenu::FlavourMenu(QMenu* menu, std::function<void(const QString&)> choose, QObject* parent)
    : QObject(parent), menu(menu), choose(std::move(choose)) {}

void FlavourMenu::show(const std::vector<wow::WowFlavour>& flavours,
                       const std::optional<QString>& current) {
    for (QAction* item : items()) {
        menu->removeAction(item);
        delete item;
    }
    delete group;
    group = nullptr;
    if (separator) {
        menu->removeAction(separator);
        delete separator;
        separator = nullptr;
    }
    if (flavours.empty())
        return;
    separator = menu->addSeparator();
    group = new QActionGroup(this);
    group->setExclusive(true);
    for (const wow::WowFlavour& flavour : flavours) {
        QAction* item = menu->addAction(flavour.label());
        item->setObjectName(ObjectNamePrefix + flavour.folderName());
        item->setCheckable(true);
        item->setChecked(current && flavour.sameFolder(*current));
        item->setEnabled(enabled);
        item->setToolTip(QString::fromStdU16String(flavour.folder().u16string()));
        group->addAction(item);
        const QString folderName = flavour.folderName();
        connect(item, &QAction::triggered, this, [this, folderName] { choose(folderName); });
    }
}

void FlavourMenu::setEnabled(bool on) {
    enabled = on;
    for (QAction* item : items())
        item->setEnabled(on);
}

QList<QAction*> FlavourMenu::items() const {
    return group ? group->actions() : QList<QAction*>();
}

} // namespace plenfox::client::ui
