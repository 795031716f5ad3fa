#pragma once

#include <QString>

namespace exerva {

struct ExervaContext;

// Paths inside the engine keep the separator of the context's mode: "/" in
// Internet mode, "\" otherwise, as callers and exercise files expect them back.
// Only at the file system are they turned into "/" paths (diskPath).

// In Internet mode every "\" becomes "/"; otherwise every "/" becomes "\".
void puNormaliseSeparateurs(const ExervaContext& context, QString& path);

// A path of at least 2 characters gets its separators normalised and one
// trailing separator of the mode; returns 1. A shorter path stays as it is and
// gives 23001.
long puCheckSyntax(const ExervaContext& context, QString& path);

// The folder of the current application's exercise files: the root, the
// application identifier, "Eb" for a bis question or "F" otherwise, and the
// mode's separator.
QString applicationFolder(const ExervaContext& context);

// A path of the engine as the file system knows it: separators read as "/",
// then the existing file looked up without regard to case.
QString diskPath(const QString& enginePath);

}  // namespace exerva
