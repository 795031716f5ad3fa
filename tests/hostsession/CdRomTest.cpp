// The CD-ROM drive both hosts look for: the first mounted disc file system.

#include "hostsession/ModuleSession.h"
#include "toolkit/SessionState.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

class CdRomTest : public testsupport::TempDirTest {};

TEST_F(CdRomTest, FirstMountedDiscFileSystemIsTheDrive)
{
    struct Case {
        const char* name;
        QByteArray table;
        bool found;
        QString root;
    };
    const Case cases[] = {
        {"an iso9660 disc among other file systems",
         "proc /proc proc rw 0 0\n/dev/sda1 / ext4 rw 0 0\n/dev/sr0 /media/cours iso9660 ro 0 0\n", true,
         QStringLiteral("/media/cours/")},
        {"the first of two discs", "/dev/sr0 /media/a udf ro 0 0\n/dev/sr1 /media/b iso9660 ro 0 0\n", true,
         QStringLiteral("/media/a/")},
        {"a blank in the mount point", "/dev/sr0 /media/CD\\040Traitement\\040de\\040texte ISO9660 ro 0 0\n", true,
         QStringLiteral("/media/CD Traitement de texte/")},
        {"no disc", "/dev/sda1 / ext4 rw 0 0\nbroken line\n\n", false, QString()},
        {"an empty table", "", false, QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        toolkit::SessionState state;
        state.mountTable = writeFile(QStringLiteral("mounts"), c.table);
        const hostsession::ModuleSession session(state);
        QString root = QStringLiteral("earlier");
        EXPECT_EQ(session.puFindCDRom(root), c.found);
        EXPECT_EQ(root, c.root);
    }
    toolkit::SessionState state;
    state.mountTable = path(QStringLiteral("no-such-table"));
    QString root = QStringLiteral("earlier");
    EXPECT_FALSE(hostsession::ModuleSession(state).puFindCDRom(root));
    EXPECT_EQ(root, QString());
}

}  // namespace
