#include "client/model/wow/ReleaseVersions.h"

namespace plenfox::client::wow {

const std::array<ReleaseVersions::Release, ReleaseVersions::ReleaseCount>&
ReleaseVersions::wowVersions() {
    // Built once, on first use; several releases share an interface number.
    static const std::array<Release, ReleaseCount> table = {{
        {std::nullopt, QStringLiteral("1.1.0"), QStringLiteral("World of Warcraft"),
         QStringLiteral("2004/11/07")},
        {std::nullopt, QStringLiteral("1.2.0"), QStringLiteral("Mysteries of Maraudon"),
         QStringLiteral("2004/12/18")},
        {QStringLiteral("1300"), QStringLiteral("1.3.0"), QStringLiteral("Ruins of the Dire Maul"),
         QStringLiteral("2005/03/07")},
        {QStringLiteral("1300"), QStringLiteral("1.4.0"), QStringLiteral("The Call to War"),
         QStringLiteral("2005/05/05")},
        {QStringLiteral("1500"), QStringLiteral("1.5.0"), QStringLiteral("Battlegrounds"),
         QStringLiteral("2005/06/07")},
        {QStringLiteral("1600"), QStringLiteral("1.6.0"),
         QStringLiteral("Assault on Blackwing Lair"), QStringLiteral("2005/07/12")},
        {QStringLiteral("1700"), QStringLiteral("1.7.0"), QStringLiteral("Rise of the Blood God"),
         QStringLiteral("2005/09/13")},
        {QStringLiteral("1800"), QStringLiteral("1.8.0"), QStringLiteral("Dragons of Nightmare"),
         QStringLiteral("2005/10/10")},
        {QStringLiteral("10900"), QStringLiteral("1.9.0"), QStringLiteral("The Gates of Ahn'Qiraj"),
         QStringLiteral("2006/01/03")},
        {QStringLiteral("11000"), QStringLiteral("1.10.0"), QStringLiteral("Storms of Azeroth"),
         QStringLiteral("2006/05/28")},
        {QStringLiteral("11100"), QStringLiteral("1.11.0"),
         QStringLiteral("Shadow of the Necropolis"), QStringLiteral("2006/06/20")},
        {QStringLiteral("11200"), QStringLiteral("1.12.0"), QStringLiteral("Drums of War"),
         QStringLiteral("2006/08/20")},
        {QStringLiteral("20000"), QStringLiteral("2.0.1"), QStringLiteral("Before the Storm"),
         QStringLiteral("2006/12/05")},
        {QStringLiteral("20003"), QStringLiteral("2.0.3"), QStringLiteral("Burning Crusade"),
         QStringLiteral("2007/01/09")},
        {QStringLiteral("20100"), QStringLiteral("2.1"), QStringLiteral("The Black Temple"),
         QStringLiteral("2007/03/15")},
        {QStringLiteral("20200"), QStringLiteral("2.2"), QStringLiteral("Voice Chat"),
         QStringLiteral("2007/09/25")},
        {QStringLiteral("20300"), QStringLiteral("2.3"), QStringLiteral("The Gods of Zul'Aman"),
         QStringLiteral("2007/11/13")},
        {QStringLiteral("20400"), QStringLiteral("2.4"), QStringLiteral("Fury of the Sunwell"),
         QStringLiteral("2008/03/25")},
        {QStringLiteral("30000"), QStringLiteral("3.0.2"), QStringLiteral("Echoes of Doom"),
         QStringLiteral("2008/10/14")},
        {QStringLiteral("30000"), QStringLiteral("3.0.3"), QStringLiteral("Wrath of the Lich King"),
         QStringLiteral("2008/11/04")},
        {QStringLiteral("30100"), QStringLiteral("3.1"), QStringLiteral("Secrets of Ulduar"),
         QStringLiteral("2009/04/14")},
        {QStringLiteral("30200"), QStringLiteral("3.2"), QStringLiteral("Call of the Crusade"),
         QStringLiteral("2009/08/04")},
        {QStringLiteral("30300"), QStringLiteral("3.3"), QStringLiteral("Fall of the Lich King"),
         QStringLiteral("2009/12/08")},
        {QStringLiteral("40000"), QStringLiteral("4.0.1"), QStringLiteral("Cataclysm Systems"),
         QStringLiteral("2010/10/12")},
        {QStringLiteral("40000"), QStringLiteral("4.0.3"), QStringLiteral("Cataclysm"),
         QStringLiteral("2010/11/16")},
        {QStringLiteral("40100"), QStringLiteral("4.1"), QStringLiteral("Rise of the Zandalari"),
         QStringLiteral("2011/04/26")},
        {QStringLiteral("40200"), QStringLiteral("4.2"), QStringLiteral("Rage of the Firelands"),
         QStringLiteral("2011/06/28")},
        {QStringLiteral("40300"), QStringLiteral("4.3"), QStringLiteral("Hour of Twilight"),
         QStringLiteral("2011/11/29")},
        {QStringLiteral("50001"), QStringLiteral("5.0"),
         QStringLiteral("Mists of Pandaria Systems Patch"), QStringLiteral("2012/08/28")},
        {QStringLiteral("50100"), QStringLiteral("5.1"), QStringLiteral("Landfall"),
         QStringLiteral("2012/11/27")},
        {QStringLiteral("50200"), QStringLiteral("5.2"), QStringLiteral("The Thunder King"),
         QStringLiteral("2013/03/05")},
        {QStringLiteral("50300"), QStringLiteral("5.3"), QStringLiteral("Escalation"),
         QStringLiteral("2013/05/21")},
        {QStringLiteral("50400"), QStringLiteral("5.4"), QStringLiteral("Siege of Orgimmar"),
         QStringLiteral("2013/09/10")},
        {QStringLiteral("60000"), QStringLiteral("6.0"), QStringLiteral("Warlords of Draenor"),
         QStringLiteral("2014/11/13")},
        {QStringLiteral("70000"), QStringLiteral("7.0"), QStringLiteral("Legion"),
         QStringLiteral("2016/08/30")},
        {QStringLiteral("80000"), QStringLiteral("8.0"), QStringLiteral("Battle for Azeroth"),
         QStringLiteral("2018/08/14")},
        {QStringLiteral("11300"), QStringLiteral("1.13"),
         QStringLiteral("World of Warcraft Classic"), QStringLiteral("2019/08/26")},
        {QStringLiteral("90001"), QStringLiteral("9.0"), QStringLiteral("Shadowlands"),
         QStringLiteral("2020/11/23")},
        {QStringLiteral("20500"), QStringLiteral("2.5"), QStringLiteral("Burning Crusade Classic"),
         QStringLiteral("2021/06/01")},
        {QStringLiteral("30400"), QStringLiteral("3.4"),
         QStringLiteral("Wrath of the Lich King Classic"), QStringLiteral("2022/09/26")},
        {QStringLiteral("100000"), QStringLiteral("10.0"), QStringLiteral("Dragonflight"),
         QStringLiteral("2022/11/28")},
        {QStringLiteral("11500"), QStringLiteral("1.15"), QStringLiteral("Classic Era"),
         QStringLiteral("2023/11/30")},
        {QStringLiteral("40400"), QStringLiteral("4.4"), QStringLiteral("Cataclysm Classic"),
         QStringLiteral("2024/05/20")},
        {QStringLiteral("110000"), QStringLiteral("11.0"), QStringLiteral("The War Within"),
         QStringLiteral("2024/08/26")},
        {QStringLiteral("50500"), QStringLiteral("5.5"),
         QStringLiteral("Mists of Pandaria Classic"), QStringLiteral("2025/07/01")},
        {QStringLiteral("120000"), QStringLiteral("12.0"), QStringLiteral("Midnight"),
         QStringLiteral("2026/03/02")},
    }};
    return table;
}

std::optional<QString>
ReleaseVersions::getInterfaceVersionName(const std::optional<QString>& interfaceNumber) {
    if (!interfaceNumber)
        return std::nullopt;
    std::optional<QString> found;
    for (const Release& release : wowVersions()) {
        if (release.interfaceNumber && *release.interfaceNumber == *interfaceNumber)
            found = release.version;
    }
    return found ? found : interfaceNumber;
}

QString ReleaseVersions::versionNameFor(int interfaceNumber) {
    const QString text = QString::number(interfaceNumber);
    std::optional<QString> found;
    for (const Release& release : wowVersions())
        if (release.interfaceNumber == text)
            found = release.version;
    if (found)
        return *found;
    // Numbers of the form major * 10000 + minor * 100 + patch.
    if (interfaceNumber < 10000)
        return text;
    const int major = interfaceNumber / 10000;
    const int minor = interfaceNumber / 100 % 100;
    const int patch = interfaceNumber % 100;
    QString version = QString::number(major) + QLatin1Char('.') + QString::number(minor);
    if (patch != 0)
        version += QLatin1Char('.') + QString::number(patch);
    return version;
}

} // namespace plenfox::client::wow
