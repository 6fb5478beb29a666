#pragma once

#include <QString>

// "Judge a class": urok-setup report judging the programs of a class beside
// a plain shell loop that compiles every answer with g++ -O2, two at a
// time, and runs it on the same tests.
struct JudgeFigures
{
    int pupils = 0;
    int answers = 0;
    int copies = 0;
    double plainMs = 0;    // the shell loop
    double firstMs = 0;    // the first report, with an empty cache
    double secondMs = 0;   // the same class again
    QString problem;       // empty when all three ran
};

JudgeFigures benchJudgeClass(const QString &folder, const QString &urokSetup);
