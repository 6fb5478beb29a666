// A libFuzzer target for the configuration loader. Built only with clang
// and -DUROK_FUZZ=ON (see the top-level CMakeLists.txt):
//
//     cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DUROK_FUZZ=ON
//     cmake --build build-fuzz --target fuzz_config
//     build-fuzz/fuzz_config -max_total_time=300 build-fuzz/corpus
//
// Each input is applied to a fresh lesson state as it is and, when it is a
// file of the right size, once more with this lesson's code put into it, so
// that the fuzzer does not have to find the code before it reaches the
// records. A broken invariant aborts with the reason.
#include "engine/ConfigFile.h"
#include "engine/ConfigRecord.h"
#include "engine/LessonState.h"

#include <QByteArray>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void require(bool ok, const char *what)
{
    if (!ok) {
        std::fprintf(stderr, "configuration invariant broken: %s\n", what);
        std::abort();
    }
}

void check(urok::LessonState &state, const urok::ConfigOutcome &outcome, int builtInTasks)
{
    using urok::ConfigOutcome;
    for (int n = 1; n <= 40; ++n) {
        const QString o = state.Opcii_L().item(n);
        require(o == u"1" || o == u"0" || o == u"-1", "an option is not 1, 0 or -1");
    }
    urok::ItemList &copy = state.List_Un(4);
    require(copy.count() == 99 || (copy.count() == 41 && copy.item(0) == u" "),
            "the tasks window's option copy has a wrong size");
    const int index = state.Uslowie_L(0).count();
    require(index >= 1 && index <= builtInTasks + 1, "the task index list has a wrong size");
    for (int i = 1; i < state.Wremena(2).count(); ++i) {
        bool ok = false;
        const double t = state.Wremena(2).item(i).toDouble(&ok);
        require(ok && t >= -32768 && t <= 32767, "a writing time is not a 16-bit number");
    }
    if (outcome.taskList) {
        require(outcome.taskList->size() <= index - 1, "more tasks listed than offered");
        require(!outcome.taskList->contains(QString()), "an empty task listed");
    }
}

int builtInTaskCount()
{
    static const int count = urok::LessonState().Uslowie_L(0).count() - 1;
    return count;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size > 4096)
        return 0;
    QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    {
        urok::LessonState state;
        check(state, urok::applyConfiguration(state, bytes), builtInTaskCount());
    }
    if (bytes.size() == urok::ConfigFileSize) {
        urok::ConfigRecord code = urok::readRecord(bytes, 4);
        code.setText(QStringLiteral("OPTIM"));
        bytes.replace(3 * urok::ConfigRecordSize, urok::ConfigRecordSize, code.toBytes());
        urok::LessonState state;
        const urok::ConfigOutcome outcome = urok::applyConfiguration(state, bytes);
        require(outcome.status == urok::ConfigOutcome::Status::Applied,
                "a file with the lesson's code was not applied");
        check(state, outcome, builtInTaskCount());
    }
    return 0;
}
