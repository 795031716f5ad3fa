// Exercise files written to hurt: what would take the parser hours or
// gigabytes, entities, and names that are not plain files. Each is refused
// quickly as a file that cannot be read (23043); a harmless file of the same
// shape still loads.

#include "EngineFixture.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace exerva_test {
namespace {

// The exercise-application file of the fixtures, with `rootAttributes` on the
// root element, `doctype` before it, `caption` as the window's caption and
// `extra` as one more child of the root.
QByteArray exoAppFile(const QByteArray& caption, const QByteArray& rootAttributes = {},
                      const QByteArray& doctype = {}, const QByteArray& extra = {})
{
    return "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\n" + doctype + "<EXERCICE" + rootAttributes + ">"
        + "<INFORMATION><SCRAMBLED>False</SCRAMBLED><I1/><I2/><I3/><I4/><I5/><I6/><I7/></INFORMATION>"
        + "<EXOAPP1><FORM><CAPTION>" + caption
        + "</CAPTION><HEIGHT>120</HEIGHT><WIDTH>200</WIDTH><UNUSED/><COLOR/></FORM><COMMONTOOLS/><ZI/></EXOAPP1>"
        + extra + "</EXERCICE>";
}

QByteArray attributes(int count)
{
    QByteArray made;
    for (int i = 0; i < count; ++i)
        made += " a" + QByteArray::number(i) + "=\"1\"";
    return made;
}

QByteArray nested(int depth)
{
    return QByteArray("<N>").repeated(depth) + QByteArray("</N>").repeated(depth);
}

struct HostileCase {
    const char* name;
    QByteArray bytes;
    long expected;
};

class HostileFileTest : public EngineTest {
protected:
    long loadBytes(const QByteArray& bytes)
    {
        writeFile(QStringLiteral("12F/x.xml"), bytes);
        return load(QStringLiteral("x.xml"));
    }
};

TEST_F(HostileFileTest, FilesBeyondWhatAnExerciseHoldsAreRefused)
{
    const QByteArray secret = writeFile(QStringLiteral("secret.txt"), "secret").toUtf8();
    const QByteArray externalEntity = "<!DOCTYPE EXERCICE [<!ENTITY e SYSTEM \"file://" + secret + "\">]>\n";
    const QByteArray bigEntity = "<!DOCTYPE EXERCICE [<!ENTITY e \"" + QByteArray(4000, 'y') + "\">]>\n";
    const QByteArray externalType = "<!DOCTYPE EXERCICE SYSTEM \"http://127.0.0.1:1/x.dtd\">\n";
    const QByteArray hugeComment = "<!--" + QByteArray(16 * 1024 * 1024, ' ') + "-->";
    const HostileCase cases[] = {
        {"ordinary", exoAppFile("Exercice"), 1},
        {"an external document type, never fetched", exoAppFile("Exercice", {}, externalType), 1},
        {"nesting an exercise never reaches", exoAppFile("Exercice", {}, {}, nested(257)), 23043},
        {"deep nesting, quadratic for the parser", exoAppFile("Exercice", {}, {}, nested(100000)), 23043},
        {"a tag of many attributes, quadratic for the parser", exoAppFile("Exercice", attributes(50000)), 23043},
        {"an entity referred to many times", exoAppFile(QByteArray("&e;").repeated(20000), {}, bigEntity), 23043},
        {"an external entity", exoAppFile("&e;", {}, externalEntity), 23043},
        {"an internal entity", exoAppFile("&e;", {}, "<!DOCTYPE EXERCICE [<!ENTITY e \"Exercice\">]>\n"), 23043},
        {"larger than 16 MB", exoAppFile("Exercice", {}, {}, hugeComment), 23043},
    };
    ASSERT_EQ(prepare(false, dir()), 1);
    for (const HostileCase& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(manager->FermePoint(), 1);
        EXPECT_EQ(loadBytes(c.bytes), c.expected);
        if (c.expected == 1) {
            EXPECT_EQ(window().windowTitle(), QStringLiteral("Exercice"));
        }
    }
}

TEST_F(HostileFileTest, AttributesAreCountedInEveryEncoding)
{
    const QString ordinary = QString::fromLatin1(exoAppFile("Exercice"));
    // "ļ" is the bytes "<" and 1 in UTF-16: a count over bytes would start again at each.
    const QString bomb = QString::fromLatin1(exoAppFile("Exercice", attributes(50000)))
                             .replace(QStringLiteral("=\"1\""), QStringLiteral("=\"ļ\""));
    ASSERT_EQ(prepare(false, dir()), 1);
    for (const QString& text : {ordinary, bomb}) {
        const QString declared = QString(text).replace(QStringLiteral("windows-1252"), QStringLiteral("UTF-16"));
        QByteArray utf16("\xFF\xFE");
        utf16.append(reinterpret_cast<const char*>(declared.utf16()), declared.size() * 2);
        ASSERT_EQ(manager->FermePoint(), 1);
        EXPECT_EQ(loadBytes(utf16), text == ordinary ? 1 : 23043);
    }
}

TEST_F(HostileFileTest, NamesThatAreNotPlainFilesAreNotRead)
{
    ASSERT_EQ(prepare(false, dir()), 1);
    ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("12F"))));
    // Reading these would never end (a device) or never start (a pipe without a writer).
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), path(QStringLiteral("12F/zero.xml"))));
    ASSERT_EQ(::mkfifo(QFile::encodeName(path(QStringLiteral("12F/pipe.xml"))).constData(), 0600), 0);
    for (const char* name : {"zero.xml", "pipe.xml", "."})
        EXPECT_EQ(load(QString::fromLatin1(name)), 23043) << name;
}

TEST_F(HostileFileTest, WindowTakesNoMoreThan1024Controls)
{
    QByteArray objects;
    for (int i = 0; i <= exerva::frmCT::maxControls; ++i)
        objects += "<OBJECT><ID>C" + QByteArray::number(i)
            + "</ID><CLASS>Test.Recording</CLASS><Z/><H>1</H><W>1</W><T>0</T><L>0</L><V>False</V></OBJECT>";
    QByteArray file = exoAppFile("Exercice");
    file.replace("<ZI/>", "<ZI>" + objects + "</ZI>");
    ASSERT_EQ(prepare(false, dir()), 1);
    EXPECT_EQ(loadBytes(file), 23012);
    EXPECT_EQ(window().controlCount(), exerva::frmCT::maxControls);
    EXPECT_EQ(manager->LastErrorNumber(), 5);
}

TEST_F(HostileFileTest, WindowIsHeldToTheDesktop)
{
    ASSERT_EQ(prepare(false, dir()), 1);
    QByteArray file = exoAppFile("Exercice");
    file.replace("<HEIGHT>120</HEIGHT><WIDTH>200</WIDTH>", "<HEIGHT>32767</HEIGHT><WIDTH>32767</WIDTH>");
    ASSERT_EQ(loadBytes(file), 1);
    const QSize desktop = QGuiApplication::primaryScreen()->virtualSize();
    EXPECT_EQ(window().size(), desktop);
    EXPECT_EQ(window().pos(), QGuiApplication::primaryScreen()->geometry().topLeft());
}

}  // namespace
}  // namespace exerva_test
