#pragma once

#include <memory>
#include <string>

#include "child_process.h"
#include "temp_folder.h"

namespace quexa::test {

// tinyproxy on a free port of 127.0.0.1 with a configuration of its own, stopped at the end.
class TinyProxy {
  public:
    TinyProxy();
    ~TinyProxy();
    TinyProxy(const TinyProxy&) = delete;
    TinyProxy& operator=(const TinyProxy&) = delete;

    int port() const { return port_; }
    // What the proxy logged so far: every request it forwarded.
    std::string Log() const;

  private:
    bool StartOn(int port);

    quexa::testing::TempFolder folder_;
    int port_ = 0;
    std::unique_ptr<ChildProcess> process_;
};

}  // namespace quexa::test
