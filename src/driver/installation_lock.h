#pragma once

// One conversion at a time per installation of the program: an advisory lock
// on "Tarvex.lock" beside the settings file, held while a conversion reads its
// plan and writes its files, and while the settings file is rewritten. Wait
// mode waits for Condor without it. The lock goes when the run ends, however
// it ends.

// Name of the lock file, in the folder of the settings file.
inline constexpr const char* kInstallationLockFile = "Tarvex.lock";
// How long a run waits for another one to end, and how often it looks.
inline constexpr int kInstallationLockWaitMs = 30000;
inline constexpr int kInstallationLockPollMs = 50;

// A hold of the lock, given back when it goes. Holds nest within a run: the
// lock is released when the last one goes.
class InstallationHold {
public:
    InstallationHold();
    ~InstallationHold();
    InstallationHold(const InstallationHold&) = delete;
    InstallationHold& operator=(const InstallationHold&) = delete;
};

// Takes the lock, waiting (through the wait clock) up to 30 s while another
// run holds it. When it is still held then, the run ends with an error
// (bilingual, logged) and exit code 1, having written nothing. A lock file
// that cannot be made (a folder that cannot be written) holds nothing back:
// the run goes on without it.
[[nodiscard]] InstallationHold hold_installation_lock();
