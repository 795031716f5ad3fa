#pragma once

namespace platform {

// The web engine reports its start-up on the terminal: its context (graphics,
// start parameters) at info level in the "qt.webengine..." categories, and the
// line "Sandboxing disabled by user." at info level in the default category.
// Programs keep that off the terminal unless their tracing is on; the engine's
// warnings and errors always show.
//
// `tracing` false installs logging rules that silence the engine's debug and
// info messages, and drops the sandbox line while the engine's context
// category stays silenced; true removes them again. Rules in QT_LOGGING_RULES
// still win, so "qt.webenginecontext.info=true" there brings both back. Call
// it before the first web view is created; it may be called again.
void setWebEngineLogging(bool tracing);

// What a program that shows web pages sets before its QApplication exists:
// the engine's start-up report kept off the terminal (as above, tracing off),
// no sandbox when running as root (the engine cannot start one there), and
// OpenGL contexts shared between the engine and the widgets.
void prepareWebEngineProgram();

}  // namespace platform
