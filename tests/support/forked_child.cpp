#include "forked_child.h"

#include <sys/wait.h>
#include <unistd.h>

namespace quexa::testing {

ForkedChild::ForkedChild(const std::function<bool()>& start, const std::function<void()>& finish) {
    int ready[2];
    int release[2];
    if (pipe(ready) != 0) {
        return;
    }
    if (pipe(release) != 0) {
        close(ready[0]);
        close(ready[1]);
        return;
    }
    pid_ = fork();
    if (pid_ == 0) {
        close(ready[0]);
        close(release[1]);
        const char answer = start() ? 'y' : 'n';
        char ignored = 0;
        if (write(ready[1], &answer, 1) != 1 || read(release[0], &ignored, 1) < 0) {
            _exit(2);
        }
        if (finish) {
            finish();
        }
        _exit(0);
    }
    close(ready[1]);
    close(release[0]);
    release_ = release[1];
    char answer = 0;
    started_ = pid_ > 0 && read(ready[0], &answer, 1) == 1 && answer == 'y';
    close(ready[0]);
}

ForkedChild::~ForkedChild() {
    Finish();
}

bool ForkedChild::Finish() {
    if (release_ < 0) {
        return false;
    }
    close(release_);
    release_ = -1;
    int status = 0;
    if (pid_ <= 0 || waitpid(pid_, &status, 0) != pid_) {
        return false;
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace quexa::testing
