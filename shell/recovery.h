#pragma once
// The connection recovery: when the database cannot be reached, the user names the
// server (or the SQLite file), the settings are saved, a blank database or a backup is
// restored, and the program ends so the next start connects afresh.

#include "shell/settings.h"

#include <functional>

class QWidget;

namespace shell {

// The steps that talk to the user; tests replace them with scripted answers.
struct RecoveryDialogs {
    // Edits the connection; returns false when cancelled. It must only return true
    // once the connection opens (the dialog retries itself).
    std::function<bool(store::ConnectionSettings &)> connect;
    // The backup or blank database to restore; empty when cancelled.
    std::function<QString(const WorkstationSettings &)> chooseFile;
};

RecoveryDialogs interactiveRecoveryDialogs(QWidget *parent);

// The shipped blank database beside the program ("Data.BAK").
QString blankDatabaseFile();

enum class RecoveryOutcome { Cancelled, Restored, Failed };

// Runs the recovery. settingsFile: where the settings are written (default: the first
// writable candidate). The settings are written as soon as a connection succeeds, even
// when no file is chosen afterwards.
RecoveryOutcome runRecovery(WorkstationSettings settings, const RecoveryDialogs &dialogs, QWidget *parent,
                            const QString &settingsFile = {});

} // namespace shell
