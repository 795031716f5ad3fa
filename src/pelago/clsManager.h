#pragma once

#include "CommonData.h"

#include <QString>
#include <QVariant>

namespace pelago {

class clsBarreManager;

// The launcher's entry object, which the learning management system's launch
// page creates: AskStart asks for a run in a language, BarreManager gives the
// module session that runs it. One launcher serves one run at a time, several
// one after the other, and ends its process once it has been idle longer than
// the keep-alive delay of the first AskStart.
class clsManager {
public:
    // Gives the delays and switches of a run their defaults, as every new
    // entry object does.
    explicit clsManager(CommonData& data = CommonData::processDefault());

    // True when a run may start: the shared objects exist (made on the first
    // call, whose isdteTempo, a time of day such as "00:10:00", is the
    // keep-alive delay) and the question player speaks isLangue. False while
    // a run is under way (21501) or when the objects or the language cannot
    // be set up.
    bool AskStart(const QVariant& isLangue, const QVariant& isdteTempo);

    // The module session; null before the first successful AskStart and after the end.
    clsBarreManager* BarreManager() const;

    // Always "": the text is in LastError.
    QString LastErrorString() const { return {}; }
    // Reading leaves these in place.
    long StateErrorEnCours() const { return data_.pulStateEnCours; }
    QString LastError() const { return data_.pusErrorDescription; }
    long LastErrorNumber() const { return data_.pulErrorNumber; }
    void ClearError() { data_.ClearError(); }

    QString VersionBdd() const { return data_.VersionBdd; }
    void VersionBdd(const QString& value) { data_.VersionBdd = value; }
    QString VersionSite() const { return data_.VersionSite; }
    void VersionSite(const QString& value) { data_.VersionSite = value; }
    // Only stored: tracing starts with AskStart.
    long LevelTracelage() const { return data_.trace.level(); }
    void LevelTracelage(long value) { data_.trace.setLevel(value); }
    QString PathTracelage() const { return data_.PathTracelage; }
    void PathTracelage(const QString& value) { data_.PathTracelage = value; }

private:
    bool askStart(const QVariant& isLangue, const QVariant& isdteTempo, const tracel::TraceScope& scope);

    CommonData& data_;
};

}  // namespace pelago
