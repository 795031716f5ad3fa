#pragma once

#include <QString>

#include <chrono>

namespace pelago {

// The values of a result report: the lesson status letter ("C" completed,
// "I" incomplete), the score and the time spent.
struct AiccReport {
    QString status;
    QString score;
    QString time;
};

// The time spent as HACP writes it: total hours (two digits at least, at most
// 9999), minutes and seconds, so that a run of a day or more keeps its hours.
QString aiccTime(std::chrono::milliseconds spent);

// True for a maximum score the report can use: empty (no score), or a whole
// decimal number from 0 to 2147483647, blanks around it allowed.
bool isValidNoteMax(const QString& noteMax);

// A module run: the questions passed times the maximum, divided by the number
// of questions and rounded down, computed in 64 bits so that nothing
// overflows. "0" for a module without questions, "" without a maximum.
QString moduleScore(long passed, long questions, const QString& noteMax);

// A single question: the maximum for a passed answer (TypeResultatQuestion 3
// or more), "0" for any other.
QString questionScore(long typeReponse, const QString& noteMax);

// What the launch page receives for a status letter.
QString statusWord(const QString& status);

}  // namespace pelago
