#include "Info.h"

#include "Recordset.h"
#include "TraceWindow.h"

#include "platform/ErrorTrap.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocale>
#include <QStringList>

#include <algorithm>

namespace tracel {

namespace {

const QString crlf = QStringLiteral("\r\n");
const QString fixedIndent = QStringLiteral(":&nbsp;&nbsp;&nbsp;&nbsp;");
const QString depthIndent = QStringLiteral("&nbsp;&nbsp;&nbsp;&nbsp;");
const QString errorMarker = QStringLiteral("erreur kav");
const QString tagMarker = QStringLiteral("tag kav");

// A runaway depth counter must not make one trace line exhaust memory.
constexpr long maxIndentLevels = 1000;

// The locale's general date format: its short date, then the time to the second.
QString generalDate(const QDateTime& dateTime)
{
    return QLocale::system().toString(dateTime.date(), QLocale::ShortFormat) + QLatin1Char(' ')
        + dateTime.time().toString(QStringLiteral("HH:mm:ss"));
}

QString lineNumber(long number)
{
    return QStringLiteral("%1").arg(number, 5, 10, QLatin1Char('0'));
}

struct UnitStyle {
    QString font;
    QString kind;
};

UnitStyle unitStyle(eTypeModuleVB type)
{
    switch (type) {
    case TypeForm:
        return {QStringLiteral("<FONT face=arial size=2 Color='Black'>"), QStringLiteral("Form")};
    case TypeBas:
        return {QStringLiteral("<FONT face=arial size=2 Color='Blue'>"), QStringLiteral("Module")};
    case TypeClass:
        return {QStringLiteral("<FONT face=arial size=2 Color='Brown'>"), QStringLiteral("Class")};
    default:
        return {QStringLiteral("<FONT face=arial size=2 Color='Navy'>"), QString()};
    }
}

QString defaultFolder()
{
    // Without an application object there is no program folder to ask for.
    if (!QCoreApplication::instance())
        return QStringLiteral("./");
    return QCoreApplication::applicationDirPath() + QLatin1Char('/');
}

}  // namespace

struct Info::State {
    explicit State(const platform::Clock& c) : clock(c) {}

    const platform::Clock& clock;
    QString pathTracel = defaultFolder();
    QString nomFichier = QStringLiteral("TRACEL");
    bool active = true;
    long levelDetail = 1;
    bool styleVisible = false;

    bool htmOpened = false;
    long lineCount = 0;
    long errorCount = 0;
    long tagCount = 0;
    std::vector<long> errorLines;
    std::vector<long> tagLines;

    std::unique_ptr<TraceWindow> window;
    bool failureNoted = false;

    QString htmPath() const { return pathTracel + nomFichier + QStringLiteral(".htm"); }
    QString logPath() const { return pathTracel + nomFichier + QStringLiteral(".log"); }
    QString now() const { return generalDate(clock.now()); }

    void noteFailure(const QFile& file)
    {
        if (failureNoted)
            return;
        failureNoted = true;
        qWarning("Tracel: cannot write %s (%s); trace lines that cannot be written are skipped",
                 qUtf8Printable(file.fileName()), qUtf8Printable(file.errorString()));
    }

    // Opens the file, writes the lines, each ended by CR LF, and closes it, so
    // that every line is on disk as soon as it is written.
    bool write(const QString& path, QIODevice::OpenMode mode, const QStringList& lines)
    {
        QFile file(path);
        QByteArray bytes;
        for (const QString& line : lines)
            bytes += (line + crlf).toUtf8();
        const bool written = file.open(mode) && file.write(bytes) == bytes.size() && file.flush();
        file.close();
        if (!written)
            noteFailure(file);
        return written;
    }

    bool append(const QString& path, const QString& line)
    {
        return write(path, QIODevice::WriteOnly | QIODevice::Append, {line});
    }

    void writeSummary()
    {
        QStringList lines;
        if (errorCount == 0)
            lines << QStringLiteral("<FONT face=arial size=2 Color='Green'>Aucune erreur détectée<BR></FONT>");
        for (long i = 1; i <= errorCount; ++i)
            lines << QStringLiteral("<a face=arial size=2 href='#Erreur%1'><FONT face=arial size=2 Color='Red'>Erreur "
                                    "ligne %2</FONT></a><BR>")
                         .arg(i)
                         .arg(errorLines[static_cast<std::size_t>(i - 1)]);
        for (long i = 1; i <= tagCount; ++i)
            lines << QStringLiteral("<a face=arial size=2 href='#Tag%1'><FONT face=arial size=2 Color='green'>Tag "
                                    "ligne %2</FONT></a><BR>")
                         .arg(i)
                         .arg(tagLines[static_cast<std::size_t>(i - 1)]);
        lines << QStringLiteral("<a face=arial size=2 name='FinDoc'>Fin ") + now() + QStringLiteral("</a>");
        lines << QStringLiteral("</BODY>") << QStringLiteral("</HTML>");
        write(htmPath(), QIODevice::WriteOnly | QIODevice::Append, lines);
    }

    // Turns every occurrence of the marker into an anchor; the line counts once.
    void markLines(QString& message, const QString& marker, long& count, std::vector<long>& lines,
                   const QString& anchorName, const QString& anchorBody)
    {
        if (!message.contains(marker, Qt::CaseInsensitive))
            return;
        ++count;
        lines.push_back(lineCount);
        message.replace(marker, QStringLiteral("<a face=arial size=2 name='%1%2'>").arg(anchorName).arg(count) + anchorBody,
                        Qt::CaseInsensitive);
    }

    void dump(Recordset& rs, const QString& tabulation, Info& info);
};

Info::Info(const platform::Clock& clock) : d(std::make_unique<State>(clock)) {}

Info::~Info()
{
    // The window goes with the object that made it.
    d->window.reset();
    if (d->htmOpened)
        d->writeSummary();
}

void Info::SetInfo(QString& sInfo)
{
    if (!d->active)
        return;
    const QString line = d->now() + QStringLiteral(" -> ") + sInfo;
    if (d->styleVisible && d->window) {
        d->window->showLine(line);
        return;
    }
    d->append(d->logPath(), line);
}

bool Info::StyleVisible() const
{
    return d->styleVisible;
}

void Info::StyleVisible(bool visible)
{
    d->styleVisible = visible;
    if (visible) {
        // Without a window the lines stay in the .log file.
        if (!d->window)
            d->window = TraceWindow::make();
        return;
    }
    d->append(d->logPath(), d->now());
    d->window.reset();
}

QString Info::PathTracel() const
{
    return d->pathTracel;
}

void Info::PathTracel(const QString& folder)
{
    d->pathTracel = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

void Info::State::dump(Recordset& rs, const QString& tabulation, Info& info)
{
    if (tabulation.isEmpty()) {
        QString connection = QStringLiteral("ConnectionString = ") + rs.connectionString();
        info.SetInfo(connection);
        QString source = QStringLiteral("Source = ") + rs.source();
        info.SetInfo(source);
    }
    const QString nestedTabulation = tabulation + QStringLiteral("    ");
    for (; !rs.eof(); rs.moveNext()) {
        if (levelDetail < 2)
            continue;
        QString line = tabulation;
        // A record with no field still gives its line; after a chapter, only fields that follow it do.
        bool pending = true;
        for (int i = 0; i < rs.fieldCount(); ++i) {
            const RecordsetField field = rs.field(i);
            if (field.type == adChapter) {
                info.SetInfo(line);
                if (field.chapter)
                    dump(*field.chapter, nestedTabulation, info);
                line = tabulation;
                pending = false;
            } else if (field.type != adLongVarWChar) {
                line += field.name + QLatin1Char(':') + field.value + QLatin1Char(';');
                pending = true;
            }
        }
        if (pending)
            info.SetInfo(line);
    }
}

void Info::TracelAdo(Recordset& rsRs, QString& sTabulation)
{
    if (d->levelDetail <= 0 || !d->active)
        return;
    // A recordset over a real database may fail half-way; the lines written so far stay.
    const auto error = platform::trapError(platform::AutomationError, [&] { d->dump(rsRs, sTabulation, *this); });
    if (error)
        qWarning("Tracel: the recordset dump stopped: %s", error->what());
}

bool Info::Active() const
{
    return d->active;
}

void Info::Active(bool active)
{
    d->active = active;
}

long Info::LevelDetail() const
{
    return d->levelDetail;
}

void Info::LevelDetail(long level)
{
    d->levelDetail = level;
}

QString Info::NomFichier() const
{
    return d->nomFichier;
}

void Info::NomFichier(const QString& name)
{
    d->nomFichier = name;
}

bool Info::InitHtm(const QString& isTitle)
{
    d->lineCount = 0;
    d->errorCount = 0;
    d->tagCount = 0;
    d->errorLines.clear();
    d->tagLines.clear();
    const QStringList head = {
        QStringLiteral("<HTML>"),
        QStringLiteral("<TITLE>") + isTitle + QStringLiteral("</TITLE>"),
        QStringLiteral("<script language=vbscript>"),
        QStringLiteral("   Sub CheckKeyDown()"),
        QStringLiteral("       Dim lErreur"),
        QStringLiteral("       If window.event.keyCode = 123 Then"),
        QStringLiteral("           Call self.navigate(\"#FinDoc\")"),
        QStringLiteral("           Exit Sub"),
        QStringLiteral("       End If"),
        QStringLiteral("       lErreur = window.event.keyCode - 96"),
        QStringLiteral("       Call self.navigate(\"#Erreur\" & lErreur)"),
        QStringLiteral("   End Sub"),
        QStringLiteral("</script>"),
        QStringLiteral("<BODY onload='self.navigate(\"#FinDoc\")' onkeydown='call CheckKeyDown()'>"),
    };
    d->htmOpened = d->write(d->htmPath(), QIODevice::WriteOnly | QIODevice::Truncate, head);
    return d->htmOpened;
}

void Info::SetString(QString& isString, eTypeModuleVB ieTypeModuleVB, const QString& isProc, const QString& isModuleVB,
                     long ilNbTab)
{
    if (!d->htmOpened)
        return;
    const UnitStyle style = unitStyle(ieTypeModuleVB);
    const QString indent = fixedIndent + depthIndent.repeated(static_cast<qsizetype>(std::clamp(ilNbTab, 0L, maxIndentLevels)));

    QString piece = style.font;
    if (!isProc.isEmpty()) {
        ++d->lineCount;
        piece += lineNumber(d->lineCount) + indent + QStringLiteral("<B>") + style.kind + QLatin1Char(' ') + isModuleVB
            + QStringLiteral(", ") + isProc + QStringLiteral("</B><BR>");
    }
    if (!isString.isEmpty()) {
        ++d->lineCount;
        piece += lineNumber(d->lineCount) + indent;
        d->markLines(isString, errorMarker, d->errorCount, d->errorLines, QStringLiteral("Erreur"),
                     QStringLiteral("<FONT face=arial size=2 Color='Red'><B>Erreur</B></FONT>"));
        d->markLines(isString, tagMarker, d->tagCount, d->tagLines, QStringLiteral("Tag"),
                     QStringLiteral("<FONT face=arial size=2 Color='green'><B>Tag</B></FONT>"));
        piece += isString + QStringLiteral("<BR>");
    }
    piece += QStringLiteral("</FONT>");
    d->append(d->htmPath(), piece);
}

TraceWindow* Info::window() const
{
    return d->window.get();
}

}  // namespace tracel
