// The registry component: values kept per hive in two INI files.

#include "toolkit/KavReg.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

using toolkit::KavReg;

class KavRegTest : public testsupport::TempDirTest {
protected:
    KavReg registry_{{path(QStringLiteral("user/registry.ini")), path(QStringLiteral("machine/registry.ini"))}};
};

TEST_F(KavRegTest, ValuesComeBackFromTheHiveAndKeyTheyWereWrittenTo)
{
    const QString soundKey = QStringLiteral("Quelvoro Inet\\IHM Client");
    EXPECT_EQ(registry_.SetValue(KavReg::CurrentUser, soundKey, QStringLiteral("InitVolSon"), QStringLiteral("40000"),
                                 KavReg::FamilyKey),
              0);
    EXPECT_EQ(registry_.GetValue(KavReg::CurrentUser, soundKey, QStringLiteral("InitVolSon"), KavReg::FamilyKey),
              QStringLiteral("40000"));
    // A trailing separator or "/" for "\" names the same key.
    EXPECT_EQ(registry_.GetValue(KavReg::CurrentUser, QStringLiteral("Quelvoro Inet/IHM Client\\"),
                                 QStringLiteral("InitVolSon"), KavReg::FamilyKey),
              QStringLiteral("40000"));

    struct Miss {
        long root;
        QString key;
        QString name;
        long option;
    };
    const Miss misses[] = {
        {KavReg::LocalMachine, soundKey, QStringLiteral("InitVolSon"), KavReg::FamilyKey},    // the other hive
        {KavReg::CurrentUser, soundKey, QStringLiteral("InitVolSon"), KavReg::FromHiveRoot},  // outside the family
        {KavReg::CurrentUser, soundKey, QStringLiteral("InitAvecSon"), KavReg::FamilyKey},    // never written
        {KavReg::CurrentUser, QStringLiteral("Quelvoro\\IHM Client"), QStringLiteral("InitVolSon"), KavReg::FamilyKey},
        {42, soundKey, QStringLiteral("InitVolSon"), KavReg::FamilyKey},  // no such hive
    };
    for (const auto& miss : misses)
        EXPECT_EQ(registry_.GetValue(miss.root, miss.key, miss.name, miss.option), QString())
            << miss.key.toStdString() << " " << miss.name.toStdString();
}

TEST_F(KavRegTest, MachineValuesAreReadFromTheMachineFile)
{
    KavReg writer({path(QStringLiteral("other.ini")), path(QStringLiteral("machine/registry.ini"))});
    ASSERT_EQ(writer.SetValue(KavReg::LocalMachine, QStringLiteral("Quelvoro\\IHM Client\\12F"),
                              QStringLiteral("Files"), QStringLiteral("/opt/quelvoro/12F/files"), KavReg::FamilyKey),
              0);
    EXPECT_EQ(registry_.GetValue(KavReg::LocalMachine, QStringLiteral("Quelvoro\\IHM Client\\12F"),
                                 QStringLiteral("Files"), KavReg::FamilyKey),
              QStringLiteral("/opt/quelvoro/12F/files"));
}

TEST_F(KavRegTest, AWriteThatCannotBeStoredIsReportedAndReadsNothing)
{
    // The machine's folder is a file here, so nothing can be written under it.
    writeFile(QStringLiteral("blocked"), "not a folder");
    KavReg registry({path(QStringLiteral("blocked/user.ini")), path(QStringLiteral("blocked/machine.ini"))});
    EXPECT_NE(registry.SetValue(KavReg::LocalMachine, QStringLiteral("Quelvoro\\IHM Client"), QStringLiteral("Dll"),
                                QStringLiteral("x"), KavReg::FamilyKey),
              0);
    EXPECT_NE(registry.SetValue(7, QStringLiteral("k"), QStringLiteral("v"), QStringLiteral("x"), KavReg::FamilyKey),
              0);
    EXPECT_EQ(registry.GetValue(KavReg::LocalMachine, QStringLiteral("Quelvoro\\IHM Client"), QStringLiteral("Dll"),
                                KavReg::FamilyKey),
              QString());
}

}  // namespace
