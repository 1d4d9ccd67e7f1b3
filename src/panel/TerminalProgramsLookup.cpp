#include "panel/TerminalProgramsLookup.h"

#include "services/SystemLog.h"
#include "platform/Workspace.h"

#include <future>

TerminalProgramsLookup::TerminalProgramsLookup(Workspace &workspace, std::chrono::milliseconds deadline)
    : workspace_(workspace), deadline_(deadline)
{
    // A lookup that hangs past its deadline leaves a thread for the next press.
    pool_.setMaxThreadCount(2);
}

TerminalProgramsLookup::~TerminalProgramsLookup()
{
    pool_.waitForDone();
}

QList<QStringList> TerminalProgramsLookup::programs(const RunningApp &terminal, const QStringList &executableNames)
{
    const QString key = terminal.pid > 0 ? QString::number(terminal.pid) : executableNames.join(QLatin1Char('\n'));
    auto answer = std::make_shared<std::promise<QList<QStringList>>>();
    std::future<QList<QStringList>> future = answer->get_future();
    pool_.start([&workspace = workspace_, last = last_, answer, key, terminal, executableNames] {
        QList<QStringList> programs = workspace.programsInTerminal(terminal, executableNames);
        {
            const std::lock_guard<std::mutex> lock(last->mutex);
            last->byTerminal.insert(key, programs);
        }
        answer->set_value(std::move(programs));
    });
    if (future.wait_for(deadline_) == std::future_status::ready)
        return future.get();
    SystemLog::shared().write(QStringLiteral("Corvane: the programs inside the terminal were not known within %1 ms; "
                                             "the last ones known are shown")
                                  .arg(deadline_.count()));
    const std::lock_guard<std::mutex> lock(last_->mutex);
    return last_->byTerminal.value(key);
}
