#pragma once

#include <QByteArray>
#include <QString>

namespace urok::judge {

// What became of one answer, from the worst to the best it can get.
enum class Outcome {
    NoAnswer,       // nothing to judge
    CompileError,   // the compiler refused it
    RuntimeError,   // a signal or an exit status other than 0
    MemoryLimit,
    TimeLimit,
    WrongOutput,
    Partial,        // some tests passed, not all
    Accepted,       // every test passed
};

struct Verdict
{
    Outcome outcome = Outcome::NoAnswer;
    int passed = 0;   // tests passed
    int total = 0;    // tests run on it
    // For a compile error the compiler's first lines; for a failed run what
    // ended it ("сигнал 11 (SIGSEGV)", "код на изход 3") and on which test.
    QString detail;

    bool solved() const { return outcome == Outcome::Accepted; }

    // The verdict as a teacher reads it: "вярно", "3 от 8 теста",
    // "не се компилира", ...
    QString text() const;

    // One line of text for the verdict cache, and back; an unreadable line
    // gives no verdict.
    QByteArray serialized() const;
    static bool deserialize(const QByteArray &line, Verdict *verdict);
};

// Why a run failed, in Bulgarian: the kind of failure alone.
QString failureName(Outcome outcome);

} // namespace urok::judge
