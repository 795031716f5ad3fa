#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringList>

namespace tracetest {

// The head InitHtm writes, with the title, each line ended by CR LF.
inline QByteArray htmlHead(const QString& title)
{
    const QString text = QStringLiteral(
        "<HTML>\r\n"
        "<TITLE>%1</TITLE>\r\n"
        "<script language=vbscript>\r\n"
        "   Sub CheckKeyDown()\r\n"
        "       Dim lErreur\r\n"
        "       If window.event.keyCode = 123 Then\r\n"
        "           Call self.navigate(\"#FinDoc\")\r\n"
        "           Exit Sub\r\n"
        "       End If\r\n"
        "       lErreur = window.event.keyCode - 96\r\n"
        "       Call self.navigate(\"#Erreur\" & lErreur)\r\n"
        "   End Sub\r\n"
        "</script>\r\n"
        "<BODY onload='self.navigate(\"#FinDoc\")' onkeydown='call CheckKeyDown()'>\r\n");
    return text.arg(title).toUtf8();
}

// Date and time as the trace writes them: the system locale's short date and the time to the second.
inline QString dateText(const QDateTime& dateTime)
{
    return QLocale::system().toString(dateTime.date(), QLocale::ShortFormat) + QLatin1Char(' ')
        + dateTime.time().toString(QStringLiteral("HH:mm:ss"));
}

// The lines of a file written with CR LF line ends (none after the last one).
inline QStringList crlfLines(const QByteArray& bytes)
{
    QStringList lines = QString::fromUtf8(bytes).split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

}  // namespace tracetest
