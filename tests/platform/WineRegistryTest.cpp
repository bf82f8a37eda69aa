#include "platform/WineRegistry.h"
#include "tests/support/TestSupport.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using plenfox::platform::Registry;
using plenfox::platform::WineRegistry;
using plenfox::platform::WineRegistryFile;
using plenfox::test::writeFile;
namespace fs = std::filesystem;

namespace {

const QString Key = QStringLiteral("SOFTWARE\\Blizzard Entertainment\\World of Warcraft");

// A registry file as Wine writes it, with the given sections after the header.
QByteArray registryFile(const QByteArray& sections) {
    return "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n\n" +
           sections;
}

std::optional<Registry::Value> valueOf(const WineRegistry& registry, const QString& key,
                                       const QString& name = QStringLiteral("InstallPath")) {
    return registry.readValue(key, name);
}

} // namespace

TEST(WineRegistryTest, ReadsValuesOfEveryForm) {
    // Keys come in any order; the 32-bit view's key wins over the plain one.
    const WineRegistry registry(
        registryFile(R"([Software\\Wow6432Node\\Blizzard Entertainment] 1600000000
"InstallPath"="C:\\Parent\\"

[Software\\Blizzard Entertainment\\World of Warcraft] 1600000000
#time=1d6b2a0c1e3f4a0
"InstallPath"="C:\\Plain\\"
"OnlyPlain"="plain value"

[Software\\Wow6432Node\\Blizzard Entertainment\\World of Warcraft Beta] 1600000000
"InstallPath"="C:\\Beta\\"

[Software\\Wow6432Node\\Blizzard Entertainment\\World of Warcraft] 1600000000
#time=1d6b2a0c1e3f4a0
"Note"="[Software\\Wow6432Node\\Blizzard Entertainment\\World of Warcraft]"
"InstallPath"="C:\\Games\\W\x00f6rld \"of\" \xe9\u00e9\101 Warcraft\\"
"Count"=dword:00000010
"Expand"=str(2):"%ProgramFiles%\\WoW"
"List"=str(7):"one\0two\0"
"Hex"=hex(2):25,00,50,00,72,00,6f,00,67,00,\
  72,00,61,00,6d,00,00,00
"HexString"=hex(1):43,00,3a,00,5c,00,00,00
"Big"=hex(b):00,00,00,00,01,00,00,00
"Raw"=hex:de,ad,be,ef
@="default"

[Software\\Caf\x00e9\\Escaped\]Name]
"Value"="found"

[Software\\Wow6432Node\\Blizzard Entertainment\\World of Warcraft\\Sub] 1600000000
"Hidden"="below"
)"));

    EXPECT_TRUE(registry.keyExists(Key));
    EXPECT_TRUE(registry.keyExists(Key.toUpper()));
    // The parent key exists in the 32-bit view only; its value is not the child's.
    EXPECT_TRUE(registry.keyExists(QStringLiteral("SOFTWARE\\Blizzard Entertainment")));
    EXPECT_FALSE(registry.keyExists(QStringLiteral("SOFTWARE\\Blizzard")));

    const std::optional<Registry::Value> path = valueOf(registry, Key);
    ASSERT_TRUE(path);
    EXPECT_EQ(path->type, Registry::ValueType::String);
    EXPECT_EQ(path->data, QStringLiteral("C:\\Games\\Wörld \"of\" ééA Warcraft\\"));
    // A value only the plain key has is still found there.
    EXPECT_EQ(valueOf(registry, Key, QStringLiteral("onlyplain"))->data,
              QStringLiteral("plain value"));
    // Values of the next key do not belong to this one.
    EXPECT_FALSE(valueOf(registry, Key, QStringLiteral("Hidden")));
    EXPECT_FALSE(valueOf(registry, Key, QStringLiteral("Missing")));

    const std::optional<Registry::Value> count = valueOf(registry, Key, QStringLiteral("Count"));
    EXPECT_EQ(count->type, Registry::ValueType::DWord);
    EXPECT_EQ(count->data, QStringLiteral("16"));
    const std::optional<Registry::Value> expand = valueOf(registry, Key, QStringLiteral("Expand"));
    EXPECT_EQ(expand->type, Registry::ValueType::ExpandString);
    EXPECT_EQ(expand->data, QStringLiteral("%ProgramFiles%\\WoW"));
    EXPECT_EQ(valueOf(registry, Key, QStringLiteral("List"))->data, QStringLiteral("one; two"));
    const std::optional<Registry::Value> hex = valueOf(registry, Key, QStringLiteral("Hex"));
    EXPECT_EQ(hex->type, Registry::ValueType::ExpandString);
    EXPECT_EQ(hex->data, QStringLiteral("%Program"));
    const std::optional<Registry::Value> hexString =
        valueOf(registry, Key, QStringLiteral("HexString"));
    EXPECT_EQ(hexString->type, Registry::ValueType::String);
    EXPECT_EQ(hexString->data, QStringLiteral("C:\\"));
    EXPECT_EQ(valueOf(registry, Key, QStringLiteral("Big"))->data, QStringLiteral("4294967296"));
    EXPECT_EQ(valueOf(registry, Key, QStringLiteral("Raw"))->type, Registry::ValueType::Binary);
    EXPECT_EQ(valueOf(registry, Key, QString())->data, QStringLiteral("default"));

    // Headers with escapes beyond "\\" are decoded before they are compared.
    EXPECT_EQ(
        valueOf(registry, QStringLiteral("Software\\Café\\Escaped]Name"), QStringLiteral("Value"))
            ->data,
        QStringLiteral("found"));
}

TEST(WineRegistryTest, KeysOfA32BitPrefixAndCutLines) {
    // A 32-bit prefix has no Wow6432Node; a line cut off is no value.
    const WineRegistry registry(
        registryFile(R"([Software\\Blizzard Entertainment\\World of Warcraft]
"InstallPath"="C:\\Program Files\\World of Warcraft
"Other"=dword:zz
"Fine"="yes"
)"));
    EXPECT_TRUE(registry.keyExists(Key));
    EXPECT_FALSE(valueOf(registry, Key));
    EXPECT_FALSE(valueOf(registry, Key, QStringLiteral("Other")));
    EXPECT_EQ(valueOf(registry, Key, QStringLiteral("Fine"))->data, QStringLiteral("yes"));
}

TEST(WineRegistryTest, FindsHeadersAtEveryPlaceOfTheText) {
    // The wanted header at every offset near the end of the text, with and
    // without a line end after it, after a value line whose "]" sits where
    // the header's would; cut short, the header no longer counts.
    const QByteArray header =
        "[SOFTWARE\\\\wow6432NODE\\\\Blizzard Entertainment\\\\World of Warcraft]";
    for (int pad = 0; pad < 150; ++pad) {
        for (const QByteArray& end : {QByteArray(), QByteArray("\n"), QByteArray("\r\n")}) {
            const QByteArray decoy = "\"Note\"=\"" + QByteArray(header.size() - 9, 'n') + "]\"\n";
            QByteArray text = registryFile("[Software\\\\Filler]\n\"Pad\"=\"" +
                                           QByteArray(pad, 'p') + "\"\n" + decoy) +
                              header + end;
            const WineRegistry registry(text);
            EXPECT_TRUE(registry.keyExists(Key)) << pad;
            EXPECT_EQ(
                valueOf(registry, QStringLiteral("Software\\Filler"), QStringLiteral("Pad"))->data,
                QString(pad, u'p'));
            // Cut inside the header, the key is gone.
            text.chop(end.size() + 1);
            EXPECT_FALSE(WineRegistry(text).keyExists(Key)) << pad;
        }
    }

    // A text that starts with the header.
    const WineRegistry bare(header + "\n\"InstallPath\"=\"C:\\\\WoW\"\n");
    EXPECT_EQ(valueOf(bare, Key)->data, QStringLiteral("C:\\WoW"));
}

TEST(WineRegistryTest, BadFilesAreRefusedWithAReason) {
    QTemporaryDir folder;
    const fs::path root = fs::path(folder.path().toStdU16String());
    QString problem;

    EXPECT_FALSE(WineRegistry::read(root / "missing.reg", problem));
    EXPECT_FALSE(problem.isEmpty());

    problem.clear();
    EXPECT_FALSE(WineRegistry::read(root, problem)) << "a folder";
    EXPECT_FALSE(problem.isEmpty());

    QByteArray binary("MZ\x90\0\x03\0\0\0[Software\\\\x]\n", 20);
    writeFile(root / "binary.reg", binary);
    problem.clear();
    EXPECT_FALSE(WineRegistry::read(root / "binary.reg", problem));
    EXPECT_EQ(problem, QStringLiteral("not a Wine registry file"));

    // Beyond the limit only the whole lines before it are read.
    const QByteArray text = registryFile("[Software\\\\First]\n\"A\"=\"1\"\n"
                                         "[Software\\\\Second]\n\"B\"=\"22222222\"\n");
    writeFile(root / "large.reg", text);
    const std::unique_ptr<WineRegistry> cut =
        WineRegistry::read(root / "large.reg", problem, text.indexOf("222") + 2);
    ASSERT_TRUE(cut);
    EXPECT_TRUE(cut->truncated());
    EXPECT_EQ(cut->readValue(QStringLiteral("Software\\First"), QStringLiteral("A"))->data,
              QStringLiteral("1"));
    EXPECT_TRUE(cut->keyExists(QStringLiteral("Software\\Second")));
    EXPECT_FALSE(cut->readValue(QStringLiteral("Software\\Second"), QStringLiteral("B")));

    const std::unique_ptr<WineRegistry> whole = WineRegistry::read(root / "large.reg", problem);
    ASSERT_TRUE(whole);
    EXPECT_FALSE(whole->truncated());
    EXPECT_EQ(whole->readValue(QStringLiteral("Software\\Second"), QStringLiteral("B"))->data,
              QStringLiteral("22222222"));
}

TEST(WineRegistryTest, ReadsFilesLargerThanItsBufferLineByLine) {
    QTemporaryDir folder;
    const fs::path file = fs::path(folder.path().toStdU16String()) / "system.reg";
    QString problem;
    // The wanted key's header and its lines at every place around the end
    // of the first piece.
    for (qsizetype delta = -40; delta <= 40; delta += 3) {
        QByteArray text = registryFile("[Software\\\\Filler]\n\"Pad\"=\"");
        const QByteArray target = "\"\n[Software\\\\Target] 1600000000\n\"Value\"=\"found\"\n";
        const qsizetype pad = WineRegistryFile::PieceSize + delta - text.size() - 2;
        text += QByteArray(pad, 'p') + target;
        writeFile(file, text);
        const std::unique_ptr<WineRegistry> registry = WineRegistry::read(file, problem);
        ASSERT_TRUE(registry) << problem.toStdString();
        const std::optional<Registry::Value> value =
            registry->readValue(QStringLiteral("Software\\Target"), QStringLiteral("Value"));
        ASSERT_TRUE(value) << delta;
        EXPECT_EQ(value->data, QStringLiteral("found"));
        EXPECT_EQ(
            registry->readValue(QStringLiteral("Software\\Filler"), QStringLiteral("Pad"))->data,
            QString(pad, u'p'));
    }

    // A line longer than a piece, and a last line without its line end.
    writeFile(file, registryFile("[Software\\\\Long]\n\"Blob\"=hex:" + QByteArray(700000, 'a') +
                                 "\n\"After\"=\"x\"\n[Software\\\\Last]\n\"Value\"=\"end\""));
    const std::unique_ptr<WineRegistry> registry = WineRegistry::read(file, problem);
    ASSERT_TRUE(registry);
    EXPECT_FALSE(registry->readValue(QStringLiteral("Software\\Long"), QStringLiteral("Blob")));
    EXPECT_EQ(registry->readValue(QStringLiteral("Software\\Long"), QStringLiteral("After"))->data,
              QStringLiteral("x"));
    EXPECT_EQ(registry->readValue(QStringLiteral("Software\\Last"), QStringLiteral("Value"))->data,
              QStringLiteral("end"));
    EXPECT_FALSE(registry->keyExists(QStringLiteral("Software\\Missing")));
}

TEST(WineRegistryTest, KeysThatDifferOnlyInTheirLastCharacterStayApart) {
    // Each name's every character counts, the last one too; the longer name
    // "Key10" does not answer for "Key1" either.
    const WineRegistry registry(registryFile(R"([Software\\Plenfox\\Key10] 1600000000
"Value"="tenth"

[Software\\Plenfox\\Key1] 1600000000
"Value"="first"

[Software\\Plenfox\\Key2] 1600000000
"Value"="second"
)"));
    const auto value = [&registry](const char* key) {
        const auto found = valueOf(registry, QString::fromLatin1(key), QStringLiteral("Value"));
        return found ? found->data : QStringLiteral("<none>");
    };
    EXPECT_EQ(value("Software\\Plenfox\\Key2"), QStringLiteral("second"));
    EXPECT_EQ(value("Software\\Plenfox\\Key1"), QStringLiteral("first"));
    EXPECT_EQ(value("Software\\Plenfox\\Key10"), QStringLiteral("tenth"));
    EXPECT_FALSE(registry.keyExists(QStringLiteral("Software\\Plenfox\\Key3")));
}
