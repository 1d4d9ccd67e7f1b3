#include "services/WorkerProcess.h"

#include <QProcess>

#include <sys/resource.h>

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool sanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool sanitized = true;
#else
constexpr bool sanitized = false;
#endif
#else
constexpr bool sanitized = false;
#endif

} // namespace

WorkerProcess::Result WorkerProcess::run(const QString &program, const QStringList &arguments, const Limits &limits)
{
    Result result;
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setProcessChannelMode(QProcess::SeparateChannels);
    const rlim_t memory = rlim_t(limits.memoryBytes);
    const rlim_t seconds = rlim_t(limits.milliseconds / 1000 + 1);
    // Runs in the child between fork and exec: system calls only.
    process.setChildProcessModifier([memory, seconds] {
        const struct rlimit none {0, 0};
        ::setrlimit(RLIMIT_CORE, &none);
        const struct rlimit cpu {seconds, seconds};
        ::setrlimit(RLIMIT_CPU, &cpu);
        if (!sanitized) {
            const struct rlimit space {memory, memory};
            ::setrlimit(RLIMIT_AS, &space);
        }
    });
    process.start();
    if (!process.waitForStarted(limits.milliseconds)) {
        result.detail = QStringLiteral("could not start %1: %2").arg(program, process.errorString());
        return result;
    }
    if (!process.waitForFinished(limits.milliseconds)) {
        process.kill();
        process.waitForFinished(5000);
        result.outcome = Outcome::TimedOut;
        result.detail = QStringLiteral("took longer than %1 s").arg(limits.milliseconds / 1000);
        return result;
    }
    if (process.exitStatus() == QProcess::CrashExit) {
        result.outcome = Outcome::Crashed;
        // Qt keeps the signal number as the exit code of a crashed process.
        result.detail = QStringLiteral("crashed (signal %1)").arg(process.exitCode());
        return result;
    }
    result.exitCode = process.exitCode();
    result.output = process.readAllStandardOutput();
    if (result.output.size() > limits.maxOutput) {
        result.outcome = Outcome::TooMuchOutput;
        result.output.clear();
        result.detail = QStringLiteral("wrote more than %1 bytes").arg(limits.maxOutput);
        return result;
    }
    result.outcome = Outcome::Finished;
    return result;
}
