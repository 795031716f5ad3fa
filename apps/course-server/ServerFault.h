#pragma once

#include <optional>
#include <string>

namespace courseserver {

// How a fault spoils a reply.
enum class FaultKind {
    EmptyReply,    // 200 with an empty body
    KavErreur,     // 200 with the fault's "#KAV_ERREUR#" text
    Slow,          // the normal reply, held back until released or the slow delay has passed
    Status,        // the fault's status with the normal body
    CloseHalfWay,  // the normal reply's length announced, half of it sent, the connection closed
    HacpError,     // 200 with an AICC refusal: "error=" the fault's status and its usual text
    HtmlPage,      // 200 with an HTML page, as a system answers when its session has expired
};

// A switch that tests and the program's command line turn on to make the
// server misbehave on purpose.
struct Fault {
    FaultKind kind = FaultKind::EmptyReply;
    // The page it applies to: the last part of the request path, without
    // regard to case, compared without its extension unless the page names one
    // ("initplugin", "SetResultModule.aspx"), or a command of the AICC end
    // point ("getparam", "putparam", "exitAU"). Empty: every request.
    std::string page;
    // The number of replies it spoils; -1: all of them.
    int count = -1;
    int status = 500;
    std::string body = "#KAV_ERREUR#|500|1001|Erreur simulée par le serveur de cours";

    bool appliesTo(const std::string& path) const;
};

// Reads "KIND[:PAGE[:COUNT]]" with KIND one of empty, kaverreur, slow,
// status=NNN, close, hacp=N, html; nothing when the text is not of that form.
std::optional<Fault> parseFault(const std::string& text);

}  // namespace courseserver
