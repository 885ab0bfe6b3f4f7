#pragma once

// A file half written under a temporary name must not outlive the program when it is stopped
// by SIGINT (Ctrl+C), SIGTERM or SIGHUP (the terminal closed). While an object of this class
// lives, those signals first remove the file and then end the program as they would have done
// without it, so that the parent sees the signal's own exit status. A signal the program
// ignores (nohup) or handles otherwise is left as it is.
#include <string>

namespace klangora {

class RemovedOnSignal {
public:
    explicit RemovedOnSignal(const std::string& path);
    ~RemovedOnSignal();
    RemovedOnSignal(const RemovedOnSignal&) = delete;
    RemovedOnSignal& operator=(const RemovedOnSignal&) = delete;

private:
    int m_slot = -1; // none free or the path too long: the file is not guarded
};

} // namespace klangora
