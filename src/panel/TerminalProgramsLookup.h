#pragma once

#include "platform/RunningApp.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QThreadPool>
#include <chrono>
#include <memory>
#include <mutex>

class Workspace;

// Asks the workspace which programs run inside a terminal emulator, on a worker thread: the answer
// reads the process table and may ask tmux (which is given up to half a second), and the thread that
// asks is the one that shows the panel. The asker waits for the answer up to a short deadline, so a
// normal answer is in the panel from its first frame; past the deadline the last answer for the same
// terminal stands in (none the first time), and the late one is kept for the next time.
class TerminalProgramsLookup {
public:
    explicit TerminalProgramsLookup(Workspace &workspace,
                                    std::chrono::milliseconds deadline = std::chrono::milliseconds(200));
    // Waits for lookups still under way.
    ~TerminalProgramsLookup();
    TerminalProgramsLookup(const TerminalProgramsLookup &) = delete;
    TerminalProgramsLookup &operator=(const TerminalProgramsLookup &) = delete;

    // Workspace::programsInTerminal's answer, or the last one for this terminal when it is late.
    QList<QStringList> programs(const RunningApp &terminal, const QStringList &executableNames);

private:
    // What lookups that end after their asker gave up leave for the next one.
    struct LastAnswers {
        std::mutex mutex;
        QHash<QString, QList<QStringList>> byTerminal;
    };

    Workspace &workspace_;
    std::chrono::milliseconds deadline_;
    std::shared_ptr<LastAnswers> last_ = std::make_shared<LastAnswers>();
    QThreadPool pool_;
};
