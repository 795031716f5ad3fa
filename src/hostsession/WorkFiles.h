#pragma once

#include "toolkit/SessionState.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

namespace lumaro {
class Appli;
class Module;
}  // namespace lumaro

namespace toolkit {
class KavReg;
}  // namespace toolkit

namespace hostsession {

// Package kinds, as bits of a mask.
enum WorkFileKind : long {
    TYPE_BASE = 1,
    TYPE_EXO_APP = 2,
    TYPE_BIS = 4,
};

// What differs between the plug-in's work files and the launcher's.
struct WorkFilesSettings {
    QString moduleName = QStringLiteral("clsBarreManager");
    // The launcher also lists the module's application exercise, and fetches
    // it like any package when no full installation provides it.
    bool listExoApp = false;
    // The step code of the whole operation, and its two refusals.
    long codeErreur = 0;
    long codeTypeExoApp = 0;
    long codeHouston = 0;
    // The plug-in's other sources: a share folder missing, no CD-ROM drive,
    // the disc's folder missing.
    long codeUNCMissing = 0;
    long codeNoCDRom = 0;
    long codeCDRomMissing = 0;
};

// Where the packages of one module come from.
struct WorkFilesSource {
    // 0 the course server's "Download/" folder, 1 a folder, 2 an address,
    // 3 the CD-ROM; anything else is refused.
    long typeDownload = 0;
    // The base under which "Download/" lies (ends with "/").
    QString serverBase;
    QString pathDownloadRorova;
    QString urlDownloadRorova;
    // "E" for an evaluation: it chooses the missing-files messages.
    QString typeFormEval;
    QString nomAppli;
    long idAppli = 0;
};

struct WorkFilesServices {
    // The text of a language message, "" when missing.
    std::function<QString(const QString& key)> message;
    // The registry component; null: no product is installed.
    std::function<std::shared_ptr<toolkit::KavReg>()> registry;
    // Fetches the package page at that address and its files; the local
    // folder of the package, "" on failure with the error stored.
    std::function<QString(const QString& pageUrl)> fetchPackage;
    // Where packages read from a folder are copied, one folder per user.
    std::function<QString()> componentFolder;
    // The root of a CD-ROM, false when none is mounted.
    std::function<bool(QString& root)> findCDRom;
    // The loading window's message line.
    std::function<void(const QString& text)> setMessageLoading;
    // The question player's box, for the wait for a disc: 1 OK, 2 Cancel.
    std::function<long(const QString& text, long style)> messageBox;
    // Raised while a package is fetched, so that its progress is shown.
    std::function<void(bool shown)> loadingAffiche;
};

// The work files of a module: the packages of its questions' exercise
// components that no installed product provides, fetched and recorded as the
// application's local folders. The plug-in and the launcher each hold one.
//
// A fetch waits with the event loop running: when the owner ends meanwhile,
// the operation returns false and touches nothing more.
class WorkFiles {
public:
    WorkFiles(toolkit::SessionState& state, WorkFilesSettings settings, WorkFilesServices services);
    ~WorkFiles();
    WorkFiles(const WorkFiles&) = delete;
    WorkFiles& operator=(const WorkFiles&) = delete;

    // Lists the module's packages, asks which must be fetched, fetches them
    // and sets the application's folders. True when every needed package is
    // there; moduleExerva tells whether the module's exercises run in the
    // exercise engine.
    bool piGereFichiersLocaux(lumaro::Module& module, lumaro::Appli& appli, const WorkFilesSource& source,
                              bool& moduleExerva);
    // The mask of the kinds that must be fetched; the folders of an installed
    // product go to the application. For the plug-in, -7 for all three kinds
    // at once, -2 when the application exercises are missing.
    long piTypeATelecharger(long mask, lumaro::Appli& appli, long idAppli);
    // A single-user installation found beside: its folder is only named in the
    // trace, nothing is unregistered or removed.
    void piRemoveDllMonoposte(long ilType, long idAppli);

private:
    struct Package {
        QString name;
        long kind;
    };
    // The folder or address of a package kind; false, with the step code and
    // message stored, when the source is missing or unknown.
    bool packageSource(const WorkFilesSource& source, long kind, QString& base, bool& isFolder,
                       const tracel::TraceScope& scope);
    // Copies a package described by a page of a folder into the component
    // folder, whole or not at all.
    QString installFolderPackage(const QString& folder, const QString& name, const tracel::TraceScope& scope);
    QString registryValue(const QString& key, const QString& valueName) const;
    QString message(const QString& key) const;

    toolkit::SessionState& state_;
    WorkFilesSettings settings_;
    WorkFilesServices services_;
    std::shared_ptr<char> alive_ = std::make_shared<char>();
};

}  // namespace hostsession
