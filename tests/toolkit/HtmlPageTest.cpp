// Reading a page's first form and links as a browser would, whatever the page holds.

#include "toolkit/HtmlPage.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace {

TEST(HtmlPageTest, FirstFormListsItsControlsInPageOrder)
{
    const auto form = toolkit::firstForm(QStringLiteral(
        "<html><body><p>Avant</p><FORM Method=POST action='x.aspx'><table><tr><td>"
        "<input name=a value='1'><input type=checkbox name=b><input type=checkbox name=c checked>"
        "<select name=d><option value=u>un<option selected>deux</select><textarea name=e>texte</textarea>"
        "<input type=image name=f><input type=submit name=g value=OK><button name=h>B</button>"
        "</td></tr></table></form><form><input name=autre></form></body></html>"));
    ASSERT_TRUE(form);
    EXPECT_EQ(form->method, QStringLiteral("post"));
    EXPECT_EQ(form->action, QStringLiteral("x.aspx"));
    QStringList names, values, sent;
    for (const auto& control : form->controls) {
        names.append(control.name);
        values.append(control.value);
        if (control.isSubmitted())
            sent.append(control.name);
    }
    EXPECT_EQ(names, (QStringList{"a", "b", "c", "d", "e", "g", "h"}));
    EXPECT_EQ(values, (QStringList{"1", "on", "on", "deux", "texte", "OK", ""}));
    EXPECT_EQ(sent, (QStringList{"a", "c", "d", "e"}));
}

TEST(HtmlPageTest, PageWithoutFormHasNone)
{
    for (const QString& page : {QString(), QStringLiteral("#KAV_ERREUR#|1|2|3"), QStringLiteral("<p>form</p>"),
                                QStringLiteral("<!-- <form><input name=a></form> -->")})
        EXPECT_FALSE(toolkit::firstForm(page)) << page.toStdString();
}

TEST(HtmlPageTest, LinksAreTheAddressesOfTheAnchors)
{
    EXPECT_EQ(toolkit::pageLinks(QStringLiteral("<a href='a.dll'>a</a><A HREF=\"b c.xml\">b</A><a name=x>x</a>")),
              (QStringList{"a.dll", "b c.xml"}));
}

// Pages from a server may be anything: reading them never fails or runs away.
TEST(HtmlPageTest, AnyTextReadsWithoutFault)
{
    QRandomGenerator random(20260314);
    const QString pieces[] = {QStringLiteral("<form"),   QStringLiteral("<input name="), QStringLiteral("<select>"),
                              QStringLiteral("<option"), QStringLiteral("</form>"),      QStringLiteral("<a href="),
                              QStringLiteral("'"),       QStringLiteral("\""),           QStringLiteral(">"),
                              QStringLiteral("é¤"),      QStringLiteral("<div>"),        QStringLiteral("&#0;"),
                              QStringLiteral("<!--"),    QStringLiteral("<textarea>")};
    for (int round = 0; round < 300; ++round) {
        QString page;
        const int length = random.bounded(1, 400);
        for (int i = 0; i < length; ++i)
            page += pieces[random.bounded(int(std::size(pieces)))];
        const auto form = toolkit::firstForm(page);
        if (form) {
            EXPECT_LE(form->controls.size(), std::size_t(length));
        }
        EXPECT_LE(toolkit::pageLinks(page).size(), length);
    }
    const QString deep = QStringLiteral("<div>").repeated(100000) + QStringLiteral("<form><input name=a></form>");
    toolkit::firstForm(deep);
}

}  // namespace
